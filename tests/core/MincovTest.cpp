// The covering search against every subset of columns: its reductions and bounds (limit
// bound, Lagrangian prices, inherited bounds, blocks) may cut only covers that cannot win.

#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "core/CoveringRows.h"
#include "core/Mincov.h"

namespace {

using namespace mwcore;

// Over all subsets, each built from a smaller one by one column.
int64_t Cheapest(const std::vector<std::vector<int>>& rows, const std::vector<int64_t>& cost) {
    const int columns = static_cast<int>(cost.size());
    std::vector<uint32_t> rowsOf(columns, 0);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c : rows[r]) rowsOf[c] |= 1u << r;
    const uint32_t all = (1u << rows.size()) - 1;
    std::vector<uint32_t> covered(std::size_t{1} << columns, 0);
    std::vector<int64_t> total(covered.size(), 0);
    int64_t best = -1;
    for (uint32_t set = 1; set < covered.size(); ++set) {
        const int c = std::countr_zero(set);
        covered[set] = covered[set & (set - 1)] | rowsOf[c];
        total[set] = total[set & (set - 1)] + cost[c];
        if (covered[set] == all && (best < 0 || total[set] < best)) best = total[set];
    }
    return rows.empty() ? 0 : best;
}

bool Covers(const std::vector<std::vector<int>>& rows, const std::vector<int>& chosen) {
    for (const auto& row : rows) {
        bool hit = false;
        for (int c : chosen) hit = hit || std::binary_search(row.begin(), row.end(), c);
        if (!hit) return false;
    }
    return true;
}

TEST(Mincov, FindsTheCheapestCoverAndNothingBelowIt) {
    std::mt19937 rng(11);
    const auto never = std::chrono::steady_clock::time_point::max();
    for (int round = 0; round < 4000; ++round) {
        const int columns = 1 + static_cast<int>(rng() % 14);
        const int rowCount = 1 + static_cast<int>(rng() % 16);
        const int density = 15 + static_cast<int>(rng() % 50);  // percent
        std::vector<std::vector<int>> rows(rowCount);
        for (auto& row : rows) {
            for (int c = 0; c < columns; ++c)
                if (static_cast<int>(rng() % 100) < density) row.push_back(c);
            if (row.empty()) row.push_back(static_cast<int>(rng() % columns));
        }
        // Unit costs, small weights, and the core's products-then-literals weights, whose
        // sums test the rounding of the fractional bounds.
        // Last, products and literals bounded apart (a weight per product plus literals).
        std::vector<int64_t> cost(columns, 1);
        int64_t productWeight = 0;
        if (round % 4 == 1)
            for (auto& c : cost) c = 1 + rng() % 4;
        if (round % 4 == 2)
            for (auto& c : cost) c = kProductCost + rng() % 23;
        if (round % 4 == 3) {
            productWeight = 1 + rng() % 30;
            for (auto& c : cost) c = productWeight + rng() % 10;
        }
        const int64_t best = Cheapest(rows, cost);
        ASSERT_GT(best, 0);
        Mincov solver(cost, never, productWeight);
        const auto found = solver.Solve(rows, best + 1);
        ASSERT_TRUE(found) << "round " << round;
        EXPECT_TRUE(Covers(rows, *found)) << "round " << round;
        EXPECT_EQ(solver.CostOf(*found), best) << "round " << round;
        EXPECT_FALSE(solver.Solve(rows, best)) << "round " << round;
        const auto unbounded = solver.Solve(rows, std::numeric_limits<int64_t>::max() / 2);
        ASSERT_TRUE(unbounded);
        EXPECT_EQ(solver.CostOf(*unbounded), best) << "round " << round;
    }
}

TEST(Mincov, AColumnKnownToBeInSomeMinimumIsTakenAndTheCostStays) {
    // A ring of 7 rows, column c covering rows c and c+1: every column lies in some cheapest
    // cover (4 columns), and a cover through any given one is found at that cost.
    std::vector<std::vector<int>> rows(7);
    for (int r = 0; r < 7; ++r) rows[r] = {std::min(r, (r + 6) % 7), std::max(r, (r + 6) % 7)};
    const std::vector<int64_t> cost(7, 1);
    ASSERT_EQ(Cheapest(rows, cost), 4);
    for (int known = 0; known < 7; ++known) {
        Mincov solver(cost, std::chrono::steady_clock::time_point::max());
        solver.KnowInSomeMinimum(known);
        const auto found = solver.Solve(rows, 100);
        ASSERT_TRUE(found);
        EXPECT_TRUE(Covers(rows, *found));
        EXPECT_EQ(found->size(), 4u);
        EXPECT_NE(std::find(found->begin(), found->end(), known), found->end()) << known;
    }
}

TEST(Mincov, RowsNothingCoversHaveNoCover) {
    Mincov solver({1, 1}, std::chrono::steady_clock::time_point::max());
    EXPECT_FALSE(solver.Solve({{0}, {}}, 10));
    const auto empty = solver.Solve({}, 1);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

TEST(Mincov, GivesUpOnMatricesTooLargeOrPastItsDeadline) {
    // 20000 x 20000 would need 50 MB per bit-set orientation: refused before any is built.
    std::vector<std::vector<int>> rows(20000);
    for (int r = 0; r < 20000; ++r) rows[r] = {r};
    Mincov big(std::vector<int64_t>(20000, 1), std::chrono::steady_clock::time_point::max());
    EXPECT_THROW(big.Solve(rows, 1 << 30), CoveringTimeout);
    Mincov late({1, 1, 1}, std::chrono::steady_clock::now() - std::chrono::seconds(1));
    const std::vector<std::vector<int>> ring = {{0, 1}, {1, 2}, {0, 2}};
    EXPECT_THROW(late.Solve(ring, 10), CoveringTimeout);
    // What the search met before it gave up is kept only if it is a cover.
    if (!late.Incumbent().empty()) {
        EXPECT_TRUE(Covers(ring, late.Incumbent()));
    }
}

}  // namespace
