#include <gtest/gtest.h>

#include <set>

#include "engine/Neighbours.h"

namespace {

int GrayLabel(int position) {
    return (position - 1) ^ ((position - 1) >> 1);
}
bool OneBitApart(int p, int q) {
    return std::popcount(unsigned(GrayLabel(p) ^ GrayLabel(q))) == 1;
}

std::set<std::pair<int, int>> PairsFoundFromEitherSide(int n) {
    std::set<std::pair<int, int>> found;
    for (int p = 1; p <= n; ++p) {
        auto add = [&](int q) { found.insert({std::min(p, q), std::max(p, q)}); };
        for (int q : neighbours::Forward(p, n)) add(q);
        for (int q : neighbours::Backward(p, n)) add(q);
    }
    return found;
}

TEST(Neighbours, FindExactlyTheOneBitPairsUpToEightPositions) {
    for (int n : {2, 4, 8}) {
        std::set<std::pair<int, int>> expected;
        for (int p = 1; p <= n; ++p)
            for (int q = p + 1; q <= n; ++q)
                if (OneBitApart(p, q)) expected.insert({p, q});
        EXPECT_EQ(PairsFoundFromEitherSide(n), expected) << "n=" << n;
    }
}

TEST(Neighbours, SixteenPositionsMissFourPairsAndFindNothingFalse) {
    std::set<std::pair<int, int>> missed;
    const auto found = PairsFoundFromEitherSide(16);
    for (auto [p, q] : found) EXPECT_TRUE(OneBitApart(p, q)) << p << "," << q;
    for (int p = 1; p <= 16; ++p)
        for (int q = p + 1; q <= 16; ++q)
            if (OneBitApart(p, q) && !found.count({p, q})) missed.insert({p, q});
    EXPECT_EQ(missed, (std::set<std::pair<int, int>>{{2, 7}, {3, 6}, {10, 15}, {11, 14}}));
}

TEST(Neighbours, OrderRepeatsAndAsymmetry) {
    EXPECT_EQ(neighbours::Forward(1, 16), (std::vector<int>{2, 4, 8, 16}));
    EXPECT_EQ(neighbours::Forward(1, 8), (std::vector<int>{2, 4, 8}));
    EXPECT_EQ(neighbours::Forward(5, 8), (std::vector<int>{6, 8}));
    EXPECT_EQ(neighbours::Forward(4, 8), (std::vector<int>{5, 5}));
    EXPECT_EQ(neighbours::Backward(4, 8), (std::vector<int>{3, 5}));
    EXPECT_EQ(neighbours::Backward(1, 2), (std::vector<int>{2}));
    // Right, left, up, down; every occurrence kept.
    const auto cell = neighbours::OfCell(1, 1, 2, 2);
    ASSERT_EQ(cell.size(), 4u);
    EXPECT_EQ(cell[0].col, 2);
    EXPECT_EQ(cell[1].col, 2);
    EXPECT_EQ(cell[2].row, 2);
    EXPECT_EQ(cell[3].row, 2);
}

}  // namespace
