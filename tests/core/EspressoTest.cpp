// The espresso-class loop on seeded random functions: the cover it returns equals the
// function, is prime and irredundant, never costs more than its start, and depends only on
// the problem, the start and the work allowed.

#include <gtest/gtest.h>

#include <random>

#include "core/Espresso.h"
#include "core/Isop.h"
#include "core/RandomFunctions.h"

namespace {

using namespace mwcore;

TEST(EspressoProperty, CoverIsTheFunctionPrimeIrredundantAndNoDearer) {
    std::mt19937_64 rng(201);
    for (int n = 3; n <= 11; ++n) {
        for (int i = 0; i < 8; ++i) {
            const Problem p =
                i % 2 ? coretest::RandomProblem(n, rng) : coretest::DenseProblem(n, 0.45, 0.1, rng);
            if (p.on.Empty()) continue;
            const std::vector<Cube> start = Isop(p.on, p.Upper());
            const std::vector<Cube> cover = Espresso(p, start);
            coretest::ExpectImplements(p, cover);
            if (HasFatalFailure()) return;
            EXPECT_LE(CostOf(cover), CostOf(start)) << "n=" << n;
            for (const Cube& c : cover) EXPECT_TRUE(coretest::IsPrime(p, c)) << "n=" << n;
            EXPECT_TRUE(coretest::IsIrredundant(p.on, cover)) << "n=" << n;
        }
    }
}

// The same allowance gives the same cover; a small one still a correct cover, no dearer
// than the start; a cover of minterms grows to primes.
TEST(EspressoProperty, WorkAllowanceDecidesAndAnyAllowanceIsSafe) {
    std::mt19937_64 rng(202);
    for (int n : {8, 11, 12}) {
        const Problem p = coretest::DenseProblem(n, 0.4, 0.1, rng);
        const std::vector<Cube> start = Isop(p.on, p.Upper());
        for (int64_t allowance : {int64_t{0}, int64_t{1000}, int64_t{100000}, Work::kUnlimited}) {
            Work a(allowance), b(allowance);
            const std::vector<Cube> first = Espresso(p, start, a), second = Espresso(p, start, b);
            EXPECT_EQ(first, second) << "n=" << n << " allowance=" << allowance;
            EXPECT_EQ(a.Spent(), b.Spent());
            coretest::ExpectImplements(p, first);
            if (HasFatalFailure()) return;
            EXPECT_LE(CostOf(first), CostOf(start));
        }
    }
    const Problem p = coretest::DenseProblem(7, 0.6, 0.1, rng);
    std::vector<Cube> minterms;
    for (uint32_t m = 0; m < 128; ++m)
        if (p.on.Get(m)) minterms.push_back({127u, m});
    std::vector<Cube> expanded = minterms;
    Expand(p, expanded);
    coretest::ExpectImplements(p, expanded);
    for (const Cube& c : expanded) EXPECT_TRUE(coretest::IsPrime(p, c));
    EXPECT_LT(expanded.size(), minterms.size());
}

// Restarts over renumbered variables: a cover of the function, of primes, never dearer than
// the one they start from, the same for the same seed and allowance; and on dense functions
// they leave the local optimum a single run of the loop ends in.
TEST(EspressoProperty, RestartsNeverLoseAndLeaveTheLoopsLocalOptimum) {
    std::mt19937_64 rng(203);
    int single = 0, restarted = 0;
    for (int n : {8, 9, 10, 11}) {
        for (int i = 0; i < 3; ++i) {
            const Problem p = coretest::DenseProblem(n, 0.5, 0.05, rng);
            const std::vector<Cube> once = Espresso(p, Isop(p.on, p.Upper()));
            Work a(Work::kUnlimited), b(Work::kUnlimited);
            const std::vector<Cube> first = Restarted(p, once, 7, 4, 16, a);
            EXPECT_EQ(first, Restarted(p, once, 7, 4, 16, b)) << "n=" << n;
            EXPECT_EQ(a.Spent(), b.Spent());
            coretest::ExpectImplements(p, first);
            if (HasFatalFailure()) return;
            EXPECT_LE(CostOf(first), CostOf(once)) << "n=" << n;
            for (const Cube& c : first) EXPECT_TRUE(coretest::IsPrime(p, c)) << "n=" << n;
            single += static_cast<int>(once.size());
            restarted += static_cast<int>(first.size());
        }
    }
    EXPECT_LT(restarted, single);
    // No allowance: the cover comes back as it was.
    const Problem p = coretest::DenseProblem(9, 0.5, 0.05, rng);
    const std::vector<Cube> once = Espresso(p, Isop(p.on, p.Upper()));
    Work none(0);
    EXPECT_EQ(Restarted(p, once, 7, 4, 16, none), once);
}

}  // namespace
