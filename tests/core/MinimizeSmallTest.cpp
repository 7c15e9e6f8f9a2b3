// The core against the naive reference on every function of up to four variables, and on
// seeded random ones with don't cares: the same minimum, proven, and every minimum cover.

#include <gtest/gtest.h>

#include <random>

#include "BruteForce.h"
#include "core/Minimize.h"
#include "core/TruthTable.h"

namespace {

using mwcore::Minimization;

mwcore::Problem MakeProblem(int n, uint64_t on, uint64_t dc) {
    mwcore::TruthTable t(n), d(n);
    for (int m = 0; m < (1 << n); ++m) {
        if ((on >> m) & 1) t.Set(m);
        if ((dc >> m) & 1) d.Set(m);
    }
    return mwcore::Problem(t, d);
}

uint64_t MintermsOf(const mwcore::Cube& c, int n) {
    uint64_t mask = 0;
    for (int m = 0; m < (1 << n); ++m)
        if (c.Has(m)) mask |= uint64_t{1} << m;
    return mask;
}

// Checks one function completely; the first difference is fatal.
void CheckAgainstReference(const std::vector<brute::Cube>& cubes, int n, uint64_t on, uint64_t dc) {
    const uint64_t all = n == 6 ? ~0ull : (uint64_t{1} << (1 << n)) - 1;
    on &= ~dc;
    const Minimization m = mwcore::Minimize(MakeProblem(n, on, dc));
    ASSERT_TRUE(m.minimum) << "on=" << on << " dc=" << dc;
    if (on == 0) {
        ASSERT_EQ(m.kind, Minimization::Kind::Zero);
        return;
    }
    if ((on | dc) == all) {
        ASSERT_EQ(m.kind, Minimization::Kind::One);
        return;
    }
    ASSERT_EQ(m.kind, Minimization::Kind::Sum);
    const brute::Minimum ref = brute::MinimumCovers(cubes, on, dc);
    ASSERT_EQ(m.covers.size(), std::min<std::size_t>(ref.covers.size(), 16))
        << "on=" << on << " dc=" << dc;
    std::set<std::vector<uint64_t>> seen;
    for (const auto& cover : m.covers) {
        const mwcore::CoverCost cost = mwcore::CostOf(cover);
        ASSERT_EQ(cost.products, ref.products) << "on=" << on << " dc=" << dc;
        ASSERT_EQ(cost.literals, ref.literals) << "on=" << on << " dc=" << dc;
        std::vector<uint64_t> masks;
        uint64_t covered = 0;
        for (const auto& c : cover) {
            masks.push_back(MintermsOf(c, n));
            covered |= masks.back();
        }
        ASSERT_EQ(covered & ~(on | dc), 0u);
        ASSERT_EQ(on & ~covered, 0u);
        std::sort(masks.begin(), masks.end());
        ASSERT_TRUE(ref.covers.count(masks)) << "not a minimum cover: on=" << on;
        ASSERT_TRUE(seen.insert(masks).second) << "a cover written twice: on=" << on;
    }
}

TEST(MinimizeSmall, EveryFunctionOfUpToFourVariables) {
    for (int n = 1; n <= 4; ++n) {
        const std::vector<brute::Cube> cubes = brute::AllCubes(n);
        for (uint64_t on = 0; on < (uint64_t{1} << (1 << n)); ++on) {
            CheckAgainstReference(cubes, n, on, 0);
            if (HasFatalFailure()) return;
        }
    }
}

TEST(MinimizeSmall, RandomFunctionsWithDontCares) {
    std::mt19937_64 rng(20261207);
    for (int n = 2; n <= 6; ++n) {
        const std::vector<brute::Cube> cubes = brute::AllCubes(n);
        const int rounds = n <= 4 ? 3000 : 150;
        for (int i = 0; i < rounds; ++i) {
            const uint64_t all = n == 6 ? ~0ull : (uint64_t{1} << (1 << n)) - 1;
            // Vary the densities so that sparse, dense and don't-care-heavy functions all occur.
            const uint64_t on = rng() & rng() & all;
            const uint64_t dc = (i % 3 == 0 ? rng() : rng() & rng()) & all;
            CheckAgainstReference(cubes, n, on, dc);
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace
