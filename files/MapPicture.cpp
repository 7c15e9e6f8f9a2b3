#include "files/MapPicture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <set>

#include "engine/CarnoGrid.h"

namespace {

constexpr int kMargin = 4;
constexpr int kCellMin = 25;            // the screen's default cell
constexpr int kFontPixels = 13;         // the screen's 10 point cap
const QColor kFixed(0xC0, 0xC0, 0xC0);  // silver, the grid's fixed colour
const QColor kLines(0x80, 0x80, 0x80);
const QColor kLoopColours[] = {QColor(0xD6, 0x27, 0x28), QColor(0x1F, 0x77, 0xB4),
                               QColor(0x2C, 0xA0, 0x2C), QColor(0xFF, 0x7F, 0x0E),
                               QColor(0x94, 0x67, 0xBD), QColor(0x8C, 0x56, 0x4B),
                               QColor(0xE3, 0x77, 0xC2), QColor(0x17, 0xBE, 0xCF)};

QFont MapFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixels);
    return font;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

struct Run {
    int first, last;
    bool openLow, openHigh;
};

// Maximal runs of the set on an axis of n positions, a run round the end split in two.
std::vector<Run> Runs(const std::set<int>& s, int n) {
    if (static_cast<int>(s.size()) == n) return {{1, n, false, false}};
    std::vector<Run> runs;
    for (int p : s) {
        if (!runs.empty() && runs.back().last == p - 1)
            runs.back().last = p;
        else
            runs.push_back({p, p, false, false});
    }
    if (runs.size() > 1 && runs.front().first == 1 && runs.back().last == n) {
        runs.front().openLow = true;
        runs.back().openHigh = true;
    }
    return runs;
}

struct Layout {
    int n = 0, cols = 0, rows = 0;
    double cellW = kCellMin, cellH = kCellMin, headW = kCellMin, headH = kCellMin;
    std::vector<QString> colLabels, rowLabels;
    std::vector<std::vector<QString>> cells;  // [col-1][row-1]
    QString rowNames, colNames;
    std::vector<std::vector<LoopPiece>> loops;
    std::set<std::pair<int, int>> highlighted;
    QColor termColor;

    double X(int col) const {
        return kMargin + headW + (col - 1) * cellW;
    }  // left edge of map column
    double Y(int row) const { return kMargin + headH + (row - 1) * cellH; }
    int Width() const { return static_cast<int>(std::ceil(2 * kMargin + headW + cols * cellW)); }
    int Height() const { return static_cast<int>(std::ceil(2 * kMargin + headH + rows * cellH)); }
};

// A loop's outline; the open sides are left out and their neighbours run on to the map edge.
QPainterPath LoopPath(const Layout& l, const LoopPiece& p, double inset) {
    const double x1 = p.openLeft ? l.X(1) : l.X(p.firstCol) + inset;
    const double x2 = p.openRight ? l.X(l.cols + 1) : l.X(p.lastCol + 1) - inset;
    const double y1 = p.openTop ? l.Y(1) : l.Y(p.firstRow) + inset;
    const double y2 = p.openBottom ? l.Y(l.rows + 1) : l.Y(p.lastRow + 1) - inset;
    const double r = std::min({8.0, (x2 - x1) / 2, (y2 - y1) / 2});
    const bool top = !p.openTop, right = !p.openRight, bottom = !p.openBottom, left = !p.openLeft;
    QPainterPath path;
    // Clockwise from the top-left corner; a corner is rounded where both its sides are drawn.
    if (top) {
        path.moveTo(x1 + (left ? r : 0), y1);
        path.lineTo(x2 - (right ? r : 0), y1);
        if (right) path.arcTo(x2 - 2 * r, y1, 2 * r, 2 * r, 90, -90);
    }
    if (right) {
        path.moveTo(x2, y1 + (top ? r : 0));
        path.lineTo(x2, y2 - (bottom ? r : 0));
        if (bottom) path.arcTo(x2 - 2 * r, y2 - 2 * r, 2 * r, 2 * r, 0, -90);
    }
    if (bottom) {
        path.moveTo(x2 - (right ? r : 0), y2);
        path.lineTo(x1 + (left ? r : 0), y2);
        if (left) path.arcTo(x1, y2 - 2 * r, 2 * r, 2 * r, 270, -90);
    }
    if (left) {
        path.moveTo(x1, y2 - (bottom ? r : 0));
        path.lineTo(x1, y1 + (top ? r : 0));
        if (top) path.arcTo(x1, y1, 2 * r, 2 * r, 180, -90);
    }
    return path;
}

