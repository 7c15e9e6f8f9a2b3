#include "circuit/PictureFile.h"

#include <QBuffer>
#include <algorithm>
#include <cctype>

#include "circuit/Scheme.h"
#include "circuit/SchemePainter.h"
#include "files/Picture.h"
#include "platform/Bitmap.h"
#include "platform/Colour.h"
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
    if (ext == "svg") return PictureKind::Svg;
    if (ext == "tex") return PictureKind::Tex;
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
        case 4: {
            const auto kind = PictureKindOfName(path, false);
            if (kind == PictureKind::Svg || kind == PictureKind::Tex) return std::nullopt;
            return kind;
        }
        case 5:
            return PictureKind::Svg;
        case 6:
            return PictureKind::Tex;
        default:
            return std::nullopt;
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
        case PictureKind::Svg:
        case PictureKind::Tex:
            if (error) *error = "A bitmap cannot be written as a vector picture.";
            return false;
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

bool SaveSchemePicture(TScheme& scheme, const std::string& path, PictureKind kind, std::string* error) {
    if (kind != PictureKind::Svg && kind != PictureKind::Tex) {
        scheme.DrawToBitmap();
        return SavePicture(scheme.Bitmap, path, kind, error);
    }
    picture::Canvas canvas;
    canvas.width = scheme.Bitmap.width();
    canvas.height = scheme.Bitmap.height();
    canvas.paper = platform::ToQColor(scheme.PaperColor);
    canvas.title = "Circuit";
    const TScheme* drawn = &scheme;
    canvas.paint = [drawn](QPainter& painter) { PaintScheme(painter, *drawn, kPictureLabelPixels); };
    return picture::Save(canvas, path, kind == PictureKind::Svg ? picture::Kind::Svg : picture::Kind::Tex, 1, error);
}
