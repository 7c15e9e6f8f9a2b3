// The map's pane in the window: it takes what the window gains, the tools beside it stay whole
// when the panel opens, and its corner names the variables.

#include <QAbstractButton>
#include <QDockWidget>
#include <QHeaderView>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

#include "UiFixture.h"
#include "engine/MapView.h"

namespace {

class MapPane : public UiFixture {
  protected:
    // Shown whole: inside the window and not covered or cut by anything.
    static bool Whole(QWidget* w, QWidget* window) {
        const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
        return w->isVisible() && window->rect().contains(inWindow) &&
               w->visibleRegion().boundingRect().size() == w->size();
    }
};

TEST_F(MapPane, AnEightVariableMapFitsAWideWindowWithoutScrollBars) {
    StartProgram();
    TMapView* map = form1->CarnoGrid1;
    const int before = map->width();
    form1->resize(1200, 800);
    QApplication::processEvents();
    EXPECT_GE(map->width(), before + 500) << "the map's pane took what the window gained";
    form1->SpinEdit1->setValue(8);
    QApplication::processEvents();
    EXPECT_FALSE(map->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(map->verticalScrollBar()->isVisible());
}

TEST_F(MapPane, OpeningThePanelLeavesToolsTreeAndGoWhole) {
    StartProgram();
    form1->resize(600, 400);
    form1->N35->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(form1->DockExplain->isVisible());
    for (QToolButton* b : form1->Panel6->findChildren<QToolButton*>())
        EXPECT_TRUE(Whole(b, form1)) << b->objectName().toStdString();
    EXPECT_TRUE(Whole(form1->SpinEdit1, form1));
    EXPECT_GE(form1->TreeView->width(), 100);
}

TEST_F(MapPane, TheCornerNamesTheVariablesAndMakesRoomForThem) {
    StartProgram();
    TMapView* map = form1->CarnoGrid1;
    auto* corner = map->findChild<QAbstractButton*>();
    ASSERT_NE(corner, nullptr);
    const auto ink = [&] {
        const QImage image = corner->grab().toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 80;
        return dark;
    };
    const int shortNames = ink();
    EXPECT_GT(shortNames, 10) << "A B and C D stand in the corner";
    form1->Grid.SetVarName(3, "CarryIn");
    form1->Grid.SetVarName(4, "Overflow");
    map->Refresh();
    QApplication::processEvents();
    const QFontMetrics metrics(map->font());
    EXPECT_GE(map->verticalHeader()->width(), metrics.horizontalAdvance("CarryIn Overflow"));
    EXPECT_GE(map->horizontalHeader()->height(), 2 * metrics.height());
    EXPECT_GT(ink(), shortNames);
}

}  // namespace
