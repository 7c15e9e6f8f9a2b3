// The result tree as people read it: unfolded after each analysis, long results in full (a
// scroll bar, a tooltip), copied whole, and in textbook notation when the options say so; and
// file dialogs that come back to the folder last used for their kind of file.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <functional>

#include "MapHelpers.h"
#include "UiFixture.h"
#include "engine/MapView.h"
#include "ui/FormulaView.h"

namespace {

using ResultTree = UiFixture;

const QString kBar = QString::fromUtf8("\xCC\x85");

QModelIndex Node(QTreeWidget* tree, int child = -1) {
    const QModelIndex root = tree->model()->index(0, 0);
    return child < 0 ? root : tree->model()->index(child, 0, root);
}

TEST_F(ResultTree, UnfoldedAfterAnalysisWithLongResultsInFullAndCopied) {
    StartProgram();
    form1->SpinEdit1->setValue(8);
    // A chequer board: no two ones adjacent, so 128 terms of eight literals each.
    std::vector<int> ones;
    for (int m = 0; m < 256; ++m)
        if (__builtin_popcount(m) % 2) ones.push_back(m);
    testing_support::FillMinterms(form1->Grid, ones);
    form1->TreeView->resize(240, 200);
    QTest::keyClick(form1->CarnoGrid1, Qt::Key_F5);
    QApplication::processEvents();
    QTreeWidgetItem* root = form1->TreeView->topLevelItem(0);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->childCount(), 128);
    EXPECT_TRUE(root->isExpanded());
    // Nothing cut off: the column is as wide as the longest text, and the bar scrolls to it.
    EXPECT_GE(form1->TreeView->columnWidth(0),
              form1->TreeView->fontMetrics().horizontalAdvance(root->text(0)));
    EXPECT_GT(form1->TreeView->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(form1->TreeView->textElideMode(), Qt::ElideNone);

    // Pointing at a line shows it whole.
    const QRect line = form1->TreeView->visualItemRect(root->child(0));
    QHelpEvent point(QEvent::ToolTip, line.center(),
                     form1->TreeView->viewport()->mapToGlobal(line.center()));
    QApplication::sendEvent(form1->TreeView->viewport(), &point);
    EXPECT_EQ(QToolTip::text(), root->child(0)->text(0));

    QApplication::clipboard()->clear();
    form1->TreeView->setCurrentItem(nullptr);
    form1->CopyFormula1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), root->text(0));
    EXPECT_TRUE(form1->PopupMenu2->actions().contains(form1->CopyFormula1));
    // Ctrl+C in the tree copies the node there; in the map it is not this command.
    form1->TreeView->setCurrentItem(root->child(3));
    form1->TreeView->setFocus();
    QTest::keyClick(form1->TreeView, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), root->child(3)->text(0));
}

// A result of many thousand terms (the advanced tool's) is drawn up to a term and marked as
// cut, since laying out megabytes takes the text engine seconds at every paint; it is still
// copied whole, and its terms are the rows below it.
TEST_F(ResultTree, AFormulaOfManyTermsIsDrawnInPartAndCopiedWhole) {
    StartProgram();
    QTreeWidget tree;
    formulaview::ShowFormulasIn(&tree);
    QStringList terms;
    for (int t = 0; t < 3000; ++t) terms << QString("A*|B*C%1").arg(t);
    auto* root = new QTreeWidgetItem(&tree, QStringList{terms.join('+')});
    for (const QString& t : terms) new QTreeWidgetItem(root, QStringList{t});
    const QModelIndex index = Node(&tree);
    QStyleOptionViewItem option;
    option.initFrom(&tree);
    const int drawn = tree.itemDelegate()->sizeHint(option, index).width();
    const int whole = tree.fontMetrics().horizontalAdvance(root->text(0));
    EXPECT_GT(drawn, whole / 20);
    EXPECT_LT(drawn, whole / 5);
    EXPECT_EQ(formulaview::ShownText(index), root->text(0));
    tree.setCurrentItem(root);
    ASSERT_TRUE(formulaview::CopyFormula(&tree));
    EXPECT_EQ(QApplication::clipboard()->text(), root->text(0));
}

TEST_F(ResultTree, TextbookNotationIsShownAndCopiedWhileTheNodesKeepTheTypedText) {
    StartProgram();
    options->RadioButton2->setChecked(true);  // product of sums
    testing_support::FillMinterms(form1->Grid, {0, 5, 7, 10, 13, 15}, {}, "0", "1");
    form1->BitBtn3Click();
    QTreeWidget* tree = form1->TreeView;
    const QString typed = tree->topLevelItem(0)->text(0);
    ASSERT_TRUE(typed.contains('*') && typed.contains('+')) << typed.toStdString();
    EXPECT_EQ(formulaview::ShownText(Node(tree)), typed);

    options->RadioButton6->setChecked(true);  // textbook
    EXPECT_EQ(tree->topLevelItem(0)->text(0), typed) << "commands read the designed text";
    const QString shown = formulaview::ShownText(Node(tree));
    EXPECT_TRUE(shown.startsWith('(') && shown.endsWith(')')) << shown.toStdString();
    EXPECT_TRUE(shown.contains(kBar));
    EXPECT_FALSE(shown.contains('|') || shown.contains('*'));
    const QString term = formulaview::ShownText(Node(tree, 0));
    EXPECT_FALSE(term.contains('(')) << "a term alone needs no brackets";
    tree->setCurrentItem(nullptr);
    form1->CopyFormula1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), shown);
    // The choice is kept in the settings and comes back at the next start.
    DestroyProgram();
    StartProgram();
    EXPECT_TRUE(options->RadioButton6->isChecked());
    EXPECT_EQ(formulaview::Notation(), FormulaNotation::Textbook);
    options->RadioButton5->setChecked(true);
    EXPECT_EQ(formulaview::Notation(), FormulaNotation::AsTyped);
}

TEST_F(ResultTree, SaveDialogsComeBackToTheFolderOfTheirKind) {
    StartProgram();
    ASSERT_TRUE(QDir().mkpath(Path("maps")));
    form1->Grid.SetCells(1, 1, "1");
    dialogs.files.push_back({true, Path("maps/one.km"), 1});
    EXPECT_TRUE(platform::RememberedFolder("km").isEmpty());
    form1->N5->trigger();
    EXPECT_EQ(platform::RememberedFolder("km"), Path("maps"));
    form1->N5->trigger();  // cancelled: nothing chosen, nothing forgotten
    EXPECT_EQ(platform::RememberedFolder("KM"), Path("maps"));
    EXPECT_TRUE(platform::RememberedFolder("jpg").isEmpty()) << "each kind its own";

    // The real dialog opens there.
    platform::SetDialogProvider(nullptr);
    QString opened;
    std::function<void()> whenShown = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return QTimer::singleShot(10, whenShown);
        opened = dialog->directory().absolutePath();
        dialog->reject();
    };
    QTimer::singleShot(0, whenShown);
    form1->N18->trigger();
    platform::SetDialogProvider(&dialogs);
    EXPECT_EQ(opened, QDir(Path("maps")).absolutePath());
    EXPECT_EQ(platform::RememberedFolder("km"), Path("maps"));
}

}  // namespace
