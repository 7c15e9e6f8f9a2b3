// The map on screen: labels, sizes, the highlight read back from the painted pixels, editing.

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "MapHelpers.h"
#include "UiFixture.h"
#include "engine/MapLabels.h"
#include "engine/MapView.h"

namespace {

class MapViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.resize(400, 400);
        view.show();
        QApplication::setActiveWindow(&view);
        QApplication::processEvents();
    }
    QColor PixelAtCell(int col, int row) {
        const QImage image = view.viewport()->grab().toImage();
        const QRect r = view.visualRect(view.model()->index(row - 1, col - 1));
        return image.pixelColor(r.topLeft() + QPoint(2, 2));  // beside the value
    }
    // Pixels of the cell near the colour: the value drawn on top of a highlight.
    int PixelsNear(int col, int row, const QColor& colour) {
        const QImage image = view.viewport()->grab().toImage();
        const QRect r =
            view.visualRect(view.model()->index(row - 1, col - 1)).adjusted(1, 1, -2, -2);
        int n = 0;
        for (int x = r.left(); x <= r.right(); ++x)
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const QColor c = image.pixelColor(x, y);
                n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                         std::abs(c.blue() - colour.blue()) <
                     90;
            }
        return n;
    }

    TCarnoGrid grid;
    TMapView view{grid};
};

TEST_F(MapViewTest, LabelsFollowTheGrayTablesForEveryCount) {
    const QStringList four{"00", "01", "11", "10"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(view.model()->headerData(i, Qt::Vertical).toString(), four[i]);
        EXPECT_EQ(view.model()->headerData(i, Qt::Horizontal).toString(), four[i]);
    }
    for (int n = 2; n <= 8; ++n) {
        grid.SetVariableCount(n);
        view.Refresh();
        ASSERT_EQ(view.model()->rowCount(), grid.MapRows());
        ASSERT_EQ(view.model()->columnCount(), grid.MapColumns());
        for (int r = 0; r < grid.MapRows(); ++r) {
            const QString label = view.model()->headerData(r, Qt::Vertical).toString();
            EXPECT_EQ(label.size(), n / 2);
            EXPECT_EQ(label.toInt(nullptr, 2), r ^ (r >> 1));
        }
        for (int c = 0; c < grid.MapColumns(); ++c) {
            const QString label = view.model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_EQ(label.size(), (n + 1) / 2);
            EXPECT_EQ(label.toInt(nullptr, 2), c ^ (c >> 1));
        }
    }
    EXPECT_EQ(view.model()->headerData(5, Qt::Vertical).toString(), "0111");
}

TEST_F(MapViewTest, WidthsSettleAroundTheLabels) {
    for (int w : {0, 7, 14, 30, 80}) {
        for (int start : {5, 25, 200}) {
            const int settled = maplabels::SettleDefaultWidth(start, w);
            EXPECT_GE(settled, w + 6);
            EXPECT_LE(settled, w + 19);
        }
    }
    EXPECT_EQ(maplabels::MapColumnWidth(25, 20, 25), 35);
    EXPECT_EQ(maplabels::MapColumnWidth(40, 10, 40), 35);
    EXPECT_EQ(maplabels::MapColumnWidth(30, 12, 31), 31);
    grid.SetVariableCount(8);
    view.Refresh();
    const int label = QFontMetrics(view.font()).horizontalAdvance("0000");
    EXPECT_GT(view.verticalHeader()->width(), label + 5);
    EXPECT_GT(view.columnWidth(0), label);
}

TEST_F(MapViewTest, HighlightPaintsTheTermsCellsInTermColorUntilResized) {
    testing_support::FillMinterms(grid, {0, 1, 2, 5, 8, 9, 10});
    grid.Glue();
    grid.TermColor = 0x0000FF;  // red
    view.Refresh();
    view.SelectTerm(2);  // |A*|C*D: minterms 1 and 5
    for (int m = 0; m < 16; ++m) {
        const TCellPos p = grid.PositionOfMinterm(m);
        const bool inTerm = m == 1 || m == 5;
        EXPECT_EQ(PixelAtCell(p.Col, p.Row) == QColor(Qt::red), inTerm) << m;
    }
    view.SelectTerm(7);  // no such term: nothing changes
    EXPECT_EQ(view.HighlightedTerm(), 2);
    view.resize(300, 300);
    QApplication::processEvents();
    EXPECT_EQ(view.HighlightedTerm(), -1);
    const TCellPos p = grid.PositionOfMinterm(1);
    EXPECT_NE(PixelAtCell(p.Col, p.Row), QColor(Qt::red));
}

