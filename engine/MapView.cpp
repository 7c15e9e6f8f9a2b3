#include "engine/MapView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "engine/MapLabels.h"
#include "platform/Colour.h"
#include "platform/Dialogs.h"
#include "platform/QtColour.h"

namespace {

QString RowLabel(const TCarnoGrid& g, int row0) {
    const std::string& e = g.RowGray()[row0];
    return QString::fromStdString(e.substr(e.size() - g.RowVariableCount()));
}

// The names of the row variables and of the column variables, as the corner shows them.
QString RowNames(const TCarnoGrid& g) {
    QStringList names;
    for (int k = 1; k <= g.RowVariableCount(); ++k) names << QString::fromStdString(g.VarName(k));
    return names.join(' ');
}

QString ColumnNames(const TCarnoGrid& g) {
    QStringList names;
    for (int k = g.RowVariableCount() + 1; k <= g.VariableCount(); ++k)
        names << QString::fromStdString(g.VarName(k));
    return names.join(' ');
}

QString ColumnLabel(const TCarnoGrid& g, int col0) {
    const std::string& e = g.ColumnGray()[col0];
    return QString::fromStdString(e.substr(e.size() - g.ColumnVariableCount()));
}

}  // namespace

// --- model ---

int MapModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}
int MapModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant MapModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(grid_.Cells(index.column() + 1, index.row() + 1));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

bool MapModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    emit AboutToEdit();
    grid_.SetCells(index.column() + 1, index.row() + 1, value.toString().toStdString());
    emit dataChanged(index, index);
    emit Edited();
    return true;
}

QVariant MapModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    return orientation == Qt::Horizontal ? ColumnLabel(grid_, section) : RowLabel(grid_, section);
}

Qt::ItemFlags MapModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void MapModel::Refresh() {
    grid_.GenGray();
    if (rows_ == grid_.MapRows() && cols_ == grid_.MapColumns()) {
        if (rows_ && cols_) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
        emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
        return;
    }
    beginResetModel();
    rows_ = grid_.MapRows();
    cols_ = grid_.MapColumns();
    endResetModel();
}

// --- delegate: any text may be typed; the focus cell may be drawn unselected ---

class MapDelegate : public QStyledItemDelegate {
  public:
    explicit MapDelegate(TMapView* view) : QStyledItemDelegate(view), view_(view) {}

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        QStyledItemDelegate::setEditorData(editor, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            emit view_->GetEditText(index.column() + 1, index.row() + 1, line->text());
    }

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!view_->drawFocusSelected_ && index == view_->currentIndex())
            option->state &= ~QStyle::State_Selected;
    }

  private:
    TMapView* view_;
};

// --- view ---

TMapView::TMapView(TCarnoGrid& grid, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(grid) {
    setModel(&model_);
    setItemDelegate(new MapDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setCornerButtonEnabled(false);
    // The corner shows the variables' names, as the map's pictures do.
    if (auto* corner = findChild<QAbstractButton*>()) {
        corner_ = corner;
        corner->installEventFilter(this);
    }
    setTabKeyNavigation(true);
    setWordWrap(false);
    setMouseTracking(true);
    baseFont_ = font();
    ApplyHeaderColours();
    horizontalHeader()->setMinimumSectionSize(5);
    verticalHeader()->setMinimumSectionSize(5);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    SetSizingColRow(false);
    SetMovableColRow(false);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int from, int to) { MoveSection(Qt::Horizontal, from, to); });
    connect(verticalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int from, int to) { MoveSection(Qt::Vertical, from, to); });
    connect(&model_, &QAbstractItemModel::dataChanged, this, [this] { highlight_ = -1; });
    Refresh();
}

void TMapView::Refresh() {
    highlight_ = -1;
    model_.Refresh();
    AdaptSizes();
    if (fillWindow_) FitToWindow();
    viewport()->update();
}

void TMapView::Repaint() {
    highlight_ = -1;
    viewport()->update();
}

void TMapView::SelectTerm(int i) {
    if (i < 0 || i >= grid_.ResultCount()) return;
    highlight_ = i;
    viewport()->update();
}

