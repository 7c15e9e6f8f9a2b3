// Rows of the covering problem: built in slices for many variables, they must be exactly the
// distinct rows built minterm by minterm.

#include <gtest/gtest.h>

#include <random>

#include "core/CoveringRows.h"

namespace {

using namespace mwcore;

TEST(CoveringRows, SlicesGiveTheDistinctRowsOfTheWholeSpace) {
    std::mt19937_64 rng(5);
    for (int n : {8, kChunkVars, kChunkVars + 2}) {
        const uint32_t all = (1u << n) - 1;
        std::vector<Cube> cubes;
        TruthTable need(n);
        for (int i = 0; i < 12; ++i) {
            uint32_t mask = all;
            for (int k = 0; k < n - 3; ++k) mask &= ~(1u << (rng() % n));
            cubes.push_back({mask, static_cast<uint32_t>(rng()) & mask});
            if (i % 2) need.Paint(cubes.back());
        }
        for (int i = 0; i < 50; ++i)
            need.Set(static_cast<uint32_t>(rng()) & all);  // some in no cube
        // Many minterms take the slice by slice way; few are listed directly.
        if (n > kChunkVars) need.Paint(Cube{1u << (n - 1), 0});
        std::vector<std::vector<int>> expected = CoveringRows(need, cubes);
        std::sort(expected.begin(), expected.end());
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        const auto got = DistinctCoveringRows(need, cubes, 1000000,
                                              std::chrono::steady_clock::time_point::max());
        ASSERT_TRUE(got);
        EXPECT_EQ(*got, expected) << "n=" << n;
        EXPECT_FALSE(
            DistinctCoveringRows(need, cubes, 0, std::chrono::steady_clock::time_point::max()));
    }
}

}  // namespace
