#include "files/TikzDevice.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <cmath>
#include <map>

namespace {

constexpr double kPointsPerPixel = 0.75;

std::string Number(double v) {
    if (std::fabs(v) < 0.005) v = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
}

std::string Point(const QPointF& p) {
    return "(" + Number(p.x()) + "," + Number(p.y()) + ")";
}

}  // namespace

class TikzPaintEngine : public QPaintEngine {
  public:
    TikzPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const auto flags = state.state();
        if (flags & DirtyPen) pen_ = state.pen();
        if (flags & DirtyBrush) brush_ = state.brush();
        if (flags & DirtyTransform) transform_ = state.transform();
    }

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;

    void drawPath(const QPainterPath& path) override { Emit(PathText(path), true); }

    void drawLines(const QLineF* lines, int count) override {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += " " + Point(transform_.map(lines[i].p1())) + " -- " +
                    Point(transform_.map(lines[i].p2()));
        Emit(text, false);
    }

    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            QPainterPath path;
            path.addRect(rects[i]);
            drawPath(path);
        }
    }

    void drawEllipse(const QRectF& rect) override {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count < 1) return;
        std::string text = " " + Point(transform_.map(points[0]));
        for (int i = 1; i < count; ++i) text += " -- " + Point(transform_.map(points[i]));
        const bool closed = mode != PolylineMode;
        if (closed) text += " -- cycle";
        Emit(text, closed, mode == OddEvenMode);
    }

    void drawPoints(const QPointF* points, int count) override {
        const double r = std::max(pen_.widthF(), 1.0) / 2;
        for (int i = 0; i < count; ++i) {
            const QPointF p = transform_.map(points[i]);
            body_ += "\\fill[" + Colour(pen_.color()) + "] " + Point(p - QPointF(r, r)) +
                     " rectangle " + Point(p + QPointF(r, r)) + ";\n";
        }
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QString text = item.text();
        if (text.trimmed().isEmpty()) return;
        const QFont font = item.font();
        // Placed by its middle where Qt measured it, so TeX's own widths shift it least.
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        const QPointF at = transform_.map(p + QPointF(width / 2, 0));
        double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
        pixels *= std::sqrt(std::fabs(transform_.determinant()));
        const std::string size = Number(pixels * kPointsPerPixel);
        std::string style = "\\fontsize{" + size + "}{" + size + "}\\selectfont";
        style += font.styleHint() == QFont::Serif ? "\\rmfamily" : "\\sffamily";
        if (font.bold()) style += "\\bfseries";
        if (font.italic()) style += "\\itshape";
        body_ += "\\node[anchor=base,inner sep=0pt,text=" + Colour(pen_.color()) +
                 ",font=" + style + "] at " + Point(at) + " {" + TexEscape(text.toStdString()) +
                 "};\n";
    }

    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
    }

    std::string Picture(int width, int height) const {
        std::string out;
        for (const auto& [rgb, name] : colours_)
            out += "\\definecolor{" + name + "}{RGB}{" + std::to_string(qRed(rgb)) + "," +
                   std::to_string(qGreen(rgb)) + "," + std::to_string(qBlue(rgb)) + "}%\n";
        out += "\\begin{tikzpicture}[x=" + Number(kPointsPerPixel) + "pt,y=-" +
               Number(kPointsPerPixel) + "pt]\n";
        out += "\\useasboundingbox (0,0) rectangle " + Point(QPointF(width, height)) + ";\n";
        out += body_;
        out += "\\end{tikzpicture}%\n";
        return out;
    }

  private:
    std::string Colour(const QColor& c) {
        const QRgb rgb = c.rgb() & 0xFFFFFF;
        auto it = colours_.find(rgb);
        if (it == colours_.end())
            it = colours_.emplace(rgb, "mwc" + std::to_string(colours_.size())).first;
        return it->second;
    }

    std::string PathText(const QPainterPath& path) const {
        std::string text;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const QPointF p = transform_.map(QPointF(e.x, e.y));
            if (e.isMoveTo()) {
                text += " " + Point(p);
            } else if (e.isLineTo()) {
                text += " -- " + Point(p);
            } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
                const QPointF c2 =
                    transform_.map(QPointF(path.elementAt(i + 1).x, path.elementAt(i + 1).y));
                const QPointF end =
                    transform_.map(QPointF(path.elementAt(i + 2).x, path.elementAt(i + 2).y));
                text += " .. controls " + Point(p) + " and " + Point(c2) + " .. " + Point(end);
                i += 2;
            }
        }
        return text;
    }

    // One \path with the current pen and (when fill is wanted) brush.
    void Emit(const std::string& geometry, bool fill, bool evenOdd = false) {
        if (geometry.empty()) return;
        std::string options;
        const auto add = [&](const std::string& o) { options += options.empty() ? o : "," + o; };
        if (fill && brush_.style() != Qt::NoBrush) {
            add("fill=" + Colour(brush_.color()));
            if (brush_.color().alpha() < 255)
                add("fill opacity=" + Number(brush_.color().alphaF()));
            if (evenOdd) add("even odd rule");
        }
        if (pen_.style() != Qt::NoPen) {
            add("draw=" + Colour(pen_.color()));
            const double scale = std::sqrt(std::fabs(transform_.determinant()));
            const double width =
                pen_.isCosmetic() ? std::max(pen_.widthF(), 1.0) : pen_.widthF() * scale;
            add("line width=" + Number(std::max(width, 0.5) * kPointsPerPixel) + "pt");
            if (pen_.capStyle() == Qt::RoundCap) add("line cap=round");
            if (pen_.joinStyle() == Qt::RoundJoin) add("line join=round");
            if (pen_.color().alpha() < 255) add("draw opacity=" + Number(pen_.color().alphaF()));
        }
        if (options.empty()) return;
        body_ += "\\path[" + options + "]" + geometry + ";\n";
    }

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    std::map<QRgb, std::string> colours_;
    std::string body_;
};

TikzDevice::TikzDevice(int width, int height)
    : width_(width), height_(height), engine_(std::make_unique<TikzPaintEngine>()) {}

TikzDevice::~TikzDevice() = default;

QPaintEngine* TikzDevice::paintEngine() const {
    return engine_.get();
}

std::string TikzDevice::Picture() const {
    return engine_->Picture(width_, height_);
}

int TikzDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return width_;
        case PdmHeight:
            return height_;
        case PdmWidthMM:
            return qRound(width_ * 25.4 / 96);
        case PdmHeightMM:
            return qRound(height_ * 25.4 / 96);
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
    }
}

std::string TexEscape(const std::string& utf8) {
    std::string out;
    const QString text = QString::fromStdString(utf8);
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
            case '\\':
                out += "\\textbackslash{}";
                break;
            case '{':
                out += "\\{";
                break;
            case '}':
                out += "\\}";
                break;
            case '$':
                out += "\\$";
                break;
            case '&':
                out += "\\&";
                break;
            case '#':
                out += "\\#";
                break;
            case '%':
                out += "\\%";
                break;
            case '_':
                out += "\\_";
                break;
            case '^':
                out += "\\textasciicircum{}";
                break;
            case '~':
                out += "\\textasciitilde{}";
                break;
            case '|':
                out += "\\textbar{}";
                break;
            case '<':
                out += "\\textless{}";
                break;
            case '>':
                out += "\\textgreater{}";
                break;
            case '"':
                out += "''";
                break;
            default:
                if (c < 0x20)
                    out += ' ';
                else if (c > 0xFF)
                    out += '?';
                else
                    out += QString(qc).toStdString();
        }
    }
    return out;
}
