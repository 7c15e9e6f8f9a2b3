#include "files/Picture.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "files/TikzDevice.h"
#include "platform/SafeWrite.h"

namespace picture {

namespace {

constexpr double kMaxPixels = 64.0 * 1024 * 1024;

void PaintOn(QPainter& painter, const Canvas& canvas) {
    painter.fillRect(QRectF(0, 0, canvas.width, canvas.height), canvas.paper);
    if (canvas.paint) canvas.paint(painter);
}

}  // namespace

std::optional<Kind> KindOfName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (ext == "svg") return Kind::Svg;
    if (ext == "png") return Kind::Png;
    if (ext == "tex") return Kind::Tex;
    return std::nullopt;
}

std::string SvgText(const Canvas& canvas) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(canvas.width, canvas.height));
    generator.setViewBox(QRect(0, 0, canvas.width, canvas.height));
    generator.setResolution(96);
    generator.setTitle(QString::fromStdString(canvas.title));
    generator.setDescription(QStringLiteral("Mapwright"));
    {
        QPainter painter(&generator);
        PaintOn(painter, canvas);
    }
    return bytes.toStdString();
}

QImage Raster(const Canvas& canvas, double scale) {
    if (!(scale >= kMinScale && scale <= kMaxScale)) return {};
    const int w = std::max(1, static_cast<int>(std::ceil(canvas.width * scale)));
    const int h = std::max(1, static_cast<int>(std::ceil(canvas.height * scale)));
    if (double(w) * h > kMaxPixels) return {};
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull()) return {};
    image.fill(canvas.paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(scale, scale);
    PaintOn(painter, canvas);
    return image;
}

std::string TikzPicture(const Canvas& canvas) {
    TikzDevice device(canvas.width, canvas.height);
    {
        QPainter painter(&device);
        PaintOn(painter, canvas);
    }
    return device.Picture();
}

std::string TexDocument(const Canvas& canvas) {
    // The page takes the picture's size: pdfTeX's page size registers (LuaTeX's as a fallback),
    // so that only LaTeX's base and TikZ are needed.
    return "% " + canvas.title +
           "\n"
           "\\documentclass{article}\n"
           "\\usepackage{fix-cm}\n"
           "\\usepackage{tikz}\n"
           "\\pagestyle{empty}\n"
           "\\newsavebox{\\mwpicture}\n"
           "\\begin{document}\n"
           "\\savebox{\\mwpicture}{%\n" +
           TikzPicture(canvas) +
           "}%\n"
           "\\ifdefined\\pdfpagewidth\n"
           "  \\pdfpagewidth=\\wd\\mwpicture \\pdfpageheight=\\dimexpr\\ht\\mwpicture+\\dp\\mwpicture\\relax\n"
           "\\else\\ifdefined\\pagewidth\n"
           "  \\pagewidth=\\wd\\mwpicture \\pageheight=\\dimexpr\\ht\\mwpicture+\\dp\\mwpicture\\relax\n"
           "\\fi\\fi\n"
           "\\hoffset=-1in \\voffset=-1in\n"
           "\\shipout\\hbox{\\usebox{\\mwpicture}}\n"
           "\\end{document}\n";
}

bool Save(const Canvas& canvas, const std::string& path, Kind kind, double scale,
          std::string* error) {
    std::string bytes;
    switch (kind) {
        case Kind::Svg:
            bytes = SvgText(canvas);
            break;
        case Kind::Tex:
            bytes = TexDocument(canvas);
            break;
        case Kind::Png: {
            const QImage image = Raster(canvas, scale);
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (image.isNull() || !image.save(&buffer, "PNG")) {
                if (error) *error = "The picture cannot be made at this scale.";
                return false;
            }
            bytes = png.toStdString();
            break;
        }
    }
    return platform::WriteFileAtomically(path, bytes, error);
}

}  // namespace picture
