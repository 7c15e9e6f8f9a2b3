#pragma once
// Minimum-cost unate covering, in the manner of espresso's mincov (Rudell, "Logic Synthesis
// for VLSI Design", 1989), on bit sets: a node of the search is just the set of rows still to
// cover and the set of columns still allowed, so a branch costs two small copies. At every
// node essential columns, row dominance and column dominance are applied until nothing
// changes; independent blocks are solved apart; a greedy maximal set of pairwise
// column-disjoint rows (fewest neighbours first) bounds the cost from below, is inherited by
// the children, and drives Coudert's limit bound ("On solving covering problems", DAC 1996),
// which drops every column whose choice alone would reach the best cover known; the search
// branches on including or excluding the column of an independent row that covers the most
// hard-to-cover rows per cost.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/Work.h"

namespace mwcore {

// Thrown when the search gives up: past its work allowance or its deadline, or a matrix too
// large for its bit sets.
struct CoveringTimeout {};

// Drops duplicate rows and rows that hold another row (covering the smaller covers them);
// says whether any went.
bool DropDominatedRows(std::vector<std::vector<int>>& rows);

class Mincov {
  public:
    // With a product weight, every cost is that weight plus the column's literals. The search
    // spends from `work`, which must outlive it.
    Mincov(std::vector<int64_t> cost, Work& work, int64_t productWeight = 0);
    // The same with no work limit, only a deadline (the answer then depends on the machine).
    Mincov(std::vector<int64_t> cost, std::chrono::steady_clock::time_point deadline,
           int64_t productWeight = 0);

    // rows: for each row the sorted ids of the columns covering it. The cheapest selection of
    // cost strictly below `bound`, or nothing when there is none. Throws CoveringTimeout past
    // the deadline.
    std::optional<std::vector<int>> Solve(const std::vector<std::vector<int>>& rows, int64_t bound);

    int64_t CostOf(const std::vector<int>& columns) const;

    // A lower bound on the cost of every cover, known from outside (the structure of the
    // problem): the search ends as soon as a cover meets it.
    void KnowLowerBound(int64_t lower) { knownLower_ = lower; }
    // A column that some cheapest cover holds, known from outside (a symmetry of the problem
    // carries any cover onto one holding it): taken at once, the search never proves the
    // covers without it. -1 for none.
    void KnowInSomeMinimum(int column) { knownIn_ = column; }
    // A plain greedy cover before the root's ascent and short ascents again at a node: many
    // small searches (the map's explanation) end sooner; the core's budgeted searches end with
    // fewer products without it (measured on the source PLAs), so it is asked for.
    void QuickAscent(bool on) { quickAscent_ = on; }

    // The greedy cover of the last Solve that beat its bound, kept when the search gave up
    // (caller's ids; empty when there was none).
    const std::vector<int>& Incumbent() const { return incumbent_; }

    // Nodes of the search so far, over every Solve.
    uint64_t Nodes() const { return nodes_; }
    // The lower bound proven at the root of the last Solve (forced columns included).
    int64_t RootBound() const { return rootBound_; }

    // Bits the search holds per matrix orientation and for its row graph (32 MB each).
    static constexpr std::size_t kMaxCells = std::size_t{1} << 28;

  private:
    using Bits = std::vector<uint64_t>;
    void Spend(int64_t units);  // throws CoveringTimeout when the work is over
    void Build(const std::vector<std::vector<int>>& rows);
    bool Search(Bits rows, Bits cols, int64_t bound, int64_t inherited, std::vector<int>& chosen,
                int64_t& cost);
    bool SearchNode(Bits rows, Bits cols, int64_t bound, int64_t inherited,
                    std::vector<int>& chosen, int64_t& cost);
    bool SearchBlocks(const Bits& rows, const Bits& cols, const std::vector<Bits>& blocks,
                      int64_t bound, const std::vector<int>& forced, std::vector<int>& chosen,
                      int64_t& cost);
    bool Reduce(Bits& rows, Bits& cols, std::vector<int>& forced);  // false: a row can't be covered
    bool DropDominatedRowsOf(Bits& rows, const Bits& cols);
    bool DropDominatedColumnsOf(const Bits& rows, Bits& cols);
    std::vector<Bits> Blocks(const Bits& rows, const Bits& cols);  // empty: one block
    int64_t LowerBound(const Bits& rows, const Bits& cols);        // fills indep_
    struct Sparse {  // the live matrix as column lists over local row numbers
        std::vector<int> rowList, colList, start, members;
    };
    double Subgradient(const Sparse& m, const std::vector<double>& cost, std::vector<double>& store,
                       double target, std::vector<double>& rc);
    int64_t LagrangianBound(const Bits& rows, Bits& cols, int64_t bound, bool& dropped);
    std::vector<int> PricedGreedyCover(const Bits& rows, const Bits& cols);
    bool DropColumnsOverLimit(const Bits& rows, Bits& cols, int64_t slack);
    int RowLength(int r, const Bits& cols) const;
    int ColumnLength(int c, const Bits& rows) const;

    std::vector<int64_t> cost_;  // by the caller's column id
    std::vector<int> incumbent_;
    std::unique_ptr<Guard> ownGuard_;  // with a deadline only
    std::unique_ptr<Work> ownWork_;
    Work* work_;
    // The matrix of the current Solve, columns renumbered densely.
    std::vector<int> id_;  // caller's id of each dense column
    std::vector<int64_t> dense_cost_;
    std::size_t rowWords_ = 0, colWords_ = 0;
    std::vector<Bits> rowCols_;  // per row: its columns
    std::vector<Bits> colRows_;  // per column: its rows
    std::vector<int> indep_;     // rows of the last lower bound
    std::vector<int64_t> indepCost_;
    std::vector<double> price_;          // per row: the Lagrangian price last used
    std::vector<double> priceLiterals_;  // the same for literals, with a product weight
    int64_t productWeight_ = 0;
    int64_t knownLower_ = 0;
    int knownIn_ = -1;
    // Steps of the prices' ascent: the first bound of a node, and again after the bound dropped
    // columns, where the prices are already near their best.
    static constexpr int kAscentSteps = 60, kRepeatSteps = 3;
    int ascentSteps_ = kAscentSteps;
    bool quickAscent_ = false;

    uint64_t nodes_ = 0;
    int64_t rootBound_ = 0;

    // Scratch of the reductions and bounds, kept between calls to spare the allocations.
    std::vector<int> scratchList_, scratchHead_, scratchNext_, scratchLength_, scratchSlot_,
        scratchRowLength_;
    std::vector<std::pair<int, int>> scratchOrder_;
    std::vector<double> scratchU_, scratchBestU_, scratchReduced_;
    std::vector<int> scratchG_, scratchNegative_, scratchAt_;
    Sparse scratchSparse_;
};

}  // namespace mwcore
