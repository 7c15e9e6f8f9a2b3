#pragma once
// Every minimum cover of a covering problem, listed up to a limit and counted. The matrix is
// cut into independent blocks (no column shared); Mincov finds each block's minimum, and a
// plain branch and bound over the block's rows lists the covers of exactly that cost: at each
// node the open row with fewest open columns, each of its columns taken in turn with the
// earlier ones excluded, so no cover is reached twice. No dominance by equally cheap columns
// is used, so every minimum cover stays reachable. A minimum cover of the whole is one
// minimum cover per block, so the count is the product of the blocks' counts. Where many rows
// are open the bound of that search is weak, so there each branch is first put to Mincov:
// can the rest still be covered at the minimum's cost?

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/Work.h"

namespace mwcore {

struct CoverListingLimits {
    std::size_t maxList = 100;  // covers listed; counting goes on past them
    // Search nodes for counting, over all blocks; past it the count is a lower bound.
    uint64_t maxNodes = uint64_t{1} << 21;
    // For the minimum itself (Mincov throws CoveringTimeout past it).
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    // Listing and counting stop here too, with a lower bound for the count.
    std::chrono::steady_clock::time_point countDeadline =
        std::chrono::steady_clock::time_point::max();
    // Where given, the minimum spends from `work` and listing and counting from `countWork`
    // (a node of the listing is a unit per open row, the covering search asked there spends
    // its own units) instead of the deadlines and maxNodes: the answer is then the same on
    // every machine. Past `work` the best cover met stands, unproven.
    Work* work = nullptr;
    Work* countWork = nullptr;
    // Where given: at most the fewest products of any cover of a block's rows (as `rows`
    // gives them), 0 when nothing is known; the search ends at a cover that meets it.
    std::function<int64_t(const std::vector<std::vector<int>>&)> productBound;
    // Where given: a column of the block that some minimum cover of it holds, -1 when none is
    // known. Only the minimum's search takes it; listing and counting see every cover.
    std::function<int(const std::vector<std::vector<int>>&)> columnInSomeMinimum;
    // The minimum's searches with Mincov::QuickAscent.
    bool quickAscent = false;
};

struct CoverListing {
    int64_t cost = 0;                      // of every cover below
    std::vector<std::vector<int>> covers;  // each sorted; at most maxList, none twice
    uint64_t count = 0;                    // saturates at UINT64_MAX
    bool complete = false;                 // count is every minimum cover
    bool proven = true;  // false: `work` ran out, covers holds one cover, perhaps not minimum
};

// rows: per row the sorted ids of the columns covering it; cost: per column id, every cost
// above 0; productWeight as Mincov takes it. Nothing when some row has no column.
std::optional<CoverListing> ListMinimumCovers(const std::vector<std::vector<int>>& rows,
                                              const std::vector<int64_t>& cost,
                                              int64_t productWeight,
                                              const CoverListingLimits& limits);

}  // namespace mwcore
