#include "ui/FormulaView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QTreeWidget>
#include <algorithm>
#include <vector>

namespace formulaview {

namespace {

FormulaNotation notation_ = FormulaNotation::AsTyped;

std::vector<QPointer<QAbstractItemView>>& Views() {
    static std::vector<QPointer<QAbstractItemView>> views;
    return views;
}

// Rich text for a tooltip: each barred piece overlined on its own, a thin space parting
// neighbouring bars, which the text engine would otherwise draw as one.
QString BarredHtml(const std::vector<NotationPiece>& pieces) {
    QString html;
    bool lastBarred = false;
    for (const NotationPiece& piece : pieces) {
        const QString text = QString::fromStdString(piece.text).toHtmlEscaped();
        if (piece.barred && lastBarred) html += "&#8201;";
        html += piece.barred ? "<span style='text-decoration:overline'>" + text + "</span>" : text;
        lastBarred = piece.barred;
    }
    return html;
}

QString Framed(const QModelIndex& index) {
    return index.data(kPrefixRole).toString() + ShownText(index) +
           index.data(kSuffixRole).toString();
}

// A node in textbook pieces, its prefix and suffix plain.
std::vector<NotationPiece> Pieces(const QModelIndex& index) {
    std::vector<NotationPiece> pieces;
    if (const QString prefix = index.data(kPrefixRole).toString(); !prefix.isEmpty())
        pieces.push_back({prefix.toStdString(), false});
    for (NotationPiece& piece :
         TextbookPieces(index.data(Qt::DisplayRole).toString().toStdString(), ShapeOf(index)))
        pieces.push_back(std::move(piece));
    if (const QString suffix = index.data(kSuffixRole).toString(); !suffix.isEmpty())
        pieces.push_back({suffix.toStdString(), false});
    return pieces;
}

class FormulaDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = Framed(index);
        // A line of prefix alone (a note under a result) is sized and drawn as text too.
        if (!option->text.isEmpty()) option->features |= QStyleOptionViewItem::HasDisplay;
    }

  public:
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (notation_ != FormulaNotation::Textbook)
            return QStyledItemDelegate::paint(painter, option, index);
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        PaintItemWithBars(painter, opt, Pieces(index));
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QToolTip::showText(event->globalPos(),
                           notation_ == FormulaNotation::Textbook
                               ? "<p style='white-space:pre'>" + BarredHtml(Pieces(index)) + "</p>"
                               : Framed(index),
                           view);
        return true;
    }
};

QString Text(const QModelIndex& node) {
    return node.data(Qt::DisplayRole).toString();
}

// A column of formulas that are not tree nodes: the shape comes from the owner.
class ColumnDelegate : public QStyledItemDelegate {
  public:
    ColumnDelegate(std::function<TGlueMethod()> shape, QObject* parent)
        : QStyledItemDelegate(parent), shape_(std::move(shape)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (notation_ != FormulaNotation::Textbook)
            return QStyledItemDelegate::paint(painter, option, index);
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        PaintItemWithBars(painter, opt, TextbookPieces(Text(index).toStdString(), shape_()));
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid() || !index.data().isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const std::string text = Text(index).toStdString();
        QToolTip::showText(event->globalPos(),
                           notation_ == FormulaNotation::Textbook
                               ? "<p style='white-space:pre'>" +
                                     BarredHtml(TextbookPieces(text, shape_())) + "</p>"
                               : QString::fromStdString(text),
                           view);
        return true;
    }

  private:
    std::function<TGlueMethod()> shape_;
};

}  // namespace

QString FormulaHtml(const std::string& formula, TGlueMethod shape) {
    if (notation_ == FormulaNotation::Textbook) return BarredHtml(TextbookPieces(formula, shape));
    return QString::fromStdString(formula).toHtmlEscaped();
}

int BarInset(const QFontMetrics& metrics) {
    return std::max(1, (metrics.height() + 5) / 10);
}

void PaintPieces(QPainter& painter, const QRect& rect, const std::vector<NotationPiece>& pieces) {
    const QFontMetrics metrics(painter.font());
    const int baseline = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
    const int inset = BarInset(metrics);
    const int thickness = std::max(1, metrics.height() / 16);
    // Above the capitals, clear of them by the bar's own width at least.
    const int barTop = std::max(rect.top(), baseline - metrics.capHeight() - inset - thickness);
    int x = rect.left();
    painter.save();
    painter.setClipRect(rect);
    for (const NotationPiece& piece : pieces) {
        const QString text = QString::fromStdString(piece.text);
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(QPoint(x, baseline), text);
        if (piece.barred && width > 2 * inset)
            painter.fillRect(QRect(x + inset, barTop, width - 2 * inset, thickness),
                             painter.pen().color());
        x += width;
    }
    painter.restore();
}

void PaintItemWithBars(QPainter* painter, const QStyleOptionViewItem& option,
                       const std::vector<NotationPiece>& pieces) {
    QStyleOptionViewItem opt = option;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Normal
                                                                            : QPalette::Inactive;
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(
        group, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    PaintPieces(*painter, textRect.adjusted(margin, 0, -margin, 0), pieces);
    painter->restore();
}

void ShowFormulaColumn(QAbstractItemView* view, int column, std::function<TGlueMethod()> shape) {
    view->setItemDelegateForColumn(column, new ColumnDelegate(std::move(shape), view));
    Views().push_back(view);
}

FormulaNotation Notation() {
    return notation_;
}

void SetNotation(FormulaNotation notation) {
    notation_ = notation;
    auto& views = Views();
    std::erase_if(views, [](const QPointer<QAbstractItemView>& v) { return v.isNull(); });
    for (const auto& view : views) {
        if (auto* tree = qobject_cast<QTreeView*>(view.data()))
            tree->header()->resizeSections(QHeaderView::ResizeToContents);
        view->viewport()->update();
    }
}

void ShowFormulasIn(QTreeWidget* tree) {
    tree->setItemDelegate(new FormulaDelegate(tree));
    tree->setTextElideMode(Qt::ElideNone);
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tree->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    Views().push_back(tree);
}

TGlueMethod ShapeOf(const QModelIndex& node) {
    const QModelIndex root = node.parent().isValid() ? node.parent() : node;
    const QAbstractItemModel* model = root.model();
    const int terms = model ? model->rowCount(root) : 0;
    QStringList texts;
    for (int i = 0; i < terms; ++i) {
        const QString term = Text(model->index(i, 0, root));
        if (term.contains('+')) return gmKNF;
        texts << term;
    }
    if (terms >= 2 && texts.join('*') == Text(root)) return gmKNF;
    return gmDNF;
}

QString ShownText(const QModelIndex& node) {
    const std::string text = Text(node).toStdString();
    return QString::fromStdString(ShownFormula(text, ShapeOf(node), notation_));
}

bool CopyFormula(QTreeWidget* tree) {
    QTreeWidgetItem* item = tree->currentItem();
    if (!item) item = tree->topLevelItem(0);
    if (!item) return false;
    const QModelIndex node = tree->model()->index(
        item->parent() ? item->parent()->indexOfChild(item) : tree->indexOfTopLevelItem(item), 0,
        item->parent() ? tree->model()->index(tree->indexOfTopLevelItem(item->parent()), 0)
                       : QModelIndex());
    QApplication::clipboard()->setText(ShownText(node));
    return true;
}

}  // namespace formulaview