void TMapView::AdaptSizes() {
    QFontMetrics fm(font());
    const int w = fm.horizontalAdvance(RowLabel(grid_, 0));
    defaultColWidth_ = maplabels::SettleDefaultWidth(defaultColWidth_, w);
    // Zoomed, the cells keep at least their height in width, as at the designed size, however
    // small the labels are beside them.
    if (zoom_ != 1.0) defaultColWidth_ = std::max(defaultColWidth_, defaultRowHeight_);
    // Room in the corner for the names: the column variables' above the row variables'.
    const int namesWidth =
        std::max(fm.horizontalAdvance(RowNames(grid_)), fm.horizontalAdvance(ColumnNames(grid_))) +
        fm.averageCharWidth() * 2;
    verticalHeader()->setFixedWidth(std::max(defaultColWidth_, namesWidth));
    verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
    horizontalHeader()->setFixedHeight(std::max(defaultRowHeight_, 2 * fm.height() + 2));
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
    const int w2 = fm.horizontalAdvance(ColumnLabel(grid_, 0));
    for (int c = 0; c < model_.columnCount(); ++c) {
        const int width = maplabels::MapColumnWidth(defaultColWidth_, w2, columnWidth(c));
        if (width != columnWidth(c)) setColumnWidth(c, width);
    }
}

bool TMapView::SelectedRectangle(int& left, int& top, int& right, int& bottom) const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return false;
    left = top = INT_MAX;
    right = bottom = -1;
    for (const QModelIndex& i : selected) {
        left = std::min(left, i.column() + 1);
        right = std::max(right, i.column() + 1);
        top = std::min(top, i.row() + 1);
        bottom = std::max(bottom, i.row() + 1);
    }
    return true;
}

void TMapView::ClearSelectedCells() {
    int left, top, right, bottom;
    if (!SelectedRectangle(left, top, right, bottom)) return;
    emit model_.AboutToEdit();
    for (int c = left; c <= right; ++c)
        for (int r = top; r <= bottom; ++r) grid_.SetCells(c, r, "");
    Refresh();
    emit model_.Edited();
}

bool TMapView::EnterValue(const QString& typed) {
    if (typed != "1" && typed != "0" && typed != "*" && typed != " ") return false;
    const QModelIndex at = currentIndex();
    if (!at.isValid()) return false;
    model_.setData(at, typed == " " ? QString() : typed, Qt::EditRole);
    int c = at.column() + 1, r = at.row();
    if (c >= model_.columnCount()) {
        c = 0;
        ++r;
    }
    if (r < model_.rowCount()) setCurrentIndex(model_.index(r, c));
    return true;
}

void TMapView::SetDrawFocusSelected(bool on) {
    drawFocusSelected_ = on;
    viewport()->update();
}

void TMapView::SetMovableColRow(bool on) {
    horizontalHeader()->setSectionsMovable(on);
    verticalHeader()->setSectionsMovable(on);
}

void TMapView::SetSizingColRow(bool on) {
    const auto mode = on ? QHeaderView::Interactive : QHeaderView::Fixed;
    horizontalHeader()->setSectionResizeMode(mode);
    verticalHeader()->setSectionResizeMode(mode);
}

// Dragging a column or row moves its texts, as a grid does; the labels stay in Gray order.
void TMapView::MoveSection(Qt::Orientation orientation, int from, int to) {
    if (restoringSections_ || from == to) return;
    QHeaderView* header = orientation == Qt::Horizontal ? horizontalHeader() : verticalHeader();
    restoringSections_ = true;
    header->moveSection(to, from);
    restoringSections_ = false;
    emit model_.AboutToEdit();
    const bool cols = orientation == Qt::Horizontal;
    const int other = cols ? grid_.MapRows() : grid_.MapColumns();
    for (int k = 1; k <= other; ++k) {
        auto cell = [&](int i) -> std::pair<int, int> {
            return cols ? std::pair{i + 1, k} : std::pair{k, i + 1};
        };
        auto [fc, fr] = cell(from);
        const std::string moving = grid_.Cells(fc, fr);
        const int step = from < to ? 1 : -1;
        for (int i = from; i != to; i += step) {
            auto [dc, dr] = cell(i);
            auto [sc, sr] = cell(i + step);
            grid_.SetCells(dc, dr, grid_.Cells(sc, sr));
        }
        auto [tc, tr] = cell(to);
        grid_.SetCells(tc, tr, moving);
    }
    Refresh();
    emit model_.Edited();
}

