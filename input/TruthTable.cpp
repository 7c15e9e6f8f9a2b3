#include "input/TruthTable.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

#include "engine/CarnoGrid.h"
#include "input/TruthTableMap.h"
#include "platform/Colour.h"
#include "platform/QtColour.h"

// --- model: table rows are the minterm rows; the header row is the horizontal header ---

int TruthTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : data_.RowCount() - 1;
}

int TruthTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : data_.ColCount();
}

QVariant TruthTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(data_.Cells(index.column(), index.row() + 1));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

bool TruthTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    if (data_.IsFunctionColumn(index.column()) &&
        !TCarnoGrid::IsCellText(value.toString().toStdString()))
        return false;
    data_.SetCells(index.column(), index.row() + 1, value.toString().toStdString());
    emit dataChanged(index, index);
    return true;
}

QVariant TruthTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(data_.Title(section));
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role == Qt::BackgroundRole && data_.IsFunctionColumn(section)) {
        return platform::ToQColor(TruthTableData::kFunctionTitleColor);
    }
    return {};
}

namespace {
// Paints the title row itself: styles differ in whether they honour a section's background.
class TitleHeader : public QHeaderView {
  public:
    explicit TitleHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int section) const override {
        const QVariant background =
            model()->headerData(section, Qt::Horizontal, Qt::BackgroundRole);
        painter->save();
        painter->fillRect(
            rect, background.isValid() ? background.value<QColor>() : palette().button().color());
        painter->setPen(palette().mid().color());
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->setPen(palette().buttonText().color());
        painter->drawText(rect, Qt::AlignCenter,
                          model()->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString());
        painter->restore();
    }
};
}  // namespace

Qt::ItemFlags TruthTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TruthTableModel::Refresh() {
    beginResetModel();
    endResetModel();
}

// --- view ---

namespace {
// A function's cell takes 1, 0, * or nothing: any other key is refused as it is typed.
class CellDelegate : public QStyledItemDelegate {
  public:
    CellDelegate(const TruthTableData& data, QObject* parent)
        : QStyledItemDelegate(parent), data_(data) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor);
            line && data_.IsFunctionColumn(index.column()))
            line->setValidator(new QRegularExpressionValidator(QRegularExpression("[01*]?"), line));
        return editor;
    }

  private:
    const TruthTableData& data_;
};
}  // namespace

TTruthTable::TTruthTable(QWidget* parent) : QTableView(parent), model_(data_) {
    setHorizontalHeader(new TitleHeader(this));
    setModel(&model_);
    setItemDelegate(new CellDelegate(data_, this));
    verticalHeader()->hide();  // no fixed column
    verticalHeader()->setDefaultSectionSize(TruthTableData::kDefaultRowHeight);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    resize(TruthTableData::kDefaultWidth, TruthTableData::kDefaultHeight);
    CapFont();
    Refresh();
}

void TTruthTable::SetVariableCount(int n) {
    if (data_.SetVariableCount(n)) Refresh();
}

void TTruthTable::SetFunctionCount(int k) {
    if (data_.SetFunctionCount(k)) Refresh();
}

void TTruthTable::Fill() {
    data_.Fill();
    Refresh();
}

void TTruthTable::FillFunction(const QString& value) {
    data_.FillFunction(value.toStdString());
    Refresh();
}

void TTruthTable::FillCarnoCard(TCarnoGrid& map) const {
    ::FillCarnoCard(map, data_);
}

void TTruthTable::LoadFromMap(const TCarnoGrid& map) {
    data_.LoadFromMap(map);
    Refresh();
}

void TTruthTable::Refresh() {
    model_.Refresh();
    ApplySizes();
}

void TTruthTable::ApplySizes() {
    const QFontMetrics metrics(horizontalHeader()->font());
    defaultColWidth_ =
        data_.TitleColumnWidth(TruthTableData::kDefaultColWidth, [&](const std::string& title) {
            return metrics.horizontalAdvance(QString::fromStdString(title));
        });
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
    for (int c = 0; c < data_.ColCount(); ++c) setColumnWidth(c, defaultColWidth_);
}

void TTruthTable::CapFont() {
    QFont f = font();
    if (f.pointSizeF() > TruthTableData::kMaxFontPoints) {
        f.setPointSizeF(TruthTableData::kMaxFontPoints);
        setFont(f);
    }
}

void TTruthTable::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        CapFont();
        ApplySizes();
    }
}

bool TTruthTable::SaveToHTMLTemplate(const std::string& header, const std::string& body,
                                     const std::string& last, std::vector<std::string>& out) const {
    return data_.SaveToHTMLTemplate(header, body, last, out);
}
