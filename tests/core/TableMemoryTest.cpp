// The pool behind large tables hands out slots of 2 MB blocks and takes whole blocks back:
// a slot given twice, or a block unmapped while a table still lies in it, shows as a table
// whose pattern changed (or a crash) here, where the sanitizers cannot see into the pool.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/TableMemory.h"

namespace {

using mwcore::TableWords;

TEST(TableMemory, TablesKeepTheirWordsThroughAnyOrderOfAllocationAndRelease) {
    std::mt19937_64 rng(77);
    // In words: below the pooled sizes, slots of a block, a whole block, several blocks.
    const std::size_t sizes[] = {100, 8192, 8193, 16384, 65536, 131072, 200000, 600000};
    struct Live {
        TableWords words;
        uint64_t seed;
    };
    std::vector<Live> live;
    const auto check = [](const Live& t) {
        for (std::size_t i = 0; i < t.words.size(); i += 97)
            if (t.words[i] != t.seed * (i + 1)) return false;
        return t.words.empty() || t.words.back() == t.seed * t.words.size();
    };
    for (int round = 0; round < 600; ++round) {
        if (!live.empty() && rng() % 3 == 0) {
            const std::size_t k = rng() % live.size();
            ASSERT_TRUE(check(live[k])) << "round " << round;
            live.erase(live.begin() + static_cast<std::ptrdiff_t>(k));
            continue;
        }
        Live t{TableWords(sizes[rng() % std::size(sizes)]), rng() | 1};
        ASSERT_TRUE(std::all_of(t.words.begin(), t.words.end(), [](uint64_t w) { return !w; }));
        for (std::size_t i = 0; i < t.words.size(); ++i) t.words[i] = t.seed * (i + 1);
        live.push_back(std::move(t));
    }
    for (const Live& t : live) EXPECT_TRUE(check(t));
    // A copy is a table of its own.
    if (!live.empty()) {
        TableWords copy = live.front().words;
        std::fill(live.front().words.begin(), live.front().words.end(), 0);
        EXPECT_NE(copy, live.front().words);
    }
}

}  // namespace
