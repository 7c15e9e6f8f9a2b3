#include "explain/Loops.h"

#include <set>

#include "engine/CarnoGrid.h"

namespace explain {

namespace {

// Runs of consecutive positions, without wrapping.
std::vector<std::pair<int, int>> Runs(const std::set<int>& positions) {
    std::vector<std::pair<int, int>> runs;
    for (int p : positions) {
        if (!runs.empty() && runs.back().second + 1 == p)
            runs.back().second = p;
        else
            runs.push_back({p, p});
    }
    return runs;
}

}  // namespace

std::vector<LoopBlock> LoopBlocks(const TCarnoGrid& grid, const std::vector<int>& minterms) {
    std::set<std::pair<int, int>> cells;  // (col, row) from 0
    std::set<int> cols, rows;
    for (int m : minterms) {
        if (m < 0 || m >= (1 << grid.VariableCount())) continue;
        const TCellPos p = grid.PositionOfMinterm(m);
        cells.insert({p.Col - 1, p.Row - 1});
        cols.insert(p.Col - 1);
        rows.insert(p.Row - 1);
    }
    const int lastCol = grid.MapColumns() - 1, lastRow = grid.MapRows() - 1;
    std::vector<LoopBlock> blocks;
    for (const auto& [r0, r1] : Runs(rows))
        for (const auto& [c0, c1] : Runs(cols)) {
            if (!cells.count({c0, r0})) continue;  // not a product of its rows and columns
            LoopBlock b{c0, c1, r0, r1};
            const bool wrapsAcross =
                cols.count(0) && cols.count(lastCol) && cols.size() < std::size_t(lastCol + 1);
            const bool wrapsDown =
                rows.count(0) && rows.count(lastRow) && rows.size() < std::size_t(lastRow + 1);
            b.openLeft = wrapsAcross && c0 == 0;
            b.openRight = wrapsAcross && c1 == lastCol;
            b.openTop = wrapsDown && r0 == 0;
            b.openBottom = wrapsDown && r1 == lastRow;
            blocks.push_back(b);
        }
    return blocks;
}

std::uint32_t LoopColour(int k) {
    // Blue, orange, bluish green, vermillion, reddish purple, sky blue, yellow, black.
    static const std::uint32_t kPalette[] = {0xB27200, 0x009FE6, 0x739E00, 0x005ED5,
                                             0xA779CC, 0xE9B456, 0x42E4F0, 0x000000};
    const int n = static_cast<int>(sizeof kPalette / sizeof kPalette[0]);
    return kPalette[((k % n) + n) % n];
}

}  // namespace explain
