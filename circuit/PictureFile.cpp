#include "circuit/PictureFile.h"

#include <QBuffer>
#include <algorithm>
#include <cctype>

#include "platform/Bitmap.h"
#include "platform/Jpeg.h"
#include "platform/SafeWrite.h"

std::optional<PictureKind> PictureKindOfName(const std::string& path, bool allowPng) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (ext == "jpg" || ext == "jpeg") return PictureKind::Jpeg;
    if (ext == "bmp") return PictureKind::Bitmap;
    if (ext == "png" && allowPng) return PictureKind::Png;
    return std::nullopt;
}

std::optional<PictureKind> PictureKindOfFilter(int filterIndex, const std::string& path) {
    switch (filterIndex) {
        case 1:
        case 2:
            return PictureKind::Jpeg;
        case 3:
            return PictureKind::Bitmap;
        default:
            return PictureKindOfName(path, false);
    }
}

bool SavePicture(const QImage& picture, const std::string& path, PictureKind kind,
                 std::string* error) {
    switch (kind) {
        case PictureKind::Jpeg:
            return platform::WriteJpegFile(path, picture, error);
        case PictureKind::Bitmap:
            return platform::WriteBitmapFile(path, picture, error);
        case PictureKind::Png:
            break;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "PNG")) {
        if (error) *error = "The picture cannot be coded as PNG.";
        return false;
    }
    return platform::WriteFileAtomically(path, bytes.toStdString(), error);
}
