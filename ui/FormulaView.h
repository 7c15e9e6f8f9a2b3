#pragma once
// Result trees as people read them: each formula and term in the notation chosen in the
// options, long texts in full (a horizontal scroll bar, a tooltip) and copied as shown. The
// nodes keep the designed text, which every command reads.

#include <QObject>
#include <QString>
#include <Qt>
#include <functional>
#include <vector>

#include "engine/Notation.h"

class QAbstractItemView;
class QFontMetrics;
class QModelIndex;
class QPainter;
class QRect;
class QStyleOptionViewItem;
class QTreeView;
class QTreeWidget;

namespace formulaview {

FormulaNotation Notation();
// Every tree set up by ShowFormulasIn shows the new notation at once.
void SetNotation(FormulaNotation notation);

// Plain text shown before and after a node's formula, never part of it (an output's name, a
// note on a term); commands and copies read the formula alone.
constexpr int kPrefixRole = Qt::UserRole + 40;
constexpr int kSuffixRole = Qt::UserRole + 41;
// A formula node's shape (an int of TGlueMethod) where its filler knows it: ShapeOf then reads
// no term, which a result of a hundred thousand terms cannot afford for each of them.
constexpr int kShapeRole = Qt::UserRole + 42;

// The notation, tooltips and scrolling for tree.
void ShowFormulasIn(QTreeWidget* tree);
// One column of view holds formulas in the designed text, of the shape shape() gives: shown
// and given as tooltips in the notation chosen.
void ShowFormulaColumn(QAbstractItemView* view, int column, std::function<TGlueMethod()> shape);
// The same in a column that takes the width the others leave, a long formula wrapped between
// its terms onto further lines of its row (no scrolling sideways), whole in its tooltip.
void ShowWrappedFormulaColumn(QTreeView* view, int column, std::function<TGlueMethod()> shape);
// After the rows are filled: the wrapped column no narrower than its widest term.
void FitWrappedColumn(QTreeView* view, int column);

// Rich text of a formula in the notation chosen, for labels.
QString FormulaHtml(const std::string& formula, TGlueMethod shape);

// Textbook pieces drawn from rect's left, centred in its height, in the painter's font and pen;
// every barred piece gets a bar of its own, BarInset pixels short of each end.
void PaintPieces(QPainter& painter, const QRect& rect, const std::vector<NotationPiece>& pieces);
int BarInset(const QFontMetrics& metrics);
// An item view's cell (its option initialised) as the style draws it, with pieces for its text.
void PaintItemWithBars(QPainter* painter, const QStyleOptionViewItem& option,
                       const std::vector<NotationPiece>& pieces);

// Whether a node is read as part of a product of sums: a formula node whose terms are sums or
// which joins its terms by "*", and the terms of such a node.
TGlueMethod ShapeOf(const QModelIndex& node);

// The node's text as shown.
QString ShownText(const QModelIndex& node);

// Puts the current node's text as shown (the first formula node when none is current) on the
// clipboard; false when the tree is empty.
bool CopyFormula(QTreeWidget* tree);

}  // namespace formulaview
