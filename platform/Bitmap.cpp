#include "platform/Bitmap.h"

#include <cstdint>

#include "platform/SafeWrite.h"

namespace platform {

namespace {

void Put16(std::string& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}

void Put32(std::string& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

constexpr std::size_t kFileHeader = 14, kInfoHeader = 40;
constexpr std::uint32_t kPixelsPerMeter = 3780;  // 96 dots per inch

}  // namespace

std::optional<std::string> EncodeBitmap(const QImage& picture) {
    if (picture.isNull()) return std::nullopt;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const std::uint64_t width = static_cast<std::uint64_t>(rgb.width());
    const std::uint64_t height = static_cast<std::uint64_t>(rgb.height());
    const std::uint64_t stride = (width * 3 + 3) / 4 * 4;
    const std::uint64_t total = kFileHeader + kInfoHeader + stride * height;
    if (total > 0xFFFFFFFFull) return std::nullopt;

    std::string out(static_cast<std::size_t>(total), '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(total));
    Put32(out, 10, kFileHeader + kInfoHeader);
    Put32(out, 14, kInfoHeader);
    Put32(out, 18, static_cast<std::uint32_t>(width));
    Put32(out, 22, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
    Put16(out, 26, 1);                                   // planes
    Put16(out, 28, 24);                                  // bits per pixel
    Put32(out, 30, 0);                                   // no compression
    Put32(out, 34, static_cast<std::uint32_t>(stride * height));
    Put32(out, 38, kPixelsPerMeter);
    Put32(out, 42, kPixelsPerMeter);
    for (std::uint64_t r = 0; r < height; ++r) {
        const uchar* line = rgb.constScanLine(static_cast<int>(height - 1 - r));
        char* dest = out.data() + kFileHeader + kInfoHeader + r * stride;
        for (std::uint64_t x = 0; x < width; ++x) {  // blue, green, red
            dest[3 * x] = static_cast<char>(line[3 * x + 2]);
            dest[3 * x + 1] = static_cast<char>(line[3 * x + 1]);
            dest[3 * x + 2] = static_cast<char>(line[3 * x]);
        }
    }
    return out;
}

bool WriteBitmapFile(const std::string& path, const QImage& picture, std::string* error) {
    const std::optional<std::string> bytes = EncodeBitmap(picture);
    if (!bytes) {
        if (error) *error = "The picture is empty or too large for a bitmap file.";
        return false;
    }
    return WriteFileAtomically(path, *bytes, error);
}

}  // namespace platform
