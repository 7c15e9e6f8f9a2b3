// The README's pictures, taken of the program itself: the main window with a four-variable map,
// its loops, the result tree and the "Minimal solutions" panel, and the circuit view of the
// result. scripts/readme-pictures names the folder they go to (MW_PICTURES); without it they go
// to the test's scratch folder and are only checked.

#include <QDir>
#include <QDockWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTreeWidget>

#include "MapHelpers.h"
#include "UiFixture.h"
#include "circuit/CirViewForm.h"
#include "circuit/CircuitForm.h"
#include "engine/MapView.h"
#include "explain/ExplainPanel.h"
#include "explain/LoopOverlay.h"
#include "explain/Loops.h"
#include "platform/QtColour.h"

namespace {

class ReadmePictures : public UiFixture {
  protected:
    QString Folder() const {
        const QString wanted = qEnvironmentVariable("MW_PICTURES");
        return wanted.isEmpty() ? folder.path() : wanted;
    }
    // Pixels of colour (within a small distance) inside area of image.
    static int Count(const QImage& image, const QRect& area, const QColor& colour) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                         std::abs(c.blue() - colour.blue()) <
                     40;
            }
        return n;
    }
};

TEST_F(ReadmePictures, TheMainWindowWithLoopsTreeAndPanelAndTheCircuitView) {
    StartProgram();
    form1->resize(1040, 560);
    testing_support::FillMinterms(form1->Grid, {0, 1, 4, 8, 10, 12, 14}, {5, 9});
    form1->CarnoGrid1->Refresh();
    QSignalSpy updated(form1->ExplainPanel, &TExplainPanel::Updated);
    form1->N35->trigger();
    ASSERT_TRUE(updated.count() > 0 || updated.wait(20000));
    form1->BitBtn3Click();
    TExplainPanel* panel = form1->ExplainPanel;
    if (panel->Busy()) {
        ASSERT_TRUE(updated.wait(20000));
    }
    panel->Pages->setCurrentIndex(2);
    ASSERT_GT(panel->Solutions->topLevelItemCount(), 0);
    panel->Solutions->setCurrentItem(panel->Solutions->topLevelItem(0));
    QApplication::processEvents();
    ASSERT_GT(panel->Loops()->LoopCount(), 0) << "the solution's loops on the map";

    const QImage window = form1->grab().toImage();
    ASSERT_EQ(window.size(), form1->size());
    const QRect map(form1->CarnoGrid1->mapTo(form1, QPoint(0, 0)), form1->CarnoGrid1->size());
    EXPECT_GT(Count(window, map, platform::ToQColor(explain::LoopColour(0))), 20)
        << "the first loop shows in the picture";
    EXPECT_GT(form1->TreeView->topLevelItemCount(), 0);
    EXPECT_TRUE(form1->DockExplain->isVisible());
    ASSERT_TRUE(window.save(QDir(Folder()).filePath("main-window.png")));

    // The result as a circuit, as Formula => Circuit draws it.
    TCirView* view = Windows().CirView;
    view->SetCircuit(Windows().Circuit->Options(), form1->Grid.ResultFormula());
    ASSERT_TRUE(view->Rebuild());
    view->resize(640, 420);
    view->show();
    QApplication::processEvents();
    const QImage circuit = view->grab().toImage();
    EXPECT_GT(Count(circuit, circuit.rect(), Qt::black), 200) << "gates and wires";
    ASSERT_TRUE(circuit.save(QDir(Folder()).filePath("circuit-view.png")));
    view->hide();
}

}  // namespace
