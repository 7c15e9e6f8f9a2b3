// The "Minimal solutions" panel in the main window: F6, the pages, loops on the map, "Use as
// result", recomputing after an edit, and the option that makes F5 give an exact minimum.

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include "MapHelpers.h"
#include "app/UiFixture.h"
#include "engine/MapView.h"
#include "explain/ExplainPanel.h"
#include "explain/LoopOverlay.h"

namespace {

class ExplainPanelUi : public UiFixture {
  protected:
    // F6, then the worker's answer.
    void Explain() {
        QSignalSpy updated(form1->ExplainPanel, &TExplainPanel::Updated);
        form1->N35->trigger();
        ASSERT_TRUE(updated.count() > 0 || updated.wait(20000));
    }
    TExplainPanel* Panel() { return form1->ExplainPanel; }
};

TEST_F(ExplainPanelUi, F6ShowsPrimesChartAndSolutionsAndDrawsLoops) {
    StartProgram();
    testing_support::FillMinterms(form1->Grid, {0, 1, 4, 8, 10, 12, 14}, {5, 9});
    form1->CarnoGrid1->Refresh();
    EXPECT_FALSE(form1->DockExplain->isVisible());
    Explain();
    EXPECT_TRUE(form1->DockExplain->isVisible());
    EXPECT_TRUE(form1->SpeedButton12->isChecked());

    const explain::Explanation& e = Panel()->Current();
    ASSERT_EQ(Panel()->Primes->topLevelItemCount(), static_cast<int>(e.primes.size()));
    EXPECT_EQ(Panel()->Primes->topLevelItem(0)->text(0), "P1");
    EXPECT_EQ(Panel()->Primes->topLevelItem(0)->text(1), "|A*|C");
    EXPECT_EQ(Panel()->Primes->topLevelItem(0)->text(2), "0, 1, 4, 5");
    EXPECT_EQ(Panel()->Chart->model()->rowCount(), 7);
    EXPECT_EQ(Panel()->Chart->model()->columnCount(), static_cast<int>(e.primes.size()));
    EXPECT_EQ(Panel()->Steps->count(), static_cast<int>(e.steps.size()));
    EXPECT_TRUE(Panel()->Summary->text().contains(
        "The analysis gives 3 terms / 6 literals; the minimum is 2 terms / 4 literals."));
    EXPECT_EQ(Panel()->CountLabel->text(), "One minimal solution.");
    ASSERT_EQ(Panel()->Solutions->topLevelItemCount(), 1);
    EXPECT_EQ(Panel()->Solutions->topLevelItem(0)->text(1), "|A*|C+A*|D");

    // A prime draws its own loop; the solution draws one per term, A*|D in two blocks.
    Panel()->Pages->setCurrentIndex(0);
    Panel()->Primes->setCurrentItem(Panel()->Primes->topLevelItem(0));
    EXPECT_EQ(Panel()->Loops()->LoopCount(), 1);
    Panel()->Pages->setCurrentIndex(2);
    Panel()->Solutions->setCurrentItem(Panel()->Solutions->topLevelItem(0));
    EXPECT_EQ(Panel()->Loops()->LoopCount(), 2);
    Panel()->Loops()->grab();
    EXPECT_EQ(Panel()->Loops()->OutlineCount(), 3);
    EXPECT_TRUE(Panel()->UseButton->isEnabled());
}

TEST_F(ExplainPanelUi, UseAsResultFillsTheTreeAndTheHighlightFollowsIt) {
    StartProgram();
    testing_support::FillMinterms(form1->Grid, {0, 1, 4, 8, 10, 12, 14}, {5, 9});
    form1->CarnoGrid1->Refresh();
    form1->BitBtn3Click();
    ASSERT_EQ(form1->TreeView->topLevelItem(0)->text(0), "A*|D+|C*|D+|B*|C");
    Explain();
    Panel()->Solutions->setCurrentItem(Panel()->Solutions->topLevelItem(0));
    QTest::mouseClick(Panel()->UseButton, Qt::LeftButton);
    ASSERT_EQ(form1->TreeView->topLevelItemCount(), 1);
    QTreeWidgetItem* root = form1->TreeView->topLevelItem(0);
    EXPECT_EQ(root->text(0), "|A*|C+A*|D");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(1)->text(0), "A*|D");
    EXPECT_EQ(form1->Grid.ResultFormula(), "|A*|C+A*|D");
    EXPECT_TRUE(form1->Createreport1->isEnabled());
    form1->TreeView->setCurrentItem(root->child(1));
    EXPECT_EQ(form1->CarnoGrid1->HighlightedTerm(), 1);
    EXPECT_TRUE(form1->Grid.IsCellOfTerm(1, 4, 4));  // minterm 10: row 10, column 10
}

