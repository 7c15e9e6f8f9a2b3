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

// An item's text as pieces in opt's rect (the text's part of the cell), in its font and the
// pen its state gives; the cell itself is drawn already.
void PaintTextOnly(QPainter* painter, const QStyleOptionViewItem& opt,
                   const std::vector<NotationPiece>& pieces);

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

// Past this many characters a node shows its first terms only: a line of megabytes costs the
// text engine seconds at every layout and paint, and its terms are listed beneath it anyway.
constexpr qsizetype kMostShown = 4000;

// The designed text as drawn: whole, or cut after a term (`cut` then says so).
std::string DrawnText(const QModelIndex& index, bool& cut) {
    const QString text = index.data(Qt::DisplayRole).toString();
    cut = text.size() > kMostShown;
    if (!cut) return text.toStdString();
    const qsizetype at = text.lastIndexOf(ShapeOf(index) == gmKNF ? '*' : '+', kMostShown);
    return text.left(at > 0 ? at : kMostShown).toStdString();
}

const char* const kCutMark = " \u2026";

QString Framed(const QModelIndex& index) {
    bool cut = false;
    const std::string drawn = DrawnText(index, cut);
    return index.data(kPrefixRole).toString() +
           QString::fromStdString(ShownFormula(drawn, ShapeOf(index), notation_)) +
           (cut ? QString::fromUtf8(kCutMark) : QString()) + index.data(kSuffixRole).toString();
}

// A node in textbook pieces, its prefix and suffix plain.
std::vector<NotationPiece> Pieces(const QModelIndex& index) {
    std::vector<NotationPiece> pieces;
    if (const QString prefix = index.data(kPrefixRole).toString(); !prefix.isEmpty())
        pieces.push_back({prefix.toStdString(), false});
    bool cut = false;
    for (NotationPiece& piece : TextbookPieces(DrawnText(index, cut), ShapeOf(index)))
        pieces.push_back(std::move(piece));
    if (cut) pieces.push_back({kCutMark, false});
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

// A formula in pieces split where a line may break: after each term of a sum of products (a
// "+" outside brackets) or each sum of a product of sums (a ")" or "*" outside them), the
// spaces after the break kept with the piece before.
std::vector<std::vector<NotationPiece>> Breakable(const std::vector<NotationPiece>& pieces,
                                                  TGlueMethod shape) {
    std::vector<std::vector<NotationPiece>> chunks(1);
    int depth = 0;
    bool broken = false;  // a break is due before the next character that is not a space
    const auto append = [&](const std::string& text, bool barred) {
        if (broken) {
            chunks.emplace_back();
            broken = false;
        }
        auto& chunk = chunks.back();
        if (!chunk.empty() && !barred && !chunk.back().barred)
            chunk.back().text += text;
        else
            chunk.push_back({text, barred});
    };
    for (const NotationPiece& piece : pieces) {
        if (piece.barred) {
            append(piece.text, true);
            continue;
        }
        for (char c : piece.text) {
            if (c == ' ' && broken) {
                chunks.back().back().text += c;
                continue;
            }
            append(std::string(1, c), false);
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            if (depth == 0 && (shape == gmKNF ? c == ')' || c == '*' : c == '+')) broken = true;
        }
    }
    return chunks;
}

int PiecesWidth(const QFontMetrics& metrics, const std::vector<NotationPiece>& pieces) {
    int width = 0;
    for (const NotationPiece& piece : pieces)
        width += metrics.horizontalAdvance(QString::fromStdString(piece.text));
    return width;
}

// The chunks in lines no wider than width where they can be, each line at least one chunk.
std::vector<std::vector<NotationPiece>> Lines(
    const QFontMetrics& metrics, int width, const std::vector<std::vector<NotationPiece>>& chunks) {
    std::vector<std::vector<NotationPiece>> lines;
    int used = 0;
    for (const auto& chunk : chunks) {
        const int w = PiecesWidth(metrics, chunk);
        if (lines.empty() || (used > 0 && used + w > width)) {
            lines.emplace_back();
            used = 0;
        }
        lines.back().insert(lines.back().end(), chunk.begin(), chunk.end());
        used += w;
    }
    return lines;
}

// A column of formulas that are not tree nodes: the shape comes from the owner. Wrapped, a
// formula wider than its column goes on in further lines of the same row.
class ColumnDelegate : public QStyledItemDelegate {
  public:
    ColumnDelegate(std::function<TGlueMethod()> shape, bool wrap, QAbstractItemView* view)
        : QStyledItemDelegate(view), shape_(std::move(shape)), wrap_(wrap), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (wrap_) {
            QStyleOptionViewItem opt = option;
            initStyleOption(&opt, index);
            return PaintWrapped(painter, opt, index);
        }
        if (notation_ != FormulaNotation::Textbook)
            return QStyledItemDelegate::paint(painter, option, index);
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        PaintItemWithBars(painter, opt, TextbookPieces(Text(index).toStdString(), shape_()));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const auto* tree = qobject_cast<const QTreeView*>(view_);
        if (!wrap_ || !tree) return size;
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.rect = QRect(0, 0, tree->header()->sectionSize(index.column()), size.height());
        const QFontMetrics metrics(opt.font);
        const int lines = static_cast<int>(
            Lines(metrics, TextWidth(opt), Breakable(PiecesOf(index), shape_())).size());
        size.rheight() += (lines - 1) * metrics.lineSpacing();
        return size;
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

    // The widest piece a wrapped formula of the column cannot break, with the cell's margins.
    int WidestTerm(const QAbstractItemView* view, int column) const {
        const QFontMetrics metrics(view->font());
        const QAbstractItemModel* model = view->model();
        int widest = 0;
        for (int row = 0; model && row < model->rowCount(); ++row)
            for (const auto& chunk : Breakable(PiecesOf(model->index(row, column)), shape_()))
                widest = std::max(widest, PiecesWidth(metrics, chunk));
        const QStyle* style = view->style();
        return widest + 4 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    }

  private:
    std::vector<NotationPiece> PiecesOf(const QModelIndex& index) const {
        const std::string text = Text(index).toStdString();
        if (notation_ == FormulaNotation::Textbook) return TextbookPieces(text, shape_());
        return {{text, false}};
    }

    // The width the text has in a cell of opt's rect.
    static int TextWidth(const QStyleOptionViewItem& opt) {
        const QWidget* widget = opt.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        return style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).width() -
               2 * margin;
    }

    void PaintWrapped(QPainter* painter, const QStyleOptionViewItem& opt,
                      const QModelIndex& index) const {
        const QFontMetrics metrics(opt.font);
        const auto lines = Lines(metrics, TextWidth(opt), Breakable(PiecesOf(index), shape_()));
        // The cell as the style draws it, then each line as one row of pieces.
        QStyleOptionViewItem cell = opt;
        cell.rect.setHeight(metrics.lineSpacing() * static_cast<int>(lines.size()));
        cell.rect.moveTop(opt.rect.top() + (opt.rect.height() - cell.rect.height()) / 2);
        QStyleOptionViewItem background = opt;
        background.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
        QRect line = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
        line.setHeight(metrics.lineSpacing());
        for (const auto& pieces : lines) {
            QStyleOptionViewItem one = opt;
            one.rect = line;
            PaintTextOnly(painter, one, pieces);
            line.translate(0, metrics.lineSpacing());
        }
    }

    std::function<TGlueMethod()> shape_;
    bool wrap_;
    QAbstractItemView* view_;
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
    opt.rect = textRect;
    PaintTextOnly(painter, opt, pieces);
}

