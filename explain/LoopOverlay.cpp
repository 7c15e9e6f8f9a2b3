#include "explain/LoopOverlay.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <algorithm>
#include <optional>

#include "engine/MapView.h"
#include "explain/Loops.h"
#include "platform/Colour.h"
#include "platform/QtColour.h"

namespace {

// A rounded rectangle whose open sides are left out: each closed side a line between two
// rounded corners, an open side nothing, and a corner is rounded only where both its sides
// are drawn.
QPainterPath LoopPath(const QRectF& r, const explain::LoopBlock& b, qreal radius) {
    QPainterPath path;
    const bool top = !b.openTop, bottom = !b.openBottom, left = !b.openLeft, right = !b.openRight;
    const qreal rad = std::min(radius, std::min(r.width(), r.height()) / 2);
    const auto corner = [&](bool a, bool c) { return a && c ? rad : 0.0; };
    const qreal tl = corner(top, left), tr = corner(top, right), br = corner(bottom, right),
                bl = corner(bottom, left);
    if (top) {
        path.moveTo(r.left() + tl, r.top());
        path.lineTo(r.right() - tr, r.top());
        if (tr > 0) path.arcTo(QRectF(r.right() - 2 * tr, r.top(), 2 * tr, 2 * tr), 90, -90);
    }
    if (right) {
        path.moveTo(r.right(), r.top() + tr);
        path.lineTo(r.right(), r.bottom() - br);
        if (br > 0)
            path.arcTo(QRectF(r.right() - 2 * br, r.bottom() - 2 * br, 2 * br, 2 * br), 0, -90);
    }
    if (bottom) {
        path.moveTo(r.right() - br, r.bottom());
        path.lineTo(r.left() + bl, r.bottom());
        if (bl > 0) path.arcTo(QRectF(r.left(), r.bottom() - 2 * bl, 2 * bl, 2 * bl), 270, -90);
    }
    if (left) {
        path.moveTo(r.left(), r.bottom() - bl);
        path.lineTo(r.left(), r.top() + tl);
        if (tl > 0) path.arcTo(QRectF(r.left(), r.top(), 2 * tl, 2 * tl), 180, -90);
    }
    return path;
}

}  // namespace

TLoopOverlay::TLoopOverlay(TMapView* view)
    : QWidget(view), view_(view), viewport_(view->viewport()) {
    setObjectName("LoopOverlay");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    viewport_->installEventFilter(this);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    FollowViewport();
    show();
}

void TLoopOverlay::SetLoops(const std::vector<std::vector<int>>& terms) {
    terms_ = terms;
    FollowViewport();
    raise();
    update();
}

void TLoopOverlay::SetArrows(const std::vector<std::pair<int, int>>& pairs) {
    arrows_ = pairs;
    FollowViewport();
    raise();
    update();
}

void TLoopOverlay::SetMarkedCells(const std::vector<int>& cells) {
    marked_ = cells;
    FollowViewport();
    raise();
    update();
}

void TLoopOverlay::FollowViewport() {
    if (viewport_) setGeometry(viewport_->geometry());
}

bool TLoopOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        FollowViewport();
        update();
    }
    if (watched == viewport_ && event->type() == QEvent::Paint &&
        (!terms_.empty() || !arrows_.empty() || !marked_.empty()))
        update();
    return QWidget::eventFilter(watched, event);
}

