// Listing and counting every minimum cover, against every subset of columns: blocks split
// and joined, no cover twice, the count exact when complete and a lower bound when not.

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <set>

#include "core/CoverListing.h"

namespace {

using namespace mwcore;

struct AllMinimum {
    int64_t cost = -1;
    std::set<std::vector<int>> covers;
};

AllMinimum BySubsets(const std::vector<std::vector<int>>& rows, const std::vector<int64_t>& cost) {
    AllMinimum best;
    const int columns = static_cast<int>(cost.size());
    for (uint32_t set = 0; set < (1u << columns); ++set) {
        bool covers = true;
        for (const auto& row : rows) {
            bool hit = false;
            for (int c : row) hit = hit || (set >> c & 1);
            covers = covers && hit;
        }
        if (!covers) continue;
        int64_t total = 0;
        std::vector<int> chosen;
        for (int c = 0; c < columns; ++c)
            if (set >> c & 1) {
                total += cost[c];
                chosen.push_back(c);
            }
        if (best.cost >= 0 && total > best.cost) continue;
        if (best.cost < 0 || total < best.cost) best.covers.clear();
        best.cost = total;
        best.covers.insert(chosen);
    }
    return best;
}

CoverListingLimits Limits(std::size_t maxList, uint64_t maxNodes) {
    CoverListingLimits limits;
    limits.maxList = maxList;
    limits.maxNodes = maxNodes;
    return limits;
}

}  // namespace

TEST(CoverListing, EveryMinimumCoverOfRandomMatricesOnceWithItsExactCount) {
    std::mt19937 random(7);
    for (int k = 0; k < 400; ++k) {
        const int columns = 3 + static_cast<int>(random() % 12);
        const int rowCount =
            1 + static_cast<int>(random() % 20);  // past 12 open rows Mincov is asked
        std::vector<int64_t> cost(columns);
        // Products weigh 100, literals 0 to 3: many equal costs, so many equal covers.
        for (auto& c : cost) c = 100 + static_cast<int64_t>(random() % (k % 3 == 0 ? 1 : 4));
        std::vector<std::vector<int>> rows(rowCount);
        for (auto& row : rows) {
            for (int c = 0; c < columns; ++c)
                if (random() % 4 == 0) row.push_back(c);
            if (row.empty()) row.push_back(static_cast<int>(random() % columns));
        }
        const AllMinimum expected = BySubsets(rows, cost);
        const std::size_t maxList = 1 + random() % 6;
        const auto got = ListMinimumCovers(rows, cost, 100, Limits(maxList, uint64_t{1} << 20));
        ASSERT_TRUE(got);
        EXPECT_EQ(got->cost, expected.cost);
        EXPECT_TRUE(got->complete);
        EXPECT_EQ(got->count, expected.covers.size());
        EXPECT_EQ(got->covers.size(), std::min(maxList, expected.covers.size()));
        std::set<std::vector<int>> seen;
        for (const auto& cover : got->covers) {
            EXPECT_TRUE(expected.covers.count(cover)) << "not a minimum cover";
            EXPECT_TRUE(seen.insert(cover).second) << "listed twice";
        }

        const auto cut = ListMinimumCovers(rows, cost, 100, Limits(maxList, 3));
        ASSERT_TRUE(cut);
        EXPECT_EQ(cut->cost, expected.cost);
        EXPECT_LE(cut->count, expected.covers.size());
        EXPECT_GE(cut->count, 1u);
        EXPECT_FALSE(cut->covers.empty());
        for (const auto& cover : cut->covers) EXPECT_TRUE(expected.covers.count(cover));
    }
}

TEST(CoverListing, IndependentBlocksMultiplyAndAnUncoverableRowGivesNothing) {
    // Three blocks of two equal choices each: 8 minimum covers.
    const std::vector<std::vector<int>> rows{{0, 1}, {2, 3}, {4, 5}};
    const auto got = ListMinimumCovers(rows, std::vector<int64_t>(6, 5), 0, Limits(100, 1000));
    ASSERT_TRUE(got);
    EXPECT_EQ(got->count, 8u);
    EXPECT_EQ(got->covers.size(), 8u);
    EXPECT_EQ(got->cost, 15);
    EXPECT_FALSE(ListMinimumCovers({{0}, {}}, {1}, 0, Limits(100, 1000)));
    const auto none = ListMinimumCovers({}, {}, 0, Limits(100, 1000));
    ASSERT_TRUE(none);
    EXPECT_EQ(none->count, 1u);
    EXPECT_EQ(none->covers, std::vector<std::vector<int>>{{}});
}
