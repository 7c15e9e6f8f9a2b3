// Textbook notation on screen: neighbouring complemented names keep bars of their own, measured
// on the painted tree and panel, so that B̄D̄ never reads as the complement of BD.

#include <QDockWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "MapHelpers.h"
#include "UiFixture.h"
#include "explain/ExplainPanel.h"
#include "ui/FormulaView.h"

namespace {

struct Bars {
    int row = -1;                           // the topmost row with ink: where bars stand
    std::vector<std::pair<int, int>> runs;  // [first, last] columns of ink in that row
};

bool Ink(QRgb pixel, QRgb paper) {
    return std::abs(qGray(pixel) - qGray(paper)) > 96;
}

// The ink of area in view's painting, from its top row down to the first row that has some.
Bars TopInk(QAbstractItemView* view, const QRect& area) {
    const QImage image = view->viewport()->grab().toImage();
    const QRgb paper = image.pixel(area.right() - 1, area.center().y());
    Bars bars;
    for (int y = area.top(); y <= area.bottom() && bars.row < 0; ++y) {
        int start = -1;
        for (int x = area.left(); x <= area.right() + 1; ++x) {
            const bool ink = x <= area.right() && Ink(image.pixel(x, y), paper);
            if (ink && start < 0) start = x;
            if (!ink && start >= 0) {
                bars.runs.push_back({start, x - 1});
                start = -1;
            }
        }
        if (!bars.runs.empty()) bars.row = y;
    }
    return bars;
}

void ExpectTwoBarsApart(const Bars& bars, const std::string& where) {
    ASSERT_EQ(bars.runs.size(), 2u) << where << ": one bar per complemented name";
    EXPECT_GE(bars.runs[1].first - bars.runs[0].second - 1, 2) << where << ": the gap in pixels";
    for (const auto& [first, last] : bars.runs) EXPECT_GE(last - first + 1, 3) << where;
}

class NotationBars : public UiFixture {};

TEST_F(NotationBars, NeighbouringComplementsAreBarredApartInTreeAndPanel) {
    StartProgram();
    options->RadioButton6->setChecked(true);  // textbook
    testing_support::FillMinterms(form1->Grid, {0, 2, 8, 10});
    form1->BitBtn3Click();
    QTreeWidget* tree = form1->TreeView;
    ASSERT_EQ(tree->topLevelItem(0)->text(0), "|B*|D");
    tree->setCurrentItem(nullptr);
    tree->clearSelection();
    // Right of the node's icon: the text alone.
    QRect text = tree->visualItemRect(tree->topLevelItem(0));
    text.setLeft(text.left() + tree->iconSize().width() + 8);
    ExpectTwoBarsApart(TopInk(tree, text), "tree");

    // The panel lists the same formula as its one prime and its one solution.
    QSignalSpy updated(form1->ExplainPanel, &TExplainPanel::Updated);
    form1->N35->trigger();
    ASSERT_TRUE(updated.count() > 0 || updated.wait(20000));
    form1->DockExplain->resize(500, 400);
    QTreeWidget* primes = form1->ExplainPanel->Primes;
    ASSERT_EQ(primes->topLevelItemCount(), 1);
    primes->setCurrentItem(nullptr);
    primes->clearSelection();
    ASSERT_EQ(primes->topLevelItem(0)->text(1), "|B*|D") << "the item keeps the designed text";
    primes->resizeColumnToContents(1);
    const QRect cell = primes->visualRect(primes->model()->index(0, 1));
    ExpectTwoBarsApart(TopInk(primes, cell.adjusted(1, 0, -1, 0)), "panel");
}

}  // namespace
