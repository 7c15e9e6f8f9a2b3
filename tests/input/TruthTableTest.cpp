// The truth table as logic: layout, fills, titles and widths, and the way to and from the map.

#include <gtest/gtest.h>

#include <random>

#include "engine/CarnoGrid.h"
#include "input/Sets.h"
#include "input/TruthTableData.h"
#include "input/TruthTableMap.h"
#include "platform/Message.h"

namespace {

TEST(TruthTableData, RowsCountInBinaryWithVariableOneLeftmost) {
    TruthTableData t;
    EXPECT_EQ(t.VariableCount(), 4);
    EXPECT_EQ(t.FunctionCount(), 1);
    ASSERT_TRUE(t.SetVariableCount(3));
    EXPECT_EQ(t.RowCount(), 9);
    EXPECT_EQ(t.ColCount(), 4);
    // Row 6 belongs to minterm 5.
    EXPECT_EQ(t.Cells(0, 6) + t.Cells(1, 6) + t.Cells(2, 6), "101");
    EXPECT_EQ(t.Title(3), "F1");
    ASSERT_TRUE(t.SetVariableCount(8));
    EXPECT_EQ(t.RowCount(), 257);
    EXPECT_EQ(t.Cells(0, 256) + t.Cells(7, 256), "11");
    EXPECT_EQ(t.Cells(0, 257), "");  // outside reads empty
}

TEST(TruthTableData, ResizeRefusesOutOfRangeAndKeepsTheTable) {
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope(&messages);
    TruthTableData t;
    t.SetCells(4, 3, "1");
    const std::pair<int, int> bad[] = {{1, 1}, {9, 1}, {4, 0}, {4, 5}};
    for (auto [n, k] : bad) EXPECT_FALSE(t.Resize(n, k));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>(4, "Invalid number of variables"));
    EXPECT_EQ(t.VariableCount(), 4);
    EXPECT_EQ(t.Cells(4, 3), "1");

    ASSERT_TRUE(t.SetFunctionCount(3));
    EXPECT_EQ(t.ColCount(), 7);
    EXPECT_EQ(t.Title(5), "F2");
    EXPECT_EQ(t.Title(6), "F3");
}

TEST(TruthTableData, FillAndFillFunctionTouchOnlyF1) {
    TruthTableData t;
    t.Resize(2, 2);
    t.SetCells(t.FunctionColumn(2), 1, "x");
    t.SetCells(0, 1, "edited");
    t.FillFunction("*");
    for (int r = 1; r < t.RowCount(); ++r) EXPECT_EQ(t.Cells(t.FunctionColumn(1), r), "*");
    t.Fill();
    EXPECT_EQ(t.Cells(0, 1), "0");  // inputs rewritten
    for (int r = 1; r < t.RowCount(); ++r) EXPECT_EQ(t.Cells(t.FunctionColumn(1), r), "");
    EXPECT_EQ(t.Cells(t.FunctionColumn(2), 1), "x");
}

TEST(TruthTableData, TitlesWidenTheDefaultColumnLeftToRight) {
    TruthTableData t;
    t.Resize(3, 1);
    t.SetTitle(0, "LONGERTHANTEN");
    EXPECT_EQ(t.Title(0), "LONGERTHAN");
    t.SetTitle(1, "B");
    t.SetTitle(2, "MIDDLE");
    auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };
    // 70 > 25 gives 80; 42 and 14 fit in it.
    EXPECT_EQ(t.TitleColumnWidth(25, width), 80);
    t.SetTitle(0, "A");
    EXPECT_EQ(t.TitleColumnWidth(25, width), 52);  // "MIDDLE": 42 + 10
    t.SetTitle(2, "C");
    EXPECT_EQ(t.TitleColumnWidth(25, width), 25);
}

TEST(TruthTableMap, OneRowLandsInItsMintermsCell) {
    TCarnoGrid map;
    map.SetVariableCount(3);
    TruthTableData t;
    t.SetVariableCount(3);
    t.SetCells(t.FunctionColumn(1), 6, "1");  // row 6: minterm 5
    FillCarnoCard(map, t);
    const TCellPos p = map.PositionOfMinterm(5);
    EXPECT_EQ(map.Cells(p.Col, p.Row), "1");
    int written = 0;
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) written += !map.Cells(c, r).empty();
    EXPECT_EQ(written, 1);  // every other cell overwritten with empty
}

TEST(TruthTableMap, EditedInputsThatNameNoCellAreSkipped) {
    TCarnoGrid map;
    map.SetVariableCount(2);
    map.FillCard("0");
    TruthTableData t;
    t.SetVariableCount(2);
    t.FillFunction("1");
    t.SetCells(0, 2, "2");  // minterm 1's row now names no cell
    t.SetCells(1, 3, "");   // minterm 2's row too
    t.SetCells(0, 4, "0");  // minterm 3's row now says 01: a second row for minterm 1
    t.SetCells(t.FunctionColumn(1), 4, "*");
    FillCarnoCard(map, t);
    auto at = [&](int m) {
        const TCellPos p = map.PositionOfMinterm(m);
        return map.Cells(p.Col, p.Row);
    };
    EXPECT_EQ(at(0), "1");
    EXPECT_EQ(at(1), "*");  // the later row wins
    EXPECT_EQ(at(2), "0");
    EXPECT_EQ(at(3), "0");
}

TEST(TruthTableMap, MapToTruthTableGivesFirstCharactersAndZeroForEmpty) {
    TCarnoGrid map;
    map.SetVariableCount(2);
    AnalyzeWorkString(map, "0", "1");
    AnalyzeWorkString(map, "1", "*");
    AnalyzeWorkString(map, "2", "10");
    TTruthTableValues v;
    v.Values.fill('?');
    MapToTruthTable(map, v);
    EXPECT_EQ(v.VariableCount, 2);
    EXPECT_EQ(v.Values[0], '1');
    EXPECT_EQ(v.Values[1], '*');
    EXPECT_EQ(v.Values[2], '1');
    EXPECT_EQ(v.Values[3], 0);  // not '0'
}

TEST(TruthTableMap, LoadedFromAMapAndCopiedBackGivesTheSameMap) {
    std::mt19937 rng(77);
    const char* values[] = {"1", "0", "*", "", "x", "10"};
    for (int trial = 0; trial < 100; ++trial) {
        const int n = 2 + trial % 7;
        TCarnoGrid map;
        map.SetVariableCount(n);
        for (int i = 1; i <= n; ++i) map.SetVarName(i, "V" + std::to_string(i));
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, values[rng() % 6]);
        TruthTableData t;
        t.SetVariableCount(n);
        t.LoadFromMap(map);
        EXPECT_EQ(t.Title(n - 1), "V" + std::to_string(n));
        TCarnoGrid back = map;
        back.FillCard("junk");
        FillCarnoCard(back, t);
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r)
                ASSERT_EQ(back.Cells(c, r), map.Cells(c, r)) << "n=" << n << " trial " << trial;
    }
}

}  // namespace
