// What the window says about a result beside the result itself: a line under a designed result
// that is above the minimum, and the panel's comparison with the result actually shown.

#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolTip>
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
        QTreeWidgetItem* item = solutions->topLevelItem(i);
        const QString formula = item->text(1);
        // Whole: on one line where the column holds it, else a line for each term at most;
        // never a term cut.
        const QStringList terms = formula.split('+');
        const int width = std::max(1, solutions->columnWidth(1));
        const int lines =
            std::min<int>(terms.size(), (metrics.horizontalAdvance(formula) + width - 1) / width);
        EXPECT_GE(solutions->visualItemRect(item).height(), lines * metrics.lineSpacing())
            << formula.toStdString();
        for (const QString& term : terms)
            EXPECT_GE(width, metrics.horizontalAdvance(term)) << term.toStdString();
    }
    for (int i = 0; i < primes->topLevelItemCount(); ++i) {
        const QString text = primes->topLevelItem(i)->text(4);
        EXPECT_GE(primes->columnWidth(4),
                  QFontMetrics(primes->topLevelItem(i)->font(4)).horizontalAdvance(text));
    }
    EXPECT_GE(primes->columnWidth(4),
              QFontMetrics(primes->header()->font()).horizontalAdvance("Essential"));
}

TEST_F(AnalysisNotes, LongSolutionsWrapInsideThePanelAndShowWholeInTheirTooltip) {
    StartProgram();
    form1->SpinEdit1->setValue(8);
    // Two cyclic parts ("not all equal" over three variables each, two minimal covers apiece)
    // and one product: four minimal solutions of seven terms, alike but for some terms.
    const auto differ = [](int m, int shift) {
        const int bits = (m >> shift) & 7;
        return bits != 0 && bits != 7;
    };
    std::vector<int> ones;
    for (int m = 0; m < 256; ++m)
        if (differ(m, 0) || differ(m, 3) || (m >> 6) == 3) ones.push_back(m);
    testing_support::FillMinterms(form1->Grid, ones);
    form1->resize(900, 500);
    ShowPanel();
    form1->resizeDocks({form1->DockExplain}, {360}, Qt::Horizontal);
    form1->ExplainPanel->Pages->setCurrentIndex(2);
    QApplication::processEvents();
    QTreeWidget* solutions = form1->ExplainPanel->Solutions;
    ASSERT_EQ(solutions->topLevelItemCount(), 4);
    const QFontMetrics metrics(solutions->font());
    const int right = solutions->viewport()->width();
    // Every column inside the list: nothing cut, nothing to scroll to.
    for (int c = 0; c < solutions->columnCount(); ++c) {
        EXPECT_LE(solutions->columnViewportPosition(c) + solutions->columnWidth(c), right) << c;
        EXPECT_GE(solutions->columnWidth(c),
                  metrics.horizontalAdvance(solutions->headerItem()->text(c)))
            << c;
    }
    EXPECT_EQ(solutions->horizontalScrollBar()->maximum(), 0);
    QSet<QString> formulas;
    for (int i = 0; i < solutions->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = solutions->topLevelItem(i);
        const QString formula = item->text(1);
        formulas.insert(formula);
        EXPECT_EQ(formula.count('+'), 6) << formula.toStdString();
        // Wider than its column, so it goes on in a second line of its row.
        ASSERT_GT(metrics.horizontalAdvance(formula), solutions->columnWidth(1));
        const QRect row = solutions->visualItemRect(item);
        EXPECT_GE(row.height(), 2 * metrics.lineSpacing()) << formula.toStdString();
        const QPoint cell(solutions->columnViewportPosition(1) + 4, row.center().y());
        QHelpEvent point(QEvent::ToolTip, cell, solutions->viewport()->mapToGlobal(cell));
        QApplication::sendEvent(solutions->viewport(), &point);
        EXPECT_EQ(QToolTip::text(), formula);
    }
    EXPECT_EQ(formulas.size(), 4);
}

}  // namespace
