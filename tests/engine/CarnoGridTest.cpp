// The map model: geometry, Gray tables and numbering, hidden cells, fills and checks.

#include <gtest/gtest.h>

#include "engine/CarnoGrid.h"
#include "platform/Message.h"

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

class CarnoGridTest : public ::testing::Test {
  protected:
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope{&sink};
    TCarnoGrid map;
};

TEST_F(CarnoGridTest, GeometryForEveryVariableCount) {
    EXPECT_EQ(map.VariableCount(), 4);
    const int rows[] = {2, 2, 4, 4, 8, 8, 16}, cols[] = {2, 4, 4, 8, 8, 16, 16};
    for (int n = 2; n <= 8; ++n) {
        ASSERT_TRUE(map.SetVariableCount(n));
        EXPECT_EQ(map.MapRows(), rows[n - 2]);
        EXPECT_EQ(map.MapColumns(), cols[n - 2]);
        EXPECT_EQ(map.RowCount(), rows[n - 2] + 1);
        EXPECT_EQ(map.ColCount(), cols[n - 2] + 1);
        EXPECT_EQ(map.RowVariableCount() + map.ColumnVariableCount(), n);
    }
    EXPECT_TRUE(sink.Shown().empty());
}

TEST_F(CarnoGridTest, RefusesVariableCountsOutsideTwoToEight) {
    map.SetCells(2, 3, "1");
    for (int n : {9, 1, 0, -3, 256}) {
        EXPECT_FALSE(map.SetVariableCount(n));
        EXPECT_EQ(map.VariableCount(), 4);
        EXPECT_EQ(map.MapColumns(), 4);
    }
    EXPECT_TRUE(sink.Shown().empty());
    EXPECT_EQ(map.Cells(2, 3), "1");
}

TEST_F(CarnoGridTest, GrayTablesAndLabels) {
    EXPECT_EQ(map.RowGray()[0], "00000000");
    EXPECT_EQ(map.RowGray()[2], "00000011");
    EXPECT_EQ(map.ColumnGray()[3], "00000010");
    TCarnoGrid::GrayTable table{};
    table[20] = "kept";
    TCarnoGrid::FillGrayTable(4, table);
    const int expected[] = {0, 1, 3, 2, 6, 7, 5, 4, 12, 13, 15, 14, 10, 11, 9, 8};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(TCarnoGrid::BinaryValue(table[i]), expected[i]) << i;
    EXPECT_EQ(table[20], "kept");  // entries beyond 2^k keep what they held
    TCarnoGrid::FillGrayTable(8, table);
    EXPECT_EQ(table[255], TCarnoGrid::ByteToBinary(255 ^ 127));
    TCarnoGrid::GrayTable untouched{};
    TCarnoGrid::FillGrayTable(9, untouched);
    EXPECT_EQ(untouched[0], "");
}

TEST_F(CarnoGridTest, CellCodeAndMintermNumber) {
    EXPECT_EQ(map.CellCode(2, 3), "1101");
    EXPECT_EQ(map.MintermNumber(2, 3), 13);
    map.SetVariableCount(3);
    EXPECT_EQ(map.CellCode(3, 2), "111");
    EXPECT_EQ(map.MintermNumber(3, 2), 7);
    for (int n = 2; n <= 8; ++n) {
        map.SetVariableCount(n);
        std::vector<bool> seen(1 << n);
        for (int c = 1; c <= map.MapColumns(); ++c) {
            for (int r = 1; r <= map.MapRows(); ++r) {
                const int m = map.MintermNumber(c, r);
                ASSERT_FALSE(seen[m]);
                seen[m] = true;
                EXPECT_EQ(TCarnoGrid::BinaryValue(map.CellCode(c, r)), m);
                const TCellPos p = map.PositionOfMinterm(m);
                EXPECT_EQ(p, (TCellPos{std::uint8_t(c), std::uint8_t(r)}));
            }
        }
    }
}

TEST_F(CarnoGridTest, HiddenCellsSurviveACountChangeButNotAFillOrAClear) {
    map.SetVariableCount(5);
    map.SetCells(7, 2, "*");
    map.SetVariableCount(4);
    map.SetVariableCount(5);
    EXPECT_EQ(map.Cells(7, 2), "*");
    // A fill at 4 variables holds when the map grows again: no older value comes back.
    map.SetVariableCount(4);
    map.FillCard("1");
    EXPECT_EQ(map.Cells(4, 4), "1");
    map.SetVariableCount(6);
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) ASSERT_EQ(map.Cells(c, r), "1") << c << r;
    map.SetCells(7, 2, "0");
    map.SetVariableCount(4);
    map.FillCard("");  // Clear
    map.SetVariableCount(8);
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) ASSERT_EQ(map.Cells(c, r), "") << c << r;
    // Outside the store: reads empty, writes ignored.
    map.SetCells(33, 1, "1");
    map.SetCells(0, 0, "1");
    EXPECT_EQ(map.Cells(33, 1), "");
    EXPECT_EQ(map.Cells(0, 0), "");
    EXPECT_EQ(map.Cells(32, 32), "");
}

TEST_F(CarnoGridTest, LoadClearEmptiesTheWholeStoreEveryTime) {
    map.SetCells(32, 32, "1");
    map.SetCells(9, 1, "0");
    map.LoadedMark = 2;
    map.CleareCard();
    EXPECT_EQ(map.Cells(32, 32), "");
    EXPECT_EQ(map.Cells(9, 1), "");
    EXPECT_EQ(map.LoadedMark, 0);
    map.SetCells(32, 32, "1");
    map.CleareCard();  // not only after a load
    EXPECT_EQ(map.Cells(32, 32), "");
}

