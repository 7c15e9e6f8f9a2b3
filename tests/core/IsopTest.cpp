// The irredundant start on seeded random bounds: its table lies between the bounds, no cube
// is redundant, and variables the bounds ignore never appear.

#include <gtest/gtest.h>

#include <atomic>
#include <random>

#include "core/Isop.h"
#include "core/RandomFunctions.h"
#include "core/Work.h"

namespace {

using namespace mwcore;

TEST(IsopProperty, CoverLiesBetweenTheBoundsAndIsIrredundant) {
    std::mt19937_64 rng(101);
    for (int n = 1; n <= 12; ++n) {
        for (int i = 0; i < (n <= 8 ? 20 : 4); ++i) {
            const Problem p = i % 2 ? coretest::RandomProblem(std::max(n, 2), rng)
                                    : coretest::DenseProblem(n, 0.2 + 0.1 * (i % 5), 0.15, rng);
            const std::vector<Cube> cover = Isop(p.on, p.Upper());
            coretest::ExpectImplements(p, cover);
            if (HasFatalFailure()) return;
            EXPECT_TRUE(coretest::IsIrredundant(p.on, cover)) << "n=" << p.vars << " i=" << i;
            // Neither bound depends on the top variable: no cube names it.
            if (p.vars >= 7) {
                TruthTable on(p.vars), upper(p.vars);
                const uint32_t top = 1u << (p.vars - 1);
                for (uint32_t m = 0; m < top; ++m) {
                    if (p.on.Get(m)) on.Set(m), on.Set(m | top);
                    if (p.Upper().Get(m)) upper.Set(m), upper.Set(m | top);
                }
                for (const Cube& c : Isop(on, upper)) EXPECT_FALSE(c.mask & top);
            }
        }
    }
}

TEST(IsopProperty, EqualBoundsGiveTheFunctionItself) {
    std::mt19937_64 rng(102);
    for (int n : {3, 6, 7, 10, 13}) {
        const Problem p = coretest::DenseProblem(n, 0.5, 0, rng);
        EXPECT_EQ(TableOf(Isop(p.on, p.on), n), p.on) << n;
    }
    EXPECT_TRUE(Isop(TruthTable(5), TruthTable(5, true)).empty());
    EXPECT_EQ(Isop(TruthTable(5, true), TruthTable(5, true)), (std::vector<Cube>{Cube{}}));
}

// Stopped part way (the guard is read at each split above a block of 2^16 minterms), the rest
// is covered block by block: still between the bounds. Never stopped, the answer is the whole
// one.
TEST(IsopProperty, StoppedOrBlockByBlockTheCoverStaysBetweenTheBounds) {
    std::mt19937_64 rng(103);
    for (int n : {4, 6, 7, 9, 12, 15, 17, 18}) {
        const Problem p = coretest::DenseProblem(n, 0.5, 0.25, rng);
        std::atomic<bool> cancel{true};
        Guard stopped(Guard::Clock::time_point::max(), &cancel);
        coretest::ExpectImplements(p, Isop(p.on, p.Upper(), stopped));
        const std::vector<Cube> blocks = BlockCover(p.on, p.Upper());
        coretest::ExpectImplements(p, blocks);
        if (HasFatalFailure()) return;
        // Each product lies within one block of 2^16 minterms.
        const uint32_t high = ((1u << n) - 1) & ~0xffffu;
        for (const Cube& c : blocks) EXPECT_EQ(c.mask & high, high) << n;
        Guard running;
        EXPECT_EQ(Isop(p.on, p.Upper(), running), Isop(p.on, p.Upper())) << n;
    }
}

}  // namespace
