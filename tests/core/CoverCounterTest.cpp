// The bit-sliced cover count against a plain count per minterm: what a cube alone holds, and
// what it holds with only one other cube besides (the part of it a pair of cubes could
// replace), over words and within one word.

#include <gtest/gtest.h>

#include <random>

#include "core/CoverCounter.h"
#include "core/RandomFunctions.h"

namespace {

using namespace mwcore;

TEST(CoverCounter, HeldOnceAndHeldOnlyWithMatchAPlainCount) {
    std::mt19937_64 rng(301);
    for (int n : {3, 5, 6, 7, 9, 11}) {
        const uint32_t all = (1u << n) - 1;
        const Problem p = coretest::DenseProblem(n, 0.6, 0.1, rng);
        std::vector<Cube> cover;
        for (int i = 0; i < 3 * n; ++i) {
            uint32_t mask = all;
            for (int k = 0; k < n / 2 + 1; ++k) mask &= ~(1u << (rng() % n));
            cover.push_back({mask, static_cast<uint32_t>(rng()) & mask});
        }
        CoverCounter count(n, static_cast<int>(cover.size()));
        for (const Cube& c : cover) count.Add(c);
        count.Remove(cover.back());  // the count must also go down
        cover.pop_back();
        std::vector<int> plain(all + 1, 0);
        for (const Cube& c : cover)
            for (uint32_t m = 0; m <= all; ++m) plain[m] += c.Has(m);
        TruthTable once(n), pair(n);
        for (std::size_t i = 0; i < cover.size(); ++i) {
            count.HeldOnce(cover[i], p.on, once);
            for (std::size_t j = 0; j < cover.size(); ++j) {
                if (j == i) continue;
                count.HeldOnlyWith(cover[i], cover[j], p.on, pair);
                for (uint32_t m = 0; m <= all; ++m) {
                    if (!cover[i].Has(m)) continue;
                    const bool needed = p.on.Get(m);
                    ASSERT_EQ(once.Get(m), needed && plain[m] == 1) << "n=" << n << " m=" << m;
                    const bool alone = plain[m] == 1 || (plain[m] == 2 && cover[j].Has(m));
                    ASSERT_EQ(pair.Get(m), needed && alone)
                        << "n=" << n << " i=" << i << " j=" << j << " m=" << m;
                }
            }
        }
    }
}

}  // namespace
