#include "ui/FormulaView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QTreeWidget>
#include <vector>

namespace formulaview {

namespace {

FormulaNotation notation_ = FormulaNotation::AsTyped;

std::vector<QPointer<QTreeWidget>>& Trees() {
    static std::vector<QPointer<QTreeWidget>> trees;
    return trees;
}

QString Framed(const QModelIndex& index) {
    return index.data(kPrefixRole).toString() + ShownText(index) +
           index.data(kSuffixRole).toString();
}

class FormulaDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = Framed(index);
    }

  public:
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QToolTip::showText(event->globalPos(), Framed(index), view);
        return true;
    }
};

QString Text(const QModelIndex& node) {
    return node.data(Qt::DisplayRole).toString();
}

}  // namespace

FormulaNotation Notation() {
    return notation_;
}

void SetNotation(FormulaNotation notation) {
    notation_ = notation;
    auto& trees = Trees();
    std::erase_if(trees, [](const QPointer<QTreeWidget>& t) { return t.isNull(); });
    for (const auto& tree : trees) {
        tree->header()->resizeSections(QHeaderView::ResizeToContents);
        tree->viewport()->update();
    }
}

void ShowFormulasIn(QTreeWidget* tree) {
    tree->setItemDelegate(new FormulaDelegate(tree));
    tree->setTextElideMode(Qt::ElideNone);
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tree->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    Trees().push_back(tree);
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