TEST_F(MapViewTest, HighlightedValuesStayReadableOnDarkAndLightColours) {
    testing_support::FillMinterms(grid, {0, 1, 2, 5, 8, 9, 10});
    grid.Glue();
    view.Refresh();
    const TCellPos p = grid.PositionOfMinterm(1);
    for (const auto& [termColor, ink] : {std::pair{0x800000u, QColor(Qt::white)},  // navy
                                         std::pair{0x80FFFFu, QColor(Qt::black)},  // light yellow
                                         std::pair{0x000000u, QColor(Qt::white)}}) {
        grid.TermColor = termColor;
        view.SelectTerm(2);
        EXPECT_GT(PixelsNear(p.Col, p.Row, ink), 4) << std::hex << termColor << ": the 1 shows";
    }
}

TEST_F(MapViewTest, ScrolledMapShowsItsFirstVisibleRowsLabelAndHighlight) {
    grid.SetVariableCount(8);
    for (int c = 1; c <= 16; ++c)
        for (int r = 1; r <= 16; ++r) grid.SetCells(c, r, r == 3 || r == 4 ? "1" : "0");
    grid.Glue();
    int term = 0;
    while (term < grid.ResultCount() && !grid.IsCellOfTerm(term, 1, 4)) ++term;
    ASSERT_LT(term, grid.ResultCount());
    grid.TermColor = 0x00FF00;
    view.resize(200, 200);
    view.Refresh();
    view.verticalScrollBar()->setValue(3);  // first visible row is 4
    QApplication::processEvents();
    ASSERT_EQ(view.rowAt(0), 3);
    EXPECT_EQ(view.model()->headerData(view.rowAt(0), Qt::Vertical).toString(), "0010");
    view.SelectTerm(term);
    EXPECT_EQ(PixelAtCell(1, 4), QColor(Qt::green));
    EXPECT_NE(PixelAtCell(1, 5), QColor(Qt::green));
}

TEST_F(MapViewTest, AnyTextMayBeTypedIntoACell) {
    view.setFocus();
    view.setCurrentIndex(view.model()->index(1, 2));
    QString editorText = "<none>";
    QObject::connect(&view, &TMapView::GetEditText, [&](int col, int row, const QString& text) {
        EXPECT_EQ(col, 3);
        EXPECT_EQ(row, 2);
        editorText = text;
    });
    grid.SetCells(3, 2, "1");
    view.Refresh();
    view.edit(view.currentIndex());
    EXPECT_EQ(editorText, "1");  // the editor is handed the stored text
    auto* editor = view.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("x y");
    emit view.itemDelegate()->commitData(editor);
    emit view.itemDelegate()->closeEditor(editor);
    EXPECT_EQ(grid.Cells(3, 2), "x y");
}

TEST_F(MapViewTest, FontsAboveTenPointsAreCapped) {
    view.setFont(QFont("DejaVu Sans", 14));
    EXPECT_EQ(view.font().pointSize(), 10);
    view.setFont(QFont("DejaVu Sans", 8));
    EXPECT_EQ(view.font().pointSize(), 8);
}

TEST_F(MapViewTest, DraggingAColumnMovesItsTexts) {
    grid.SetCells(1, 1, "1");
    view.SetMovableColRow(true);
    view.horizontalHeader()->moveSection(0, 2);
    EXPECT_EQ(grid.Cells(1, 1), "");
    EXPECT_EQ(grid.Cells(3, 1), "1");
    EXPECT_EQ(view.horizontalHeader()->visualIndex(0), 0);  // labels stay in Gray order
    EXPECT_EQ(view.model()->headerData(0, Qt::Horizontal).toString(), "00");
}

}  // namespace
