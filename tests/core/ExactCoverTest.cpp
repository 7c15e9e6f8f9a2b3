// The exact search on seeded random functions: every cover it returns equals the function and
// costs the same; a proven answer matches the brute-force minimum on small functions and is
// never dearer than the bound it was given; running out of work leaves no false proof.

#include <gtest/gtest.h>

#include <random>

#include "core/BruteForce.h"
#include "core/Espresso.h"
#include "core/ExactCover.h"
#include "core/Isop.h"
#include "core/RandomFunctions.h"

namespace {

using namespace mwcore;

uint64_t Mask(const TruthTable& t) {
    return t.Words()[0] & t.TailMask();
}

TEST(ExactCoverProperty, ProvenCoversAreTheFunctionAtTheTrueMinimum) {
    std::mt19937_64 rng(401);
    const auto cubes5 = brute::AllCubes(5);
    for (int i = 0; i < 60; ++i) {
        const Problem p = coretest::DenseProblem(5, 0.2 + 0.01 * i, 0.15, rng);
        if (p.on.Empty()) continue;
        const std::vector<Cube> bound = Isop(p.on, p.Upper());
        ExactResult r = ExactMinimum(p, bound, {});
        ASSERT_TRUE(r.proven);
        const brute::Minimum truth = brute::MinimumCovers(cubes5, Mask(p.on), Mask(p.dc));
        const std::vector<Cube>& best = r.covers.empty() ? bound : r.covers.front();
        EXPECT_EQ(CostOf(best), (CoverCost{truth.products, truth.literals})) << "i=" << i;
        EXPECT_EQ(r.lowerProducts, truth.products);
        for (const auto& cover : r.covers) {
            EXPECT_EQ(CostOf(cover), CostOf(best));
            coretest::ExpectImplements(p, cover);
            if (HasFatalFailure()) return;
        }
    }
}

TEST(ExactCoverProperty, LargerFunctionsWithinWorkAndWithout) {
    std::mt19937_64 rng(402);
    for (int n = 6; n <= 11; ++n) {
        const Problem p =
            n % 2 ? coretest::RandomProblem(n, rng) : coretest::DenseProblem(n, 0.35, 0.1, rng);
        const std::vector<Cube> bound = Espresso(p, Isop(p.on, p.Upper()));
        for (int64_t allowance : {int64_t{2000}, Work::kUnlimited}) {
            Work work(allowance);
            ExactLimits limits;
            limits.work = &work;
            const ExactResult r = ExactMinimum(p, bound, limits);
            if (allowance == Work::kUnlimited) {
                EXPECT_TRUE(r.proven) << "n=" << n;
                EXPECT_FALSE(r.gaveUp);
            }
            if (r.gaveUp) {
                EXPECT_FALSE(r.proven);
            }
            for (const auto& cover : r.covers) {
                EXPECT_LE(CostOf(cover), CostOf(bound)) << "n=" << n;
                coretest::ExpectImplements(p, cover);
                if (HasFatalFailure()) return;
            }
            if (r.proven && !r.covers.empty()) {
                EXPECT_EQ(r.lowerProducts, CostOf(r.covers.front()).products);
            }
        }
    }
}

}  // namespace
