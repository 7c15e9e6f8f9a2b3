#include "platform/Jpeg.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/SafeWrite.h"

namespace platform {

namespace {

// libjpeg's own error handler ends the process; this one jumps back to the caller instead.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// A damaged file only warns (and is read on with gray rows); a reader refuses it instead.
void WarningIsError(j_common_ptr info, int level) {
    if (level < 0) ErrorExit(info);
}

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

// The coding itself, free of C++ objects with destructors, so that a jump out is safe.
bool Compress(const QImage& rgb, unsigned char** out, unsigned long* size, char* message) {
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    if (setjmp(errors.jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool Decompress(const std::string& bytes, std::size_t maxPixels, QImage* picture, char* message) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.emit_message = WarningIsError;
    if (setjmp(errors.jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (static_cast<std::size_t>(info.image_width) * info.image_height > maxPixels) {
        std::snprintf(message, JMSG_LENGTH_MAX, "The picture is too large.");
        jpeg_destroy_decompress(&info);
        return false;
    }
    // No object of this frame needs destroying if a jump follows: the picture is the caller's.
    *picture = QImage(static_cast<int>(info.image_width), static_cast<int>(info.image_height),
                      QImage::Format_RGB888);
    if (picture->isNull()) {
        std::snprintf(message, JMSG_LENGTH_MAX, "Not enough memory for the picture.");
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

std::optional<std::string> EncodeJpeg(const QImage& picture, std::string* error) {
    if (picture.isNull() || picture.width() > JPEG_MAX_DIMENSION ||
        picture.height() > JPEG_MAX_DIMENSION) {
        SetError(error, "The picture is empty or too large for a JPEG file.");
        return std::nullopt;
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = Compress(rgb, &out, &size, message);
    std::optional<std::string> bytes;
    if (ok && out) bytes.emplace(reinterpret_cast<const char*>(out), size);
    std::free(out);
    if (!bytes) SetError(error, message);
    return bytes;
}

QImage DecodeJpeg(const std::string& bytes, std::size_t maxPixels, std::string* error) {
    QImage picture;
    char message[JMSG_LENGTH_MAX] = {};
    if (!Decompress(bytes, maxPixels, &picture, message)) {
        SetError(error, message);
        return {};
    }
    return picture;
}

bool WriteJpegFile(const std::string& path, const QImage& picture, std::string* error) {
    const std::optional<std::string> bytes = EncodeJpeg(picture, error);
    return bytes && WriteFileAtomically(path, *bytes, error);
}

}  // namespace platform
