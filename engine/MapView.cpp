#include "engine/MapView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "engine/MapLabels.h"
#include "platform/Dialogs.h"
#include "platform/Colour.h"

namespace {

QString RowLabel(const TCarnoGrid& g, int row0) {
    const std::string& e = g.RowGray()[row0];
    return QString::fromStdString(e.substr(e.size() - g.RowVariableCount()));
}

QString ColumnLabel(const TCarnoGrid& g, int col0) {
    const std::string& e = g.ColumnGray()[col0];
    return QString::fromStdString(e.substr(e.size() - g.ColumnVariableCount()));
}

}  // namespace

// --- model ---

int MapModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int MapModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant MapModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(grid_.Cells(index.column() + 1, index.row() + 1));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

bool MapModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    grid_.SetCells(index.column() + 1, index.row() + 1, value.toString().toStdString());
    emit dataChanged(index, index);
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

TMapView::TMapView(TCarnoGrid& grid, QWidget* parent) : QTableView(parent), grid_(grid), model_(grid) {
    setModel(&model_);
    setItemDelegate(new MapDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(true);
    setWordWrap(false);
    // Fixed cells in silver, as the map's labels have always been shown.
    const char* headerStyle =
        "QHeaderView::section { background-color: silver; color: black; border: 0px; "
        "border-right: 1px solid gray; border-bottom: 1px solid gray; padding: 0px; }";
    horizontalHeader()->setStyleSheet(headerStyle);
    verticalHeader()->setStyleSheet(headerStyle);
    setStyleSheet("QTableCornerButton::section { background-color: silver; border: 0px; }");
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
    verticalHeader()->setFixedWidth(defaultColWidth_);
    verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
    horizontalHeader()->setFixedHeight(defaultRowHeight_);
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
    const int w2 = fm.horizontalAdvance(ColumnLabel(grid_, 0));
    for (int c = 0; c < model_.columnCount(); ++c) {
        const int width = maplabels::MapColumnWidth(defaultColWidth_, w2, columnWidth(c));
        if (width != columnWidth(c)) setColumnWidth(c, width);
    }
}

void TMapView::ClearSelectedCells() {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return;
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    for (const QModelIndex& i : selected) {
        left = std::min(left, i.column());
        right = std::max(right, i.column());
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
    }
    for (int c = left; c <= right; ++c)
        for (int r = top; r <= bottom; ++r) grid_.SetCells(c + 1, r + 1, "");
    Refresh();
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
    const bool cols = orientation == Qt::Horizontal;
    const int other = cols ? grid_.MapRows() : grid_.MapColumns();
    for (int k = 1; k <= other; ++k) {
        auto cell = [&](int i) -> std::pair<int, int> { return cols ? std::pair{i + 1, k} : std::pair{k, i + 1}; };
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
        p.setPen(text);
        p.drawText(area, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    }
}

void TMapView::resizeEvent(QResizeEvent* event) {
    highlight_ = -1;
    QTableView::resizeEvent(event);
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
    QTableView::keyPressEvent(event);
}

void TMapView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        if (font().pointSize() > maplabels::kMaxMapFontPoints) {
            QFont capped = font();
            capped.setPointSize(maplabels::kMaxMapFontPoints);
            setFont(capped);
            return;
        }
        highlight_ = -1;
        AdaptSizes();
    }
    QTableView::changeEvent(event);
}