void TMapView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (highlight_ < 0 || highlight_ >= grid_.ResultCount()) return;
    QPainter p(viewport());
    const QColor color = platform::ToQColor(grid_.TermColor);
    const QColor text = platform::ToQColor(platform::ContrastingText(grid_.TermColor));
    p.setFont(font());
    const int firstCol = columnAt(0), firstRow = rowAt(0);
    for (const TCellRef& cell : grid_.ResultList()[highlight_].Cells) {
        const int c = cell.Col - 1, r = cell.Row - 1;
        if (c >= model_.columnCount() || r >= model_.rowCount()) continue;
        if (c < firstCol || r < firstRow) continue;
        // The area between the grid lines, then the value again on top in a colour that
        // stands out from the highlight, dark or light alike.
        const QModelIndex index = model_.index(r, c);
        const QRect area = visualRect(index).adjusted(0, 0, -1, -1);
        p.fillRect(area, color);
        // A colour close to the background (black on a dark map) gets an edge in a colour of
        // the colour-blind-safe set, orange on dark and blue on light, so the term still shows.
        const QColor base = QApplication::palette().color(QPalette::Base);
        if (std::abs(color.lightness() - base.lightness()) < 60) {
            p.setPen(QPen(base.lightness() < 128 ? QColor(230, 159, 0) : QColor(0, 114, 178), 2));
            p.drawRect(area.adjusted(1, 1, -1, -1));
        }
        p.setPen(text);
        p.drawText(area, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    }
}

void TMapView::resizeEvent(QResizeEvent* event) {
    highlight_ = -1;
    QTableView::resizeEvent(event);
    if (fillWindow_) FitToWindow();
}

void TMapView::scrollContentsBy(int dx, int dy) {
    highlight_ = -1;
    QTableView::scrollContentsBy(dx, dy);
}

void TMapView::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState) emit KeyDown(event->key());
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
        event->accept();
        return;
    }
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && state() != QAbstractItemView::EditingState && EnterValue(event->text())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TMapView::mouseMoveEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid())
        emit CellHovered(at.column() + 1, at.row() + 1);
    else
        emit CellHovered(0, 0);
    QTableView::mouseMoveEvent(event);
}

void TMapView::leaveEvent(QEvent* event) {
    emit CellHovered(0, 0);
    QTableView::leaveEvent(event);
}

void TMapView::changeEvent(QEvent* event) {
    const auto type = event->type();
    if ((type == QEvent::PaletteChange || type == QEvent::ApplicationPaletteChange ||
         type == QEvent::StyleChange) &&
        !applyingColours_) {
        applyingColours_ = true;
        ApplyHeaderColours();
        applyingColours_ = false;
    }
    if (event->type() == QEvent::FontChange) {
        if (!applyingZoom_ && font().pointSize() > maplabels::kMaxMapFontPoints) {
            QFont capped = font();
            capped.setPointSize(maplabels::kMaxMapFontPoints);
            setFont(capped);
            return;
        }
        highlight_ = -1;
        if (!applyingZoom_) {
            baseFont_ = font();
            if (zoom_ != 1.0) ApplyZoom();
        }
        AdaptSizes();
    }
    QTableView::changeEvent(event);
}