TEST_F(ExplainPanelUi, StepByStepPageWorksTheTableAndPetricksMethod) {
    StartProgram();
    // Six cells around a ring: no essential prime, a cyclic core of six primes.
    testing_support::FillMinterms(form1->Grid, {0, 1, 2, 5, 6, 7}, {});
    form1->CarnoGrid1->Refresh();
    Explain();
    const explain::Explanation& e = Panel()->Current();
    ASSERT_EQ(e.corePrimes.size(), 6u);
    ASSERT_EQ(Panel()->Pages->count(), 4);
    EXPECT_EQ(Panel()->Pages->tabText(3), "Step by step");
    const QString text = Panel()->MethodPage->toPlainText();
    EXPECT_TRUE(text.contains("Quine-McCluskey table"));
    EXPECT_TRUE(text.contains("0000 (0)")) << "the first column holds the single cells";
    EXPECT_TRUE(text.contains("000- (0, 1)"));
    EXPECT_TRUE(text.contains("Petrick's method"));
    // Each minimal solution is one of Petrick's products, written with the primes' labels.
    ASSERT_EQ(e.solutions.size(), 2u);
    for (const explain::Solution& s : e.solutions) {
        QStringList labels;
        for (int p : s.primes) labels << "P" + QString::number(p + 1);
        EXPECT_TRUE(text.contains(labels.join(QChar(0xB7))))
            << labels.join(QChar(0xB7)).toStdString();
    }

    QSignalSpy updated(Panel(), &TExplainPanel::Updated);
    form1->Grid.FillCard("0");
    form1->CarnoGrid1->Refresh();
    Panel()->RunNow();
    ASSERT_TRUE(updated.count() > 0 || updated.wait(20000));
    EXPECT_FALSE(Panel()->MethodPage->toPlainText().contains("0000 (0)"));
}

TEST_F(ExplainPanelUi, HazardsAreArrowsAndTheHazardFreeCoverIsShownAndUsed) {
    StartProgram();
    testing_support::FillMinterms(form1->Grid, {0, 1, 4, 8, 10, 12, 14}, {5, 9});
    form1->CarnoGrid1->Refresh();
    Explain();
    Panel()->Pages->setCurrentIndex(2);
    Panel()->Solutions->setCurrentItem(Panel()->Solutions->topLevelItem(0));
    EXPECT_EQ(Panel()->Loops()->LoopCount(), 2);
    EXPECT_EQ(Panel()->Loops()->ArrowCount(), 2) << "0-8 and 4-12 lie in two terms";
    EXPECT_TRUE(Panel()->HazardLabel->text().startsWith("Static-1 hazards"));

    Panel()->HazardFree->setChecked(true);
    EXPECT_EQ(Panel()->Loops()->LoopCount(), 3) << "the consensus term is drawn";
    EXPECT_EQ(Panel()->Loops()->ArrowCount(), 0);
    Panel()->Loops()->grab();
    QTest::mouseClick(Panel()->UseButton, Qt::LeftButton);
    EXPECT_EQ(form1->Grid.ResultFormula(), "|A*|C+A*|D+|C*|D");
    Panel()->Pages->setCurrentIndex(0);
    EXPECT_EQ(Panel()->Loops()->ArrowCount(), 0) << "arrows belong to the solutions page";
}

TEST_F(ExplainPanelUi, AnEditRecomputesAfterwardsWithoutHoldingTheEdit) {
    StartProgram();
    form1->Grid.FillCard("0");
    form1->CarnoGrid1->Refresh();
    Explain();
    EXPECT_EQ(Panel()->Solutions->topLevelItem(0)->text(1), "0");

    QSignalSpy updated(Panel(), &TExplainPanel::Updated);
    MapModel& model = form1->CarnoGrid1->Model();
    model.setData(model.index(0, 0), "1", Qt::EditRole);  // minterm 0
    EXPECT_TRUE(Panel()->Busy()) << "the edit returns before the work is done";
    EXPECT_EQ(Panel()->Loops()->LoopCount(), 0);
    ASSERT_TRUE(updated.wait(20000));
    EXPECT_EQ(Panel()->Solutions->topLevelItem(0)->text(1), "|A*|B*|C*|D");

    model.setData(model.index(1, 1), "x", Qt::EditRole);
    ASSERT_TRUE(updated.wait(20000));
    EXPECT_TRUE(Panel()->Summary->text().startsWith("Invalid data in cell."));
    EXPECT_EQ(Panel()->Solutions->topLevelItemCount(), 0);
    EXPECT_TRUE(messages.Texts().empty()) << "the panel shows no message box while typing";
}

TEST_F(ExplainPanelUi, TheExactMinimumOptionMakesAnalyzeGiveTheMinimum) {
    StartProgram();
    form1->SpinEdit1->setValue(8);
    form1->Grid.FillCard("1");
    form1->CarnoGrid1->Refresh();
    form1->BitBtn3Click();
    EXPECT_EQ(form1->TreeView->topLevelItem(0)->text(0), "B*F+|B*F+B*|F+|B*|F");
    options->RadioButton4->setChecked(true);
    form1->BitBtn3Click();
    ASSERT_EQ(form1->TreeView->topLevelItemCount(), 1);
    EXPECT_EQ(form1->TreeView->topLevelItem(0)->text(0), "1");
    EXPECT_EQ(form1->TreeView->topLevelItem(0)->childCount(), 1);
}

}  // namespace
