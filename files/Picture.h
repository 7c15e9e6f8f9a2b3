#pragma once
// One drawing, three files: a painting given as a function of a QPainter becomes an SVG
// (vector, through Qt SVG), a PNG at a chosen scale, or a TeX document that pdflatex compiles
// into a page cropped to the picture (TikZ). The map and the circuit pictures both go through
// here, so every kind shows what the screen shows.

#include <QColor>
#include <QImage>
#include <functional>
#include <optional>
#include <string>

class QPainter;

namespace picture {

struct Canvas {
    int width = 0;  // pixels at scale 1
    int height = 0;
    QColor paper = Qt::white;
    std::function<void(QPainter&)> paint;
    std::string title;  // the SVG's title
};

enum class Kind { Svg, Png, Tex };

// The kind a file name's extension names (.svg, .png, .tex, any letter case).
std::optional<Kind> KindOfName(const std::string& path);

// PNG scales offered: from kMinScale to kMaxScale times the screen size.
constexpr double kMinScale = 0.25;
constexpr double kMaxScale = 8;

std::string SvgText(const Canvas& canvas);
// Null for a scale outside kMinScale..kMaxScale or a picture too large to hold.
QImage Raster(const Canvas& canvas, double scale);
std::string TexDocument(const Canvas& canvas);
// The tikzpicture alone (with its colour definitions), for a document of the caller's.
std::string TikzPicture(const Canvas& canvas);

// Writes the kind through an atomic replace; false with *error (the English reason or the
// system's text) otherwise. scale counts for PNG only.
bool Save(const Canvas& canvas, const std::string& path, Kind kind, double scale,
          std::string* error);

}  // namespace picture
