#pragma once
// Minimum-cost unate covering, in the manner of espresso's mincov (Rudell, "Logic Synthesis
// for VLSI Design", 1989): at every node essential columns, row dominance and column
// dominance are applied until nothing changes, independent blocks are solved apart, a
// maximal set of pairwise column-disjoint rows bounds the cost from below, and the search
// branches on including or excluding one column of a shortest row.

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace mwcore {

struct CoveringTimeout {};

// Drops duplicate rows and rows that hold another row (covering the smaller covers them);
// says whether any went.
bool DropDominatedRows(std::vector<std::vector<int>>& rows);
// The same with scratch lists kept by the caller between calls.
bool DropDominatedRows(std::vector<std::vector<int>>& rows, std::vector<std::vector<int>>& byFirst);

class Mincov {
public:
    // rows: for each row the sorted ids of the columns covering it; cost per column id.
    Mincov(std::vector<int64_t> cost, std::chrono::steady_clock::time_point deadline);

    // The cheapest selection of cost strictly below `bound`, or nothing when there is none.
    // Throws CoveringTimeout past the deadline.
    std::optional<std::vector<int>> Solve(std::vector<std::vector<int>> rows, int64_t bound);

    int64_t CostOf(const std::vector<int>& columns) const;

private:
    using Rows = std::vector<std::vector<int>>;
    bool Search(Rows rows, int64_t bound, std::vector<int>& chosen, int64_t& cost);
    void Reduce(Rows& rows, std::vector<int>& forced);
    std::vector<Rows> Blocks(const Rows& rows);  // nothing when the rows form one block
    // Each column's rows, by local number (local_); valid until the next call.
    const std::vector<std::vector<int>>& ColumnRows(const Rows& rows);
    int64_t LowerBound(const Rows& rows);

    std::vector<int64_t> cost_;
    std::chrono::steady_clock::time_point deadline_;
    std::vector<uint32_t> mark_;
    std::vector<uint32_t> seen_;
    std::vector<uint32_t> drop_;
    std::vector<int> local_;
    std::vector<int> active_;
    std::vector<std::vector<int>> colRows_;
    std::vector<std::vector<int>> byFirst_;
    uint32_t stamp_ = 0;
    uint64_t nodes_ = 0;
};

}  // namespace mwcore