void Paint(QPainter& painter, const Layout& l) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(MapFont());
    const QFontMetricsF metrics(painter.font());
    const double right = l.X(l.cols + 1), bottom = l.Y(l.rows + 1);

    painter.setPen(Qt::NoPen);
    painter.setBrush(kFixed);
    painter.drawRect(QRectF(kMargin, kMargin, right - kMargin, l.headH));
    painter.drawRect(QRectF(kMargin, kMargin + l.headH, l.headW, bottom - kMargin - l.headH));
    painter.setBrush(l.termColor);
    for (const auto& [c, r] : l.highlighted)
        painter.drawRect(QRectF(l.X(c), l.Y(r), l.cellW, l.cellH));

    painter.setPen(QPen(kLines, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(kMargin, kMargin), QPointF(right, kMargin));
    for (int r = 1; r <= l.rows + 1; ++r)
        painter.drawLine(QPointF(kMargin, l.Y(r)), QPointF(right, l.Y(r)));
    painter.drawLine(QPointF(kMargin, kMargin), QPointF(kMargin, bottom));
    for (int c = 1; c <= l.cols + 1; ++c)
        painter.drawLine(QPointF(l.X(c), kMargin), QPointF(l.X(c), bottom));
    painter.drawLine(QPointF(kMargin, kMargin), QPointF(l.X(1), l.Y(1)));

    painter.setPen(Qt::black);
    const double ascent = metrics.ascent(), descent = metrics.descent();
    const auto centred = [&](const QString& text, double left, double top, double w, double h) {
        const double baseline = top + (h + ascent - descent) / 2;
        painter.drawText(QPointF(left + (w - metrics.horizontalAdvance(text)) / 2, baseline), text);
    };
    painter.drawText(
        QPointF(l.X(1) - 4 - metrics.horizontalAdvance(l.colNames), kMargin + 3 + ascent),
        l.colNames);
    painter.drawText(QPointF(kMargin + 4, l.Y(1) - 3 - descent), l.rowNames);
    for (int c = 1; c <= l.cols; ++c)
        centred(l.colLabels[c - 1], l.X(c), kMargin, l.cellW, l.headH);
    for (int r = 1; r <= l.rows; ++r)
        centred(l.rowLabels[r - 1], kMargin, l.Y(r), l.headW, l.cellH);
    const bool darkTerm = qGray(l.termColor.rgb()) < 128;
    for (int c = 1; c <= l.cols; ++c)
        for (int r = 1; r <= l.rows; ++r) {
            painter.setPen(darkTerm && l.highlighted.count({c, r}) ? Qt::white : Qt::black);
            centred(l.cells[c - 1][r - 1], l.X(c), l.Y(r), l.cellW, l.cellH);
        }

    for (std::size_t t = 0; t < l.loops.size(); ++t) {
        QPen pen(kLoopColours[t % std::size(kLoopColours)], 2);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        const double inset = 2.5 + static_cast<double>(t % 3) * 2;
        for (const LoopPiece& piece : l.loops[t]) painter.drawPath(LoopPath(l, piece, inset));
    }
    painter.restore();
}

}  // namespace