void TLoopOverlay::paintEvent(QPaintEvent*) {
    outlines_ = 0;
    if (terms_.empty() && arrows_.empty() && marked_.empty()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const TCarnoGrid& grid = view_->Grid();
    const int rows = view_->Model().rowCount(), cols = view_->Model().columnCount();
    // Each loop stands out from the cells it is drawn on, on a dark look too (3:1).
    const std::uint32_t base = platform::FromQColor(QApplication::palette().color(QPalette::Base));
    for (std::size_t k = 0; k < terms_.size(); ++k) {
        QPen pen(
            platform::ToQColor(platform::WithContrast(
                student_ ? explain::kStudentLoopColour : explain::LoopColour(static_cast<int>(k)),
                base)),
            2.5);
        pen.setCapStyle(Qt::RoundCap);
        if (student_) pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // Loops nest a little inside each other so that shared edges stay apart.
        const qreal inset = 2.5 + 2.5 * static_cast<qreal>(k % 4);
        for (const explain::LoopBlock& b : explain::LoopBlocks(grid, terms_[k])) {
            if (b.col1 >= cols || b.row1 >= rows) continue;
            const QRect first = view_->visualRect(view_->Model().index(b.row0, b.col0));
            const QRect last = view_->visualRect(view_->Model().index(b.row1, b.col1));
            QRectF r = QRectF(first.topLeft(), last.bottomRight());
            // An open side runs out to the map's edge; a closed one stays inside the block.
            r.adjust(b.openLeft ? -inset : inset, b.openTop ? -inset : inset,
                     b.openRight ? inset : -inset, b.openBottom ? inset : -inset);
            p.drawPath(LoopPath(r, b, 8));
            ++outlines_;
        }
    }
    DrawMarks(p);
    DrawArrows(p);
}

void TLoopOverlay::DrawMarks(QPainter& p) {
    const TCarnoGrid& grid = view_->Grid();
    const int rows = view_->Model().rowCount(), cols = view_->Model().columnCount();
    const QColor wrong = platform::ToQColor(explain::kWrongCellColour);
    QColor fill = wrong;
    fill.setAlpha(60);
    p.setPen(QPen(wrong, 2));
    for (int m : marked_) {
        const TCellPos pos = grid.PositionOfMinterm(m);
        if (pos.Col < 1 || pos.Row < 1 || pos.Col > cols || pos.Row > rows) continue;
        const QRectF r = QRectF(view_->visualRect(view_->Model().index(pos.Row - 1, pos.Col - 1)))
                             .adjusted(3, 3, -3, -3);
        p.fillRect(r, fill);
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
    }
}

void TLoopOverlay::DrawArrows(QPainter& p) {
    const TCarnoGrid& grid = view_->Grid();
    const int rows = view_->Model().rowCount(), cols = view_->Model().columnCount();
    const auto centre = [&](int m) -> std::optional<QPointF> {
        const TCellPos pos = grid.PositionOfMinterm(m);
        if (pos.Col < 1 || pos.Row < 1 || pos.Col > cols || pos.Row > rows) return std::nullopt;
        return QRectF(view_->visualRect(view_->Model().index(pos.Row - 1, pos.Col - 1))).center();
    };
    const QColor red = platform::ToQColor(explain::kWrongCellColour);
    QPen pen(red, 2);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(red);
    for (const auto& [a, b] : arrows_) {
        const auto from = centre(a), to = centre(b);
        if (!from || !to) continue;
        const QLineF line(*from, *to);
        if (line.length() < 1) continue;
        // A head at each end: the hazard is in the change either way. On small cells the
        // shaft keeps most of the way between the centres and the heads shrink with it, so
        // the two heads never run together into a blot.
        const double inset = std::min(8 / line.length(), 0.2);
        const QLineF shaft(line.pointAt(inset), line.pointAt(1 - inset));
        const double headLength = std::min(7.0, shaft.length() * 0.3);
        p.drawLine(shaft);
        for (const QLineF& end : {shaft, QLineF(shaft.p2(), shaft.p1())}) {
            const QPointF tip = end.p2();
            const QLineF back = QLineF(tip, end.p1()).unitVector();
            const QPointF dir = (back.p2() - back.p1()) * headLength;
            const QPointF side(-dir.y() * 0.5, dir.x() * 0.5);
            QPolygonF head;
            head << tip << tip + dir + side << tip + dir - side;
            p.drawPolygon(head);
        }
    }
}
