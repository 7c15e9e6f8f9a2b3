#include "circuit/SchemePainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainterPath>

#include "circuit/SchemeGeometry.h"
#include "platform/Colour.h"
#include "platform/QtColour.h"

namespace {

using scheme::GateBox;

constexpr int kPen = 2;
constexpr int kSymbolPixels = 16;  // 12 point

QFont LabelFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(pixels, 1));
    font.setBold(bold);
    return font;
}

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

// Text with its top-left corner at (left, top).
void TextOut(QPainter& painter, int left, int top, const QString& text) {
    painter.drawText(QPoint(left, top + painter.fontMetrics().ascent()), text);
}

void Ellipse(QPainter& painter, int x1, int y1, int x2, int y2) {
    painter.drawEllipse(QRect(x1, y1, x2 - x1, y2 - y1));
}

// The right half of the ellipse bounded by (x1, y1) and (x2, y2), bottom to top.
void RightHalf(QPainter& painter, int x1, int y1, int x2, int y2) {
    painter.drawArc(QRectF(x1, y1, x2 - x1, y2 - y1), -90 * 16, 180 * 16);
}

void DistinctiveBody(QPainter& painter, const GateBox& b, TGateKind kind) {
    const int x = b.x, y = b.y, s = b.s, H = b.H;
    if (kind == gkNOT) {
        painter.drawLine(x, y, x + 5 * s + 5 * s / 2, b.mid - s / 4);
        painter.drawLine(x, y + H, x + 5 * s + 5 * s / 2, b.mid + s / 4);
        painter.drawLine(x, y, x, y + H);
    } else if (scheme::IsOrShape(kind)) {
        // The shield: a curved back and two arcs meeting in a point where the AND's front ends.
        RightHalf(painter, x - 5 * s / 2, y, x + 5 * s / 2, y + H);
        const QPointF tip(x + 5 * s + 5 * s / 2, b.mid);
        QPainterPath front(QPointF(x, y));
        front.cubicTo(QPointF(x + 4 * s, y), QPointF(x + 6 * s, y + H / 6.0), tip);
        front.cubicTo(QPointF(x + 6 * s, y + H - H / 6.0), QPointF(x + 4 * s, y + H),
                      QPointF(x, y + H));
        painter.drawPath(front);
    } else {
        painter.drawLine(x, y, x + 5 * s, y);
        RightHalf(painter, x + 5 * s / 2, y, x + 5 * s + 5 * s / 2, y + H);
        painter.drawLine(x + 5 * s, y + H, x, y + H);
        painter.drawLine(x, y + H, x, y);
    }
    if (scheme::HasBubble(kind))
        Ellipse(painter, x + 6 * s + 5 * s / 2 - s, b.mid - s / 2, x + 6 * s + 5 * s / 2,
                b.mid + s - s / 2);
}

void RectangularBody(QPainter& painter, const GateBox& b, TGateKind kind) {
    const int x = b.x, y = b.y, s = b.s, H = b.H;
    painter.drawLine(x, y, x + 5 * s, y);
    painter.drawLine(x + 5 * s, y, x + 5 * s, y + H);
    painter.drawLine(x + 5 * s, y + H, x, y + H);
    painter.drawLine(x, y + H, x, y);
    painter.setFont(LabelFont(kSymbolPixels, true));
    // The IEC qualifying symbols: "&" for AND, "≥1" for OR.
    TextOut(painter, x + s, y + s,
            kind == gkAND || kind == gkNAND ? QStringLiteral("&") : QStringLiteral("\u22651"));
    painter.setFont(LabelFont(kPictureLabelPixels));
    if (scheme::HasBubble(kind))
        Ellipse(painter, x + 5 * s, y + b.p - s / 2, x + 6 * s, y + b.p - s / 2 + s);
}

// A label starts where its pin's line does; a name too wide for the line ends just before the
// body instead (the first column leaves room for it).
void InputLabel(QPainter& painter, const TPin& pin, int left, int limit, int row) {
    const QString name = Text(pin.Name);
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(name);
    if (left + width > limit) left = std::max(2 * kPen, limit - width);
    const int textHeight = metrics.height();
    TextOut(painter, left, row - textHeight - kPen, name);
    if (pin.Inverted) {
        const int bar = row - textHeight - 2 * kPen;
        painter.drawLine(left, bar, left + width, bar);
    }
}

void DrawGate(QPainter& painter, const TGate& gate, TGateSystem system, int s, int labelPixels) {
    painter.setPen(QPen(Qt::black, kPen));
    painter.setBrush(Qt::NoBrush);
    painter.setFont(LabelFont(labelPixels));
    const GateBox b = scheme::Box(gate, s);
    if (system == gsUS)
        DistinctiveBody(painter, b, gate.Kind);
    else
        RectangularBody(painter, b, gate.Kind);

    const QFontMetrics metrics = painter.fontMetrics();
    const int textHeight = metrics.height();
    const int outRow = scheme::OutputRow(b, system);
    int k = 0;
    for (const TPin& pin : gate.Pins) {
        const QString name = Text(pin.Name);
        if (pin.Kind == pkInput) {
            const int row = scheme::InputRow(b, ++k);
            const int outer = scheme::InputOuterX(b);
            painter.drawLine(scheme::InputBodyX(b, gate.Kind, system, row), row, outer, row);
            InputLabel(painter, pin, outer, b.x - 2 * kPen, row);
        } else {
            painter.drawLine(scheme::OutputStartX(b, gate.Kind, system), outRow,
                             scheme::OutputEndX(b, gate.Kind, system), outRow);
            const int right = scheme::OutputLabelRight(b, gate.Kind, system);
            const int top = system == gsUS ? b.mid - textHeight - kPen : b.y + b.p / 2 - kPen;
            TextOut(painter, right - metrics.horizontalAdvance(name), top, name);
        }
    }
}

}  // namespace

void PaintScheme(QPainter& painter, const TScheme& scheme, int labelPixels) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const int s = scheme.GridStep;
    for (const TFlow& flow : scheme.Flows())
        for (const TGate& gate : flow.Gates)
            DrawGate(painter, gate, scheme.GateSystem, s, labelPixels);
    painter.setPen(QPen(Qt::black, kPen));
    int c = 0;
    for (const TNet& net : scheme.Nets()) {
        const int track = scheme::NetTrackX(net, c++, s);
        const QPoint points[] = {
            {net.X1, net.Y1}, {track, net.Y1}, {track, net.Y2}, {net.X2, net.Y2}};
        painter.drawPolyline(points, 4);
    }
    painter.restore();
}

void PaintGridDots(QPainter& painter, int step, int width, int height) {
    if (step <= 0) return;
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    for (int x = 1; x < width; x += step)
        for (int y = 1; y < height; y += step) painter.drawPoint(x, y);
    painter.restore();
}

void TScheme::DrawToBitmap() {
    if (Bitmap.isNull()) return;
    Bitmap.fill(platform::ToQColor(PaperColor));
    QPainter painter(&Bitmap);
    PaintScheme(painter, *this, ScreenLabelPixels(GridStep));
}
