#include "ui/Icons.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <functional>

#include "platform/Colour.h"
#include "platform/QtColour.h"

namespace icons {

namespace {

// Paints the drawing anew at whatever size and device pixel ratio is asked for, so that an
// icon stays crisp at every scale; the drawing is made on a 32 x 32 canvas.
class PaintedIconEngine : public QIconEngine {
  public:
    explicit PaintedIconEngine(std::function<void(QPainter&)> paint) : paint_(std::move(paint)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (mode == QIcon::Disabled) painter->setOpacity(0.35);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 32.0, rect.height() / 32.0);
        paint_(*painter);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pm(size * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
    QIconEngine* clone() const override { return new PaintedIconEngine(paint_); }

  private:
    std::function<void(QPainter&)> paint_;
};

QIcon Draw(const std::function<void(QPainter&)>& paint) {
    return QIcon(new PaintedIconEngine(paint));
}

// Without a colour, the text takes the buttons' own, so it stays readable on a dark look.
void Text(QPainter& p, const QRectF& r, const QString& s, int px, bool bold = true, QColor c = {}) {
    if (!c.isValid()) c = QGuiApplication::palette().color(QPalette::ButtonText);
    QFont f;
    f.setPixelSize(px);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, s);
}

}  // namespace

QIcon OpenMap() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(120, 90, 20), 1.5));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(4, 9, 24, 17));
        p.setBrush(QColor(250, 220, 120));
        QPainterPath flap;
        flap.moveTo(4, 26);
        flap.lineTo(9, 14);
        flap.lineTo(30, 14);
        flap.lineTo(28, 26);
        flap.closeSubpath();
        p.drawPath(flap);
    });
}

QIcon SaveMap() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(20, 40, 90), 1.5));
        p.setBrush(QColor(60, 100, 180));
        p.drawRoundedRect(QRectF(5, 5, 22, 22), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 5, 14, 8));
        p.setBrush(QColor(200, 210, 230));
        p.drawRect(QRectF(9, 18, 14, 9));
    });
}

QIcon Formula() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(255, 255, 240));
        p.drawRect(QRectF(3, 6, 26, 20));
        Text(p, QRectF(3, 6, 26, 20), QStringLiteral("f(x)"), 11, true, QColor(20, 60, 140));
    });
}

QIcon Sets() {
    return Draw([](QPainter& p) {
        // The designed green, lighter where the buttons are dark (3:1 at least).
        const std::uint32_t button =
            platform::FromQColor(QGuiApplication::palette().color(QPalette::Button));
        Text(p, QRectF(0, 0, 32, 32), QStringLiteral("{ }"), 20, true,
             platform::ToQColor(platform::WithContrast(platform::FromRgb(0x146E3C), button)));
    });
}

QIcon TruthTable() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 4, 24, 24));
        for (int i = 1; i < 4; ++i) p.drawLine(QPointF(4, 4 + 6 * i), QPointF(28, 4 + 6 * i));
        p.drawLine(QPointF(20, 4), QPointF(20, 28));
        p.setBrush(QColor(200, 60, 60));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(21, 11, 6, 4));
        p.drawRect(QRectF(21, 23, 6, 4));
    });
}

QIcon DontCare() {
    return Draw([](QPainter& p) { Text(p, QRectF(0, 4, 32, 32), QStringLiteral("*"), 30); });
}

QIcon ClearMap() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(120, 60, 60), 1.5));
        p.setBrush(QColor(240, 150, 160));
        p.translate(16, 16);
        p.rotate(-35);
        p.drawRoundedRect(QRectF(-11, -6, 22, 12), 2, 2);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(3, -6, 8, 12));
    });
}

QIcon Options() {
    return Draw([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 90, 100));
        p.translate(16, 16);
        for (int i = 0; i < 8; ++i) {
            p.drawRect(QRectF(-2.5, -13, 5, 6));
            p.rotate(45);
        }
        p.drawEllipse(QPointF(0, 0), 9, 9);
        p.setBrush(QColor(235, 235, 240));
        p.drawEllipse(QPointF(0, 0), 4, 4);
    });
}

QIcon FormulaNode() {
    return Draw([](QPainter& p) {
        p.scale(2, 2);  // drawn on a 16 x 16 canvas
        p.setPen(QPen(QColor(0, 90, 90), 1));
        p.setBrush(QColor(0, 128, 128));
        p.drawEllipse(QRectF(2, 2, 12, 12));
    });
}

QIcon TermNode() {
    return Draw([](QPainter& p) {
        p.scale(2, 2);  // drawn on a 16 x 16 canvas
        p.setPen(QPen(QColor(80, 80, 80), 1));
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(QRectF(3, 3, 10, 10));
    });
}

QIcon Program() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1));
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r) {
                const bool on = (c == 1 || c == 2) && r < 2;
                p.setBrush(on ? QColor(0, 128, 128) : QColor(245, 245, 245));
                p.drawRect(QRectF(2 + 7 * c, 2 + 7 * r, 7, 7));
            }
    });
}

namespace {

// A curved arrow pointing left (undo); mirrored it points right (redo).
QIcon Arrow(bool mirrored) {
    return Draw([mirrored](QPainter& p) {
        if (mirrored) {
            p.translate(32, 0);
            p.scale(-1, 1);
        }
        p.setPen(QPen(QColor(40, 90, 160), 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath arc;
        arc.moveTo(9, 13);
        arc.cubicTo(18, 6, 30, 10, 26, 24);
        p.drawPath(arc);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 160));
        QPainterPath head;
        head.moveTo(3, 13);
        head.lineTo(12, 5);
        head.lineTo(13, 19);
        head.closeSubpath();
        p.drawPath(head);
    });
}

}  // namespace

QIcon Undo() {
    return Arrow(false);
}
QIcon Redo() {
    return Arrow(true);
}

QIcon Print() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 10));  // the sheet going in
        p.setBrush(QColor(150, 155, 165));
        p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);  // the body
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 19, 14, 10));  // the printed sheet
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawLine(QPointF(11, 23), QPointF(21, 23));
        p.drawLine(QPointF(11, 26), QPointF(19, 26));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 170, 60));
        p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
    });
}

QIcon Copy() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(70, 70, 90), 1.5));
        for (const QPointF at : {QPointF(4, 3), QPointF(12, 11)}) {
            p.setBrush(QColor(250, 250, 255));
            p.drawRect(QRectF(at, QSizeF(16, 18)));
            for (int i = 0; i < 3; ++i)
                p.drawLine(at + QPointF(3, 5 + 4 * i), at + QPointF(13 - 3 * (i == 2), 5 + 4 * i));
        }
    });
}

QIcon Circuit() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(30, 30, 30), 2));
        p.setBrush(QColor(255, 250, 225));
        QPainterPath gate(QPointF(9, 7));  // an AND gate: flat back, round front
        gate.lineTo(16, 7);
        gate.arcTo(QRectF(7, 7, 18, 18), 90, -180);
        gate.lineTo(9, 25);
        gate.closeSubpath();
        p.drawPath(gate);
        p.drawLine(QPointF(2, 11), QPointF(9, 11));
        p.drawLine(QPointF(2, 21), QPointF(9, 21));
        p.drawLine(QPointF(25, 16), QPointF(31, 16));
    });
}

}  // namespace icons