std::vector<LoopPiece> LoopPieces(const std::vector<TCellPos>& cells, int mapColumns, int mapRows) {
    std::set<int> cols, rows;
    std::set<std::pair<int, int>> given;
    for (const TCellPos& p : cells) {
        if (p.Col < 1 || p.Col > mapColumns || p.Row < 1 || p.Row > mapRows) return {};
        cols.insert(p.Col);
        rows.insert(p.Row);
        given.insert({p.Col, p.Row});
    }
    if (given.empty() || given.size() != cols.size() * rows.size()) return {};
    std::vector<LoopPiece> pieces;
    for (const Run& c : Runs(cols, mapColumns))
        for (const Run& r : Runs(rows, mapRows))
            pieces.push_back(
                {c.first, c.last, r.first, r.last, c.openLow, c.openHigh, r.openLow, r.openHigh});
    return pieces;
}

std::vector<std::vector<TCellPos>> ShownSolution(const TCarnoGrid& map) {
    std::vector<std::vector<TCellPos>> loops;
    if (!map.TreeView || map.TreeView->NodeCount() == 0) return loops;
    for (const TGroup& group : map.ResultList()) {
        std::vector<TCellPos> cells;
        for (const TCellRef& cell : group.Cells) cells.push_back({cell.Col, cell.Row});
        loops.push_back(cells);
    }
    return loops;
}

picture::Canvas MapCanvas(const TCarnoGrid& map, const MapPictureOptions& options) {
    Layout l;
    l.n = map.VariableCount();
    l.cols = map.MapColumns();
    l.rows = map.MapRows();
    const int rowVars = map.RowVariableCount(), colVars = map.ColumnVariableCount();
    // Labels from the Gray code itself: the map's tables follow the count only once painted.
    const auto label = [](int index, int bits) {
        return Q(TCarnoGrid::ByteToBinary(static_cast<std::uint8_t>(index ^ (index >> 1)))
                     .substr(8 - bits));
    };
    for (int c = 1; c <= l.cols; ++c) l.colLabels.push_back(label(c - 1, colVars));
    for (int r = 1; r <= l.rows; ++r) l.rowLabels.push_back(label(r - 1, rowVars));
    for (int k = 1; k <= l.n; ++k) {
        QString& names = k <= rowVars ? l.rowNames : l.colNames;
        names += (names.isEmpty() ? "" : " ") + Q(map.VarName(k));
    }

    const QFontMetricsF metrics(MapFont());
    double widest = metrics.horizontalAdvance(l.colLabels[0]);
    l.cells.assign(l.cols, std::vector<QString>(l.rows));
    for (int c = 1; c <= l.cols; ++c)
        for (int r = 1; r <= l.rows; ++r) {
            l.cells[c - 1][r - 1] = Q(map.Cells(c, r));
            widest = std::max(widest, metrics.horizontalAdvance(l.cells[c - 1][r - 1]));
        }
    l.cellW = std::max<double>(kCellMin, std::ceil(widest) + 12);
    l.headW = std::max({l.cellW, std::ceil(metrics.horizontalAdvance(l.rowLabels[0])) + 12,
                        std::ceil(std::max(metrics.horizontalAdvance(l.rowNames),
                                           metrics.horizontalAdvance(l.colNames))) +
                            16});
    l.headH = std::max<double>(kCellMin, std::ceil(2 * metrics.height()) + 8);

    for (const auto& term : options.loops) l.loops.push_back(LoopPieces(term, l.cols, l.rows));
    if (options.highlightedTerm >= 0 &&
        options.highlightedTerm < static_cast<int>(options.loops.size()))
        for (const TCellPos& p : options.loops[options.highlightedTerm])
            if (p.Col >= 1 && p.Col <= l.cols && p.Row >= 1 && p.Row <= l.rows)
                l.highlighted.insert({p.Col, p.Row});
    const std::uint32_t bgr = map.TermColor;
    l.termColor = QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);

    picture::Canvas canvas;
    canvas.width = l.Width();
    canvas.height = l.Height();
    canvas.title = "Karnaugh Map";
    canvas.paint = [l](QPainter& painter) { Paint(painter, l); };
    return canvas;
}
