// What the window says about a result beside the result itself: a line under a designed result
// that is above the minimum, and the panel's comparison with the result actually shown.

#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "MapHelpers.h"
#include "UiFixture.h"
#include "explain/ExplainPanel.h"
#include "ui/FormulaView.h"

namespace {

class AnalysisNotes : public UiFixture {
  protected:
    void ShowPanel() {
        QSignalSpy updated(form1->ExplainPanel, &TExplainPanel::Updated);
        form1->N35->trigger();
        ASSERT_TRUE(updated.count() > 0 || updated.wait(20000));
    }
    QString Summary() const { return form1->ExplainPanel->Summary->text(); }
    QString Note() const {
        QTreeWidgetItem* note = form1->TreeView->topLevelItem(1);
        return note ? note->data(0, formulaview::kPrefixRole).toString() : QString();
    }
};

TEST_F(AnalysisNotes, AResultAboveTheMinimumSaysSoAndThePanelComparesWhatIsShown) {
    StartProgram();
    // The designed gluing gives 3 terms / 6 literals here; 2 terms / 4 literals suffice.
    testing_support::FillMinterms(form1->Grid, {0, 1, 4, 8, 10, 12, 14}, {5, 9});
    form1->BitBtn3Click();
    ASSERT_EQ(form1->TreeView->topLevelItemCount(), 2);
    EXPECT_EQ(form1->TreeView->topLevelItem(0)->childCount(), 3);
    EXPECT_EQ(Note(), "2 terms suffice: see Minimal solutions");
    EXPECT_FALSE(form1->TreeView->topLevelItem(1)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(form1->Grid.ResultCount(), 3) << "the note is no term";
    ShowPanel();
    EXPECT_TRUE(Summary().contains(
        "The analysis gives 3 terms / 6 literals; the minimum is 2 terms / 4 literals."))
        << Summary().toStdString();

    // An exact analysis shows the minimum: no note, and the panel says so at once.
    options->RadioButton4->setChecked(true);
    form1->BitBtn3Click();
    EXPECT_EQ(form1->TreeView->topLevelItemCount(), 1);
    EXPECT_TRUE(Summary().contains("The analysis gives 2 terms / 4 literals: that is the minimum."))
        << Summary().toStdString();
    options->RadioButton3->setChecked(true);
    form1->BitBtn3Click();
    EXPECT_TRUE(Summary().contains("gives 3 terms / 6 literals;")) << Summary().toStdString();
}

TEST_F(AnalysisNotes, OneTermAndOneLiteralAreSingular) {
    StartProgram();
    testing_support::FillMinterms(form1->Grid, {0, 1, 2, 3, 4, 5, 6, 7});  // |A
    form1->BitBtn3Click();
    EXPECT_EQ(form1->TreeView->topLevelItemCount(), 1) << "minimal: nothing to add";
    ShowPanel();
    EXPECT_TRUE(Summary().contains("The analysis gives 1 term / 1 literal: that is the minimum."))
        << Summary().toStdString();
}

TEST_F(AnalysisNotes, ThePanelShowsEveryFormulaWholeAndItsColumnsUncut) {
    StartProgram();
    form1->resize(600, 400);
    // Cyclic: two minimal solutions of three terms, alike up to their last terms.
    testing_support::FillMinterms(form1->Grid, {0, 1, 2, 5, 6, 7, 8, 9, 10, 13, 14, 15});
    ShowPanel();
    QTreeWidget* solutions = form1->ExplainPanel->Solutions;
    QTreeWidget* primes = form1->ExplainPanel->Primes;
    ASSERT_GE(solutions->topLevelItemCount(), 2);
    const QFontMetrics metrics(solutions->font());
    for (int i = 0; i < solutions->topLevelItemCount(); ++i) {
        const QString formula = solutions->topLevelItem(i)->text(1);
        EXPECT_GE(solutions->columnWidth(1), metrics.horizontalAdvance(formula))
            << formula.toStdString();
    }
    for (int i = 0; i < primes->topLevelItemCount(); ++i) {
        const QString text = primes->topLevelItem(i)->text(4);
        EXPECT_GE(primes->columnWidth(4),
                  QFontMetrics(primes->topLevelItem(i)->font(4)).horizontalAdvance(text));
    }
    EXPECT_GE(primes->columnWidth(4),
              QFontMetrics(primes->header()->font()).horizontalAdvance("Essential"));
}

}  // namespace
