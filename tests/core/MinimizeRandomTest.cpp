// Larger seeded random functions: every result is checked minterm by minterm against the
// function, the heuristic never does worse than its irredundant start, and an exact answer
// is never worse than the heuristic one.

#include <gtest/gtest.h>

#include <random>

#include "core/Espresso.h"
#include "core/ExchangeFormat.h"
#include "core/Isop.h"
#include "core/Minimize.h"
#include "core/Primes.h"
#include "core/RandomFunctions.h"

namespace {

using namespace mwcore;
using coretest::ExpectImplements;
using coretest::RandomProblem;

TEST(MinimizeRandom, ResultsEqualTheFunctionOnEveryCaredForMinterm) {
    std::mt19937_64 rng(7);
    for (int n = 5; n <= 16; ++n) {
        for (int i = 0; i < (n <= 10 ? 12 : 3); ++i) {
            const Problem p = RandomProblem(n, rng);
            MinimizeOptions options;
            options.workScale = 0.2;
            const Minimization m = Minimize(p, options);
            if (m.kind != Minimization::Kind::Sum) continue;
            ASSERT_FALSE(m.covers.empty());
            const CoverCost first = CostOf(m.covers.front());
            for (const auto& cover : m.covers) {
                EXPECT_EQ(CostOf(cover), first) << "covers of one result differ in cost";
                ExpectImplements(p, cover);
                if (HasFatalFailure()) return;
            }
            const std::vector<Cube> start = Isop(p.on, p.Upper());
            ExpectImplements(p, start);
            const std::vector<Cube> heuristic = Espresso(p, start);
            ExpectImplements(p, heuristic);
            if (HasFatalFailure()) return;
            EXPECT_LE(CostOf(heuristic).products, static_cast<int>(start.size())) << "n=" << n;
            EXPECT_LE(first, CostOf(heuristic)) << "n=" << n;
        }
    }
}

TEST(MinimizeRandom, ConstantsAndSingleCubes) {
    for (int n : {1, 7, 16}) {
        const TruthTable none(n), all(n, true);
        EXPECT_EQ(Minimize(Problem(none, none)).kind, Minimization::Kind::Zero);
        EXPECT_EQ(Minimize(Problem(all, none)).kind, Minimization::Kind::One);
        EXPECT_EQ(Minimize(Problem(none, all)).kind, Minimization::Kind::Zero);  // nothing required
        TruthTable cube(n);
        cube.Paint({1u, 1u});  // the function "variable 1"
        const Minimization m = Minimize(Problem(cube, none));
        ASSERT_EQ(m.covers.size(), 1u);
        EXPECT_TRUE(m.minimum);
        EXPECT_EQ(m.covers[0], (std::vector<Cube>{{1u, 1u}}));
    }
}

TEST(MinimizeRandom, HeuristicPastItsDeadlineStillAnswersCorrectly) {
    std::mt19937_64 rng(11);
    Guard past(std::chrono::steady_clock::now() - std::chrono::seconds(1));
    for (int n : {6, 10, 14}) {
        const Problem p = RandomProblem(n, rng);
        const std::vector<Cube> start = Isop(p.on, p.Upper());
        std::vector<Cube> expanded = start;
        Work expanding(Work::kUnlimited, &past), whole(Work::kUnlimited, &past);
        Expand(p, expanded, expanding);  // stops at once: every cube as it was, or grown
        ExpectImplements(p, expanded);
        const std::vector<Cube> cover = Espresso(p, start, whole);
        ExpectImplements(p, cover);
        EXPECT_LE(CostOf(cover), CostOf(start)) << "n=" << n;
    }
}

}  // namespace

namespace {

TEST(MinimizeRandom, BothPrimeGenerationsAgree) {
    std::mt19937_64 rng(3);
    for (int n = 3; n <= 12; ++n) {
        for (int i = 0; i < 6; ++i) {
            const Problem p = RandomProblem(n, rng);
            const auto fromTables = UsefulPrimes(p, {});
            const auto fromCover = UsefulPrimesFromCover(p, {});
            ASSERT_TRUE(fromTables && fromCover);
            EXPECT_EQ(*fromTables, *fromCover) << "n=" << n;
            for (const Cube& c : *fromTables) {
                EXPECT_FALSE(p.off.Intersects(c));
                for (uint32_t m = c.mask; m; m &= m - 1)
                    EXPECT_TRUE(p.off.Intersects(c.Without(std::countr_zero(m)))) << "not prime";
            }
        }
    }
}

}  // namespace

namespace {

// The first output of the classic PLA prom1 (9 inputs, 24 off minterms), whose known minimum
// is 22 products: its first exact allowance ends before a proof.
const char* const kProm1First =
    "1111111111111111111111111111111101111101111111111111111111111111"
    "1111111111111101111111111110111111111111111111111111111111111111"
    "1111111111111111111111111111111111011111101111111111111111111111"
    "1111111111111111110111111111111111111111111111111111111111111111"
    "1111111111111111111111111111111111111111111111111111111111011111"
    "1111111110111111111111011111011111111111111111111111111111111111"
    "1111111111111111111111111111111111111111111111111111111111111011"
    "1111111111111111001111111111111111111111111111111111110000000000";

TEST(MinimizeRandom, SmallFunctionsTheFirstAllowanceLeavesOpenEndProven) {
    const Problem p = ParseFunctionString(kProm1First, 9);
    MinimizeOptions without;
    without.proveSmall = false;
    const Minimization first = Minimize(p, without);
    EXPECT_FALSE(first.minimum);
    const Minimization m = Minimize(p);
    ASSERT_TRUE(m.minimum);
    ASSERT_EQ(m.kind, Minimization::Kind::Sum);
    EXPECT_EQ(m.covers.front().size(), 22u);
    EXPECT_EQ(m.stats.lowerProducts, 22);
    for (const auto& cover : m.covers) ExpectImplements(p, cover);
    EXPECT_LE(CostOf(m.covers.front()), CostOf(first.covers.front()));
}

}  // namespace
