// Loops on the map: one outline per block of a term's cells, open where the term continues
// across the map's edge; a palette of distinct colours.

#include <gtest/gtest.h>

#include <set>

#include "engine/CarnoGrid.h"
#include "explain/Loops.h"

using explain::LoopBlock;
using explain::LoopBlocks;

TEST(Loops, BlocksAndOpenSidesOnFourAndFiveVariableMaps) {
    TCarnoGrid grid;  // 4 variables: rows and columns 00, 01, 11, 10
    // |A*|C: rows 00 and 01, columns 00 and 01, one closed block.
    EXPECT_EQ(LoopBlocks(grid, {0, 1, 4, 5}), (std::vector<LoopBlock>{{0, 1, 0, 1}}));
    // |B*|D, the four corners: each corner open towards both edges it continues across.
    const std::vector<LoopBlock> corners = LoopBlocks(grid, {0, 2, 8, 10});
    ASSERT_EQ(corners.size(), 4u);
    EXPECT_EQ(corners[0], (LoopBlock{0, 0, 0, 0, true, false, true, false}));
    EXPECT_EQ(corners[1], (LoopBlock{3, 3, 0, 0, false, true, true, false}));
    EXPECT_EQ(corners[2], (LoopBlock{0, 0, 3, 3, true, false, false, true}));
    EXPECT_EQ(corners[3], (LoopBlock{3, 3, 3, 3, false, true, false, true}));
    // A whole row is one closed block, though it touches both edges.
    EXPECT_EQ(LoopBlocks(grid, {0, 1, 2, 3}), (std::vector<LoopBlock>{{0, 3, 0, 0}}));
    EXPECT_TRUE(LoopBlocks(grid, {}).empty());
    EXPECT_TRUE(LoopBlocks(grid, {-1, 16}).empty()) << "cells beyond the map are left out";

    grid.SetVariableCount(5);  // columns 000 001 011 010 110 111 101 100
    // |A*|B*D*|E: columns 010 and 110, positions 3 and 4: side by side, one block.
    EXPECT_EQ(LoopBlocks(grid, {2, 6}).size(), 1u);
    // |A*|B*D*E: columns 011 and 111, positions 2 and 5: apart, two closed blocks.
    const std::vector<LoopBlock> apart = LoopBlocks(grid, {3, 7});
    ASSERT_EQ(apart.size(), 2u);
    EXPECT_EQ(apart[0], (LoopBlock{2, 2, 0, 0}));
    EXPECT_EQ(apart[1], (LoopBlock{5, 5, 0, 0}));
}

TEST(Loops, PaletteColoursAreDistinctAndCycle) {
    std::set<std::uint32_t> colours;
    for (int k = 0; k < 8; ++k) colours.insert(explain::LoopColour(k));
    EXPECT_EQ(colours.size(), 8u);
    EXPECT_EQ(explain::LoopColour(8), explain::LoopColour(0));
    EXPECT_EQ(explain::LoopColour(-1), explain::LoopColour(7));
}
