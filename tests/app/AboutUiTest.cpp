// The About box's picture is a Karnaugh map: its loops must be a correct minimal grouping.

#include <set>

#include "UiFixture.h"
#include "app/AboutForm.h"
#include "engine/CarnoGrid.h"

namespace {

TEST(AboutPicture, LoopsAreAMinimalGroupingOfTheOnes) {
    TCarnoGrid map;  // four variables
    std::set<std::pair<int, int>> ones, covered;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const char v = about::kPictureCells[r * 4 + c];
            map.SetCells(c + 1, r + 1, std::string(1, v));
            if (v == '1') ones.insert({c, r});
        }
    for (const about::Loop& loop : about::PictureLoops()) {
        EXPECT_TRUE(loop.cols == 1 || loop.cols == 2 || loop.cols == 4);
        EXPECT_TRUE(loop.rows == 1 || loop.rows == 2 || loop.rows == 4);
        ASSERT_LE(loop.col + loop.cols, 4);
        ASSERT_LE(loop.row + loop.rows, 4);
        for (int c = loop.col; c < loop.col + loop.cols; ++c)
            for (int r = loop.row; r < loop.row + loop.rows; ++r) {
                EXPECT_TRUE(ones.count({c, r})) << "a loop around a 0 at " << c << "," << r;
                covered.insert({c, r});
            }
    }
    EXPECT_EQ(covered, ones) << "every 1 inside a loop";
    map.Glue();
    EXPECT_EQ(static_cast<std::size_t>(map.ResultCount()), about::PictureLoops().size())
        << "as few loops as the minimal sum has terms: " << map.ResultText();
}

}  // namespace
