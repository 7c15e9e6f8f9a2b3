#pragma once
// Loops on the map, as a textbook draws them: a term's cells fall into rectangular blocks of
// map positions (a term that wraps round an edge, or whose cells stand apart as on maps of 5
// to 8 variables, has several); each block gets its own rounded outline, left open on a side
// where the term continues across the map's edge.

#include <cstdint>
#include <vector>

class TCarnoGrid;

namespace explain {

struct LoopBlock {
    int col0 = 0, col1 = 0, row0 = 0, row1 = 0;  // map positions from 0, inclusive
    bool openLeft = false, openRight = false, openTop = false, openBottom = false;
    friend bool operator==(const LoopBlock&, const LoopBlock&) = default;
};

// The blocks of the cells with these minterm numbers on the grid's current map.
std::vector<LoopBlock> LoopBlocks(const TCarnoGrid& grid, const std::vector<int>& minterms);

// Loop colour k (cycling), platform colours 0x00BBGGRR from a palette that readers with any
// common colour-vision deficiency tell apart (Okabe and Ito's).
std::uint32_t LoopColour(int k);
// A student's loops, drawn dashed in a colour none of the palette's, and the red of what is
// wrong: cells the answer gets wrong, hazards between cells.
constexpr std::uint32_t kStudentLoopColour = 0x990099;
constexpr std::uint32_t kWrongCellColour = 0x1010D0;

}  // namespace explain