TEST_F(CarnoGridTest, DecliningTheResultsQuestionStopsTheEditAndTheMapNeverAsksItself) {
    MemoryResultTree tree;
    std::vector<MsgIcon> asked;
    bool answer = false;
    const ResultsQuestion ask = [&](MsgIcon icon) {
        asked.push_back(icon);
        return answer;
    };
    EXPECT_TRUE(map.ConfirmResultsLoss(ask, MsgIcon::Warning));  // no tree at all
    map.TreeView = &tree;
    EXPECT_FALSE(map.ResultsWouldBeLost());
    EXPECT_TRUE(map.ConfirmResultsLoss(ask, MsgIcon::Warning));
    EXPECT_TRUE(asked.empty());

    map.SetCells(1, 1, "1");
    ASSERT_TRUE(map.Test());
    ASSERT_EQ(map.ResultCount(), 1);
    EXPECT_TRUE(map.ResultsWouldBeLost());
    EXPECT_FALSE(map.ConfirmResultsLoss(ask, MsgIcon::Warning));
    EXPECT_EQ(asked, std::vector<MsgIcon>{MsgIcon::Warning});
    EXPECT_EQ(tree.NodeCount(), 2);
    EXPECT_EQ(map.ResultCount(), 1);

    answer = true;
    EXPECT_TRUE(map.ConfirmResultsLoss(ask, MsgIcon::Information));
    EXPECT_EQ(tree.NodeCount(), 0);
    // Nothing of the old result is left for a picture or an export to show.
    EXPECT_EQ(map.ResultCount(), 0);
    EXPECT_EQ(map.ResultFormula(), "");
    EXPECT_TRUE(map.LevelList().empty());

    ASSERT_TRUE(map.Test());
    EXPECT_TRUE(map.ConfirmResultsLoss({}, MsgIcon::Information));  // nobody to ask: go on
    EXPECT_EQ(map.ResultCount(), 0);
    EXPECT_TRUE(sink.Shown().empty());
}

TEST_F(CarnoGridTest, CheckCellsAcceptsOnlyTheFourTexts) {
    for (const char* ok : {"", "0", "1", "*"}) {
        map.SetCells(3, 3, ok);
        EXPECT_TRUE(map.CheckCells()) << ok;
    }
    EXPECT_TRUE(sink.Shown().empty());
    for (const char* bad : {"10", "x", "1 ", "**", " ", "\xC3\xA9"}) {
        map.SetCells(3, 3, bad);
        EXPECT_FALSE(map.CheckCells()) << bad;
    }
    EXPECT_TRUE(sink.Shown().empty());
    // The first refused cell by columns, each top to bottom; hidden cells are not checked.
    map.SetCells(2, 4, "x");
    EXPECT_EQ(map.FirstBadCell(), (TCellPos{2, 4}));
    map.SetCells(3, 3, "1");
    map.SetCells(2, 4, "0");
    map.SetCells(9, 9, "bad");
    EXPECT_TRUE(map.CheckCells());
    EXPECT_FALSE(map.FirstBadCell());
}

TEST_F(CarnoGridTest, InvertSwapsOnesAndZerosOnly) {
    map.SetCells(1, 1, "1");
    map.SetCells(2, 1, "0");
    map.SetCells(3, 1, "*");
    map.SetCells(4, 1, "abc");
    map.SetCells(9, 9, "1");  // hidden
    map.Invert();
    EXPECT_EQ(map.Cells(1, 1), "0");
    EXPECT_EQ(map.Cells(2, 1), "1");
    EXPECT_EQ(map.Cells(3, 1), "*");
    EXPECT_EQ(map.Cells(4, 1), "abc");
    EXPECT_EQ(map.Cells(1, 2), "");
    EXPECT_EQ(map.Cells(9, 9), "1");
}

TEST(CarnoGridHelpers, ValueCodeAndBinaryTexts) {
    EXPECT_EQ(TCarnoGrid::ValueCode("1"), 0);
    EXPECT_EQ(TCarnoGrid::ValueCode("10"), 0);
    EXPECT_EQ(TCarnoGrid::ValueCode("0"), 1);
    EXPECT_EQ(TCarnoGrid::ValueCode("*"), 2);
    EXPECT_EQ(TCarnoGrid::ValueCode(""), 2);
    EXPECT_EQ(TCarnoGrid::ByteToBinary(5), "00000101");
    EXPECT_EQ(TCarnoGrid::ByteToBinary(255), "11111111");
    EXPECT_EQ(TCarnoGrid::BinaryValue("101"), 5);
    EXPECT_EQ(TCarnoGrid::BinaryValue("1x1"), 5);
    EXPECT_EQ(TCarnoGrid::BinaryValue("1111111100"), 255);  // only the first 8 characters
    EXPECT_EQ(TCarnoGrid::BinaryValue(""), 0);
}

TEST(CarnoGridDefaults, NewMap) {
    TCarnoGrid map;
    EXPECT_EQ(map.GlueMethod, gmDNF);
    EXPECT_EQ(map.TermColor, 0x808000u);
    EXPECT_EQ(map.PackedFlag, 0);
    EXPECT_EQ(map.LoadedMark, 0);
    EXPECT_EQ(map.ResultFormula(), "");
    EXPECT_EQ(map.ResultCount(), 0);
    EXPECT_EQ(map.VarName(1), "A");
    EXPECT_EQ(map.VarName(8), "H");
}

}  // namespace