// Fixed cells in silver, as the map's labels have always been shown; on a dark palette a
// dark grey with light labels, so that they stay readable.
void TMapView::ApplyHeaderColours() {
    // The application's palette: a widget with a style sheet does not take a new one itself.
    const QPalette pal = QApplication::palette();
    const bool dark = pal.color(QPalette::Base).lightness() < 128;
    const QString fixed = dark ? "rgb(70, 70, 74)" : "silver";
    const QString text = dark ? "rgb(235, 235, 235)" : "black";
    const QString line = dark ? "rgb(110, 110, 110)" : "gray";
    const QString headerStyle =
        QString(
            "QHeaderView::section { background-color: %1; color: %2; border: 0px; "
            "border-right: 1px solid %3; border-bottom: 1px solid %3; padding: 0px; }")
            .arg(fixed, text, line);
    horizontalHeader()->setStyleSheet(headerStyle);
    verticalHeader()->setStyleSheet(headerStyle);
    setStyleSheet(
        QString("QTableView { background-color: %2; color: %3; gridline-color: %4; } "
                "QTableCornerButton::section { background-color: %1; border: 0px; }")
            .arg(fixed, pal.color(QPalette::Base).name(), pal.color(QPalette::Text).name(), line));
}

void TMapView::SetZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (std::abs(zoom - zoom_) < 1e-6) return;
    zoom_ = zoom;
    ApplyZoom();
    emit ZoomChanged(zoom_);
}

void TMapView::ZoomIn() {
    SetFillWindow(false);
    SetZoom(zoom_ * 1.25);
}

void TMapView::ZoomOut() {
    SetFillWindow(false);
    SetZoom(zoom_ / 1.25);
}

void TMapView::SetFillWindow(bool on) {
    fillWindow_ = on;
    if (on) FitToWindow();
}

void TMapView::ApplyZoom() {
    QFont zoomed = baseFont_;
    if (baseFont_.pointSizeF() > 0)
        zoomed.setPointSizeF(baseFont_.pointSizeF() * zoom_);
    else
        zoomed.setPixelSize(std::max(1, int(std::lround(baseFont_.pixelSize() * zoom_))));
    applyingZoom_ = true;
    setFont(zoomed);
    applyingZoom_ = false;
    defaultRowHeight_ = std::max(5, int(std::lround(25 * zoom_)));
    defaultColWidth_ = defaultRowHeight_;
    for (int c = 0; c < model_.columnCount(); ++c) setColumnWidth(c, defaultColWidth_);
    highlight_ = -1;
    AdaptSizes();
    viewport()->update();
}

// The zoom at which the headers and cells take the view's whole size, found from the sizes
// at the present zoom (labels make the columns a little wider than the rows are high).
void TMapView::FitToWindow() {
    for (int round = 0; round < 3; ++round) {
        const double w =
            verticalHeader()->width() + horizontalHeader()->length() + 2 * frameWidth();
        const double h =
            horizontalHeader()->height() + verticalHeader()->length() + 2 * frameWidth();
        if (w <= 0 || h <= 0) return;
        const double ratio = std::min((width() - 2) / w, (height() - 2) / h);
        if (std::abs(ratio - 1) < 0.03) return;
        const double before = zoom_;
        SetZoom(zoom_ * ratio);
        if (zoom_ == before) return;
    }
}

bool TMapView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner_ || event->type() != QEvent::Paint)
        return QTableView::eventFilter(watched, event);
    QPainter painter(corner_);
    const QRect r = corner_->rect();
    const QPalette pal = QApplication::palette();
    const bool dark = pal.color(QPalette::Base).lightness() < 128;
    painter.fillRect(r, dark ? QColor(70, 70, 74) : QColor(Qt::lightGray));
    painter.setPen(dark ? QColor(110, 110, 110) : QColor(Qt::gray));
    painter.drawLine(r.topLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.setPen(dark ? QColor(235, 235, 235) : QColor(Qt::black));
    painter.setFont(font());
    const QRect inner = r.adjusted(2, 1, -3, -1);
    painter.drawText(inner, Qt::AlignRight | Qt::AlignTop, ColumnNames(grid_));
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignBottom, RowNames(grid_));
    return true;
}

void TMapView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta > 0) ZoomIn();
        if (delta < 0) ZoomOut();
        event->accept();
        return;
    }
    QTableView::wheelEvent(event);
}
