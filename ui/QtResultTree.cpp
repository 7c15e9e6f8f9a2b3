#include "ui/QtResultTree.h"

#include <QTreeWidgetItemIterator>

#include "ui/FormulaView.h"

QtResultTree::QtResultTree(QTreeWidget* tree) : tree_(tree) {
    formulaview::ShowFormulasIn(tree_);
}

int QtResultTree::NodeCount() const {
    int count = 0;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) ++count;
    return count;
}

int QtResultTree::AddRoot(const std::string& text) {
    auto* item = new QTreeWidgetItem(tree_, QStringList{QString::fromStdString(text)});
    return tree_->indexOfTopLevelItem(item);
}

void QtResultTree::AddChild(int root, const std::string& text) {
    if (QTreeWidgetItem* parent = tree_->topLevelItem(root)) {
        new QTreeWidgetItem(parent, QStringList{QString::fromStdString(text)});
        parent->setExpanded(true);  // the terms are what the user came for
    }
}

void QtProgress::SetMax(int max) {
    max_ = max;
    Push();
}

void QtProgress::SetPosition(int position) {
    // A progress bar never shows more than its maximum.
    position_ = std::clamp(position, 0, std::max(max_, 0));
    Push();
}

void QtProgress::Push() {
    const int permille = max_ > 0 ? static_cast<int>(1000LL * position_ / max_) : 0;
    if (permille == shownPermille_) return;
    shownPermille_ = permille;
    bar_->setValue(bar_->minimum() + (bar_->maximum() - bar_->minimum()) * permille / 1000);
}
