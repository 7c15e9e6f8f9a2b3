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
#include "platform/QtColour.h"
#include "platform/SafeWrite.h"

namespace {

// The name's extension in lower case; empty when the name has none.
std::string ExtensionOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return ext;
}

}  // namespace

const std::vector<PictureKindRow>& PictureKinds() {
    static const std::vector<PictureKindRow> rows = {
        {PictureKind::Jpeg, "JPEG Image File (*.jpg)", {"jpg"}},
        {PictureKind::Jpeg, "JPEG Image File (*.jpeg)", {"jpeg"}},
        {PictureKind::Bitmap, "Bitmaps (*.bmp)", {"bmp"}},
        {PictureKind::Png, "PNG Image File (*.png)", {"png"}},
        {PictureKind::Svg, "SVG Picture (*.svg)", {"svg"}},
        {PictureKind::Tex, "TeX Document (*.tex)", {"tex"}},
    };
    return rows;
}

const QStringList& PictureSaveFilters() {
    static const QStringList filters = [] {
        QStringList list;
        QStringList names, patterns;
        for (const PictureKindRow& row : PictureKinds()) {
            list << QString::fromUtf8(row.filter);
            for (const char* ext : row.exts) {
                names << QString::fromUtf8(ext);
                patterns << QStringLiteral("*.") + QString::fromUtf8(ext);
            }
        }
        list << QStringLiteral("All images ( %1) (%2)")
                    .arg(names.join(QStringLiteral(", ")), patterns.join(' '));
        return list;
    }();
    return filters;
}

std::optional<PictureKind> PictureKindOfName(const std::string& path) {
    const std::string ext = ExtensionOf(path);
    if (ext.empty()) return std::nullopt;
    for (const PictureKindRow& row : PictureKinds())
        for (const char* known : row.exts)
            if (ext == known) return row.kind;
    return std::nullopt;
}

std::optional<PictureKind> PictureKindOfFilter(int filterIndex, const std::string& path) {
    if (const auto named = PictureKindOfName(path)) return named;
    const auto& rows = PictureKinds();
    if (!ExtensionOf(path).empty() || filterIndex < 1 ||
        filterIndex > static_cast<int>(rows.size()))
        return std::nullopt;
    return rows[filterIndex - 1].kind;
}

std::string PictureExtensionList() {
    std::vector<std::string> exts;
    for (const PictureKindRow& row : PictureKinds())
        for (const char* ext : row.exts) exts.push_back(std::string(".") + ext);
    std::string list;
    for (std::size_t i = 0; i < exts.size(); ++i) {
        if (i > 0) list += i + 1 == exts.size() ? " or " : ", ";
        list += exts[i];
    }
    return list;
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

bool SaveSchemePicture(TScheme& scheme, const std::string& path, PictureKind kind,
                       std::string* error) {
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
    canvas.paint = [drawn](QPainter& painter) {
        PaintScheme(painter, *drawn, kPictureLabelPixels);
    };
    return picture::Save(
        canvas, path, kind == PictureKind::Svg ? picture::Kind::Svg : picture::Kind::Tex, 1, error);
}
