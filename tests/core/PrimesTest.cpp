// Prime generation on seeded random functions against the definition: every cube of at most
// 8 variables is tried, and the useful primes are exactly those that are prime implicants of
// on+dc and touch the on-set; together they make the function again.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/Primes.h"
#include "core/RandomFunctions.h"

namespace {

using namespace mwcore;

std::vector<Cube> PrimesByDefinition(const Problem& p) {
    std::vector<Cube> out;
    const uint32_t all = (1u << p.vars) - 1;
    for (uint32_t mask = 0; mask <= all; ++mask)
        for (uint32_t val = mask;; val = (val - 1) & mask) {
            const Cube c{mask, val};
            if (p.on.Intersects(c) && coretest::IsPrime(p, c)) out.push_back(c);
            if (val == 0) break;
        }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(PrimesProperty, ExactlyThePrimesTouchingTheOnSetAndTheyMakeTheFunction) {
    std::mt19937_64 rng(301);
    for (int n = 1; n <= 8; ++n) {
        for (int i = 0; i < 6; ++i) {
            const Problem p = i % 2 ? coretest::RandomProblem(std::max(n, 2), rng)
                                    : coretest::DenseProblem(n, 0.3 + 0.1 * i, 0.2, rng);
            const auto primes = UsefulPrimes(p, {});
            const auto fromCover = UsefulPrimesFromCover(p, {});
            ASSERT_TRUE(primes && fromCover);
            EXPECT_EQ(*primes, PrimesByDefinition(p)) << "n=" << p.vars << " i=" << i;
            EXPECT_EQ(*fromCover, *primes) << "n=" << p.vars << " i=" << i;
            if (!p.on.Empty()) coretest::ExpectImplements(p, *primes);
            if (HasFatalFailure()) return;
        }
    }
}

TEST(PrimesProperty, LimitsGiveNothingRatherThanAPart) {
    std::mt19937_64 rng(302);
    const Problem p = coretest::DenseProblem(10, 0.5, 0.2, rng);
    PrimeLimits few;
    few.maxPrimes = 10;
    EXPECT_FALSE(UsefulPrimes(p, few));
    EXPECT_FALSE(UsefulPrimesFromCover(p, few));
    Work none(0);
    PrimeLimits noWork;
    noWork.work = &none;
    EXPECT_FALSE(UsefulPrimes(p, noWork));
    EXPECT_EQ(none.Reason(), StoppedBy::Work);
}

}  // namespace