namespace {

void PaintTextOnly(QPainter* painter, const QStyleOptionViewItem& opt,
                   const std::vector<NotationPiece>& pieces) {
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect& textRect = opt.rect;
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

}  // namespace

void ShowFormulaColumn(QAbstractItemView* view, int column, std::function<TGlueMethod()> shape) {
    view->setItemDelegateForColumn(column, new ColumnDelegate(std::move(shape), false, view));
    Views().push_back(view);
}

namespace {

// The wrapped column takes the width the other columns leave, but no less than its widest term
// (kept on the view by FitWrappedColumn): a term is never cut, a scroll bar shows instead.
void Refit(QTreeView* view, int column) {
    QHeaderView* header = view->header();
    int others = 0;
    for (int i = 0; i < header->count(); ++i)
        if (i != column && !header->isSectionHidden(i)) others += header->sectionSize(i);
    const int widest = view->property("mwWidestTerm").toInt();
    const int width = std::max(widest, view->viewport()->width() - others);
    if (header->sectionSize(column) != width) header->resizeSection(column, width);
}

class RefitOnResize : public QObject {
  public:
    RefitOnResize(QTreeView* view, int column) : QObject(view), view_(view), column_(column) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) Refit(view_, column_);
        return false;
    }

  private:
    QTreeView* view_;
    int column_;
};

}  // namespace

void ShowWrappedFormulaColumn(QTreeView* view, int column, std::function<TGlueMethod()> shape) {
    view->setItemDelegateForColumn(column, new ColumnDelegate(std::move(shape), true, view));
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(column, QHeaderView::Fixed);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setTextElideMode(Qt::ElideNone);
    view->viewport()->installEventFilter(new RefitOnResize(view, column));
    // The rows' heights follow the column's width; the column follows the others'.
    QObject::connect(header, &QHeaderView::sectionResized, view, [view, column](int section) {
        if (section == column)
            view->doItemsLayout();
        else
            Refit(view, column);
    });
    Views().push_back(view);
}

void FitWrappedColumn(QTreeView* view, int column) {
    const auto* delegate = dynamic_cast<ColumnDelegate*>(view->itemDelegateForColumn(column));
    if (!delegate) return;
    view->setProperty("mwWidestTerm", delegate->WidestTerm(view, column));
    view->header()->resizeSections(QHeaderView::ResizeToContents);
    Refit(view, column);
    view->doItemsLayout();
}

FormulaNotation Notation() {
    return notation_;
}

void SetNotation(FormulaNotation notation) {
    notation_ = notation;
    auto& views = Views();
    std::erase_if(views, [](const QPointer<QAbstractItemView>& v) { return v.isNull(); });
    for (const auto& view : views) {
        if (auto* tree = qobject_cast<QTreeView*>(view.data())) {
            // A wrapped column's terms change width with the notation; its rows take the lines.
            QHeaderView* header = tree->header();
            int wrapped = -1;
            for (int i = 0; i < header->count(); ++i)
                if (header->sectionResizeMode(i) == QHeaderView::Fixed) wrapped = i;
            if (wrapped >= 0)
                FitWrappedColumn(tree, wrapped);
            else
                header->resizeSections(QHeaderView::ResizeToContents);
        }
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
    if (const QVariant known = root.data(kShapeRole); known.isValid())
        return static_cast<TGlueMethod>(known.toInt());
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
