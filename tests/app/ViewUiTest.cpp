// The View menu and what the window keeps between runs: zoom, the map filling the window, the
// window's size and splitter, and the dark appearance read back from the painted map.

#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "UiFixture.h"
#include "app/OptionsForm.h"
#include "app/Windows.h"
#include "engine/MapView.h"
#include "ui/Theme.h"

namespace {

using View = UiFixture;

int CellWidth(TForm1* form1) {
    return form1->CarnoGrid1->columnWidth(0);
}
int CellHeight(TForm1* form1) {
    return form1->CarnoGrid1->rowHeight(0);
}

TEST_F(View, ZoomByKeysAndWheelScalesCellsAndLabelsAndIsKept) {
    StartProgram();
    TMapView* map = form1->CarnoGrid1;
    const int width = CellWidth(form1), height = CellHeight(form1);
    const qreal points = map->font().pointSizeF();
    EXPECT_EQ(height, 25);
    QTest::keySequence(form1, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    QTest::keySequence(form1, QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_NEAR(map->Zoom(), 1.5625, 1e-9);
    EXPECT_EQ(CellHeight(form1), 39);
    EXPECT_GT(CellWidth(form1), width);
    EXPECT_NEAR(map->font().pointSizeF(), points * 1.5625, 0.1) << "labels and texts grow too";
    EXPECT_NEAR(map->BaseFont().pointSizeF(), points, 0.01);
    QTest::keySequence(form1, QKeySequence(Qt::CTRL | Qt::Key_0));
    EXPECT_EQ(map->Zoom(), 1.0);
    EXPECT_EQ(CellHeight(form1), 25);
    EXPECT_EQ(CellWidth(form1), width);

    QWheelEvent down(QPointF(20, 20), map->mapToGlobal(QPointF(20, 20)), {}, QPoint(0, -120),
                     Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map->viewport(), &down);
    EXPECT_NEAR(map->Zoom(), 0.8, 1e-9);
    QTest::keySequence(form1, QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_NEAR(map->Zoom(), 0.64, 1e-9);
    for (int i = 0; i < 20; ++i) map->ZoomOut();
    EXPECT_EQ(map->Zoom(), TMapView::kMinZoom);

    // A new map font keeps the zoom and is itself capped at 10 points.
    map->SetZoom(2.0);
    QFont big = map->BaseFont();
    big.setPointSize(14);
    map->setFont(big);
    EXPECT_EQ(map->BaseFont().pointSize(), 10);
    EXPECT_NEAR(map->font().pointSizeF(), 20, 0.1);
    DestroyProgram();
    StartProgram();
    EXPECT_EQ(form1->CarnoGrid1->Zoom(), 2.0);
    EXPECT_EQ(CellHeight(form1), 50);
}

TEST_F(View, TheMapFillsTheWindowWhenAskedAndTheWindowKeepsItsShape) {
    StartProgram();
    TMapView* map = form1->CarnoGrid1;
    form1->resize(900, 600);
    form1->Splitter1->setSizes({500, 396});
    QApplication::processEvents();
    form1->FillWindow1->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(map->FillWindow());
    EXPECT_GT(map->Zoom(), 1.5);
    const double usedWidth = map->verticalHeader()->width() + map->horizontalHeader()->length();
    const double usedHeight = map->horizontalHeader()->height() + map->verticalHeader()->length();
    EXPECT_GT(std::max(usedWidth / map->width(), usedHeight / map->height()), 0.85)
        << "the map takes its room in one direction at least";
    EXPECT_LE(usedWidth, map->width());
    EXPECT_LE(usedHeight, map->height());
    const double filled = map->Zoom();
    form1->SpinEdit1->setValue(6);  // a larger map fits at a smaller zoom
    EXPECT_LT(map->Zoom(), filled);
    form1->ZoomIn1->trigger();  // zooming by hand ends the filling
    EXPECT_FALSE(map->FillWindow());
    EXPECT_FALSE(form1->FillWindow1->isChecked());
    form1->FillWindow1->trigger();
    form1->SpinEdit1->setValue(2);
    form1->SpeedButton2Click();
    form1->N35Click();  // the minimal solutions panel, open at the end of the run
    const QList<int> splitter = form1->Splitter1->sizes();
    DestroyProgram();

    StartProgram();
    EXPECT_EQ(form1->size(), QSize(900, 600));
    EXPECT_EQ(form1->Splitter1->sizes(), splitter);
    EXPECT_TRUE(form1->FillWindow1->isChecked());
    EXPECT_TRUE(form1->CarnoGrid1->FillWindow());
    EXPECT_FALSE(form1->DockExplain->isHidden()) << "the panel opens again";
    EXPECT_TRUE(form1->SpeedButton12->isChecked());
    form1->DockExplain->hide();
    DestroyProgram();

    StartProgram();
    EXPECT_TRUE(form1->DockExplain->isHidden());
}

TEST_F(View, DarkAppearanceShowsTheMapLightOnDarkAndIsKept) {
    struct BackToSystem {
        ~BackToSystem() { theme::Apply(theme::Appearance::System); }
    } later;  // the look is the whole process's: later tests start from the desktop's
    StartProgram();
    form1->Grid.SetCells(1, 1, "1");
    form1->Grid.SetCells(2, 2, "1");
    form1->CarnoGrid1->Refresh();
    Windows().Options->RadioButton9->setChecked(true);  // Options, Appearance: Dark
    QApplication::processEvents();
    TMapView* map = form1->CarnoGrid1;
    const QImage image = map->grab().toImage();
    auto lightnessRange = [&](const QRect& r) {
        int lo = 255, hi = 0;
        for (int y = r.top() + 2; y < r.bottom() - 1; ++y)
            for (int x = r.left() + 2; x < r.right() - 1; ++x) {
                const int l = image.pixelColor(x, y).lightness();
                lo = std::min(lo, l);
                hi = std::max(hi, l);
            }
        return std::pair{lo, hi};
    };
    const QPoint origin = map->viewport()->mapTo(map, QPoint(0, 0));
    // Cell (1, 1) holds "1": dark ground, light text. Cell (4, 4) is empty: all dark.
    const auto [cellLo, cellHi] =
        lightnessRange(map->visualRect(map->model()->index(0, 0)).translated(origin));
    EXPECT_LT(cellLo, 70);
    EXPECT_GT(cellHi, 170);
    const auto [emptyLo, emptyHi] =
        lightnessRange(map->visualRect(map->model()->index(3, 3)).translated(origin));
    EXPECT_LT(emptyHi, 90);
    // A column label: dark ground, light text.
    QHeaderView* header = map->horizontalHeader();
    const QRect label(header->mapTo(map, QPoint(header->sectionViewportPosition(0), 0)),
                      QSize(header->sectionSize(0), header->height()));
    const auto [labelLo, labelHi] = lightnessRange(label);
    EXPECT_LT(labelLo, 110);
    EXPECT_GT(labelHi, 170);
    DestroyProgram();

    StartProgram();  // kept in the settings
    EXPECT_EQ(theme::Current(), theme::Appearance::Dark);
    EXPECT_TRUE(Windows().Options->RadioButton9->isChecked());
    Windows().Options->RadioButton7->setChecked(true);
    EXPECT_EQ(theme::Current(), theme::Appearance::System);
    EXPECT_GT(QApplication::palette().color(QPalette::Base).lightness(), 128)
        << "the desktop's own light look is back";
}

}  // namespace
