// Cells as clipboard text: copied rectangles paste back to the same cells, foreign separators
// are understood, and nothing lands outside the visible map.

#include <gtest/gtest.h>

#include "engine/CarnoGrid.h"
#include "engine/MapText.h"

namespace {

TEST(MapText, CopiedRectanglePastesBackElsewhere) {
    TCarnoGrid map;
    map.SetCells(1, 1, "1");
    map.SetCells(2, 1, "");
    map.SetCells(1, 2, "*");
    map.SetCells(2, 2, "0");
    const std::string text = maptext::Copy(map, 1, 1, 2, 2);
    EXPECT_EQ(text, "1\t\n*\t0\n");
    ASSERT_TRUE(maptext::Paste(map, 3, 3, text));
    EXPECT_EQ(map.Cells(3, 3), "1");
    EXPECT_EQ(map.Cells(4, 3), "");
    EXPECT_EQ(map.Cells(3, 4), "*");
    EXPECT_EQ(map.Cells(4, 4), "0");
}

TEST(MapText, CommasBlanksAndWindowsLinesAndTheMapEdge) {
    TCarnoGrid map;
    map.SetVariableCount(3);  // 4 columns, 2 rows; columns 5.. and rows 3.. are hidden
    map.SetCells(5, 1, "hidden");
    ASSERT_TRUE(maptext::Paste(map, 2, 1, "1, 0 ,*,1,1\r\n0 1   *\r\n1\n"));
    EXPECT_EQ(map.Cells(2, 1), "1");
    EXPECT_EQ(map.Cells(3, 1), "0");
    EXPECT_EQ(map.Cells(4, 1), "*");
    EXPECT_EQ(map.Cells(5, 1), "hidden");
    EXPECT_EQ(map.Cells(2, 2), "0");
    EXPECT_EQ(map.Cells(3, 2), "1");
    EXPECT_EQ(map.Cells(4, 2), "*");
    EXPECT_EQ(map.Cells(2, 3), "");
    // Tab-separated empty cells clear; an over-long text is refused whole.
    ASSERT_TRUE(maptext::Paste(map, 2, 1, "\t"));
    EXPECT_EQ(map.Cells(2, 1), "");
    EXPECT_EQ(map.Cells(3, 1), "");
    EXPECT_FALSE(maptext::Paste(map, 1, 1, std::string(TCarnoGrid::kMaxTextLength + 1, '1')));
    EXPECT_EQ(map.Cells(1, 1), "");
}

}  // namespace
