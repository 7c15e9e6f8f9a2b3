// Several outputs together: every result checked point by point for every output, shared
// products counted once, and claimed minimums held against an exhaustive search on tiny
// functions.

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "core/MultiEspresso.h"
#include "core/MultiExact.h"
#include "core/MultiMinimize.h"

namespace {

using namespace mwcore;

struct TestFunctions {
    int n = 0, k = 0;
    std::vector<std::string> f;  // per output 2^n of '0', '1', '2'
};

MultiProblem ProblemOf(const TestFunctions& s) {
    MultiProblem p(s.n, s.k);
    const uint32_t all = (1u << s.n) - 1;
    for (int j = 0; j < s.k; ++j)
        for (uint32_t m = 0; m <= all; ++m) {
            if (s.f[j][m] == '1') p.AddOn(j, {all, m});
            if (s.f[j][m] == '2') p.AddDc(j, {all, m});
        }
    EXPECT_TRUE(p.Finish(true));
    return p;
}

// Outputs that share structure: each a random mix of a few common cubes and its own ones.
TestFunctions RandomTestFunctions(int n, int k, std::mt19937_64& rng) {
    TestFunctions s{n, k, std::vector<std::string>(k, std::string(std::size_t{1} << n, '0'))};
    const uint32_t all = (1u << n) - 1;
    std::vector<Cube> common;
    for (int i = 0; i < 2 + n / 2; ++i) {
        uint32_t mask = all;
        for (int f = 0; f < n / 2; ++f) mask &= ~(1u << (rng() % n));
        common.push_back({mask, static_cast<uint32_t>(rng()) & mask});
    }
    for (int j = 0; j < k; ++j) {
        for (const Cube& c : common)
            if (rng() % 2)
                for (uint32_t m = 0; m <= all; ++m)
                    if (c.Has(m)) s.f[j][m] = '1';
        for (int i = 0; i < n; ++i) s.f[j][rng() & all] = '1';
        for (int i = 0; i < n / 2; ++i) s.f[j][rng() & all] = '2';
    }
    return s;
}

// Point by point, with no table code of the core.
void ExpectImplements(const TestFunctions& s, const std::vector<MultiCube>& cover) {
    for (int j = 0; j < s.k; ++j)
        for (uint32_t m = 0; m < (1u << s.n); ++m) {
            bool covered = false;
            for (const MultiCube& c : cover) covered = covered || (c.out.test(j) && c.in.Has(m));
            if (s.f[j][m] == '1') {
                ASSERT_TRUE(covered) << "output " << j << " misses " << m;
            }
            if (s.f[j][m] == '0') {
                ASSERT_FALSE(covered) << "output " << j << " takes " << m;
            }
        }
}

// The fewest products over every set of cubes (each fed to all outputs it fits), by trying
// sets of growing size; tiny functions only.
int FewestProducts(const TestFunctions& s) {
    const uint32_t all = (1u << s.n) - 1;
    std::vector<std::pair<uint32_t, std::vector<uint64_t>>>
        cubes;  // per cube: per output the points it covers
    std::vector<uint64_t> need(s.k, 0);
    for (int j = 0; j < s.k; ++j)
        for (uint32_t m = 0; m <= all; ++m)
            if (s.f[j][m] == '1') need[j] |= uint64_t{1} << m;
    for (uint32_t mask = 0; mask <= all; ++mask)
        for (uint32_t val = mask;; val = (val - 1) & mask) {
            std::vector<uint64_t> per(s.k, 0);
            bool useful = false;
            for (int j = 0; j < s.k; ++j) {
                uint64_t points = 0;
                bool fits = true;
                for (uint32_t m = 0; m <= all; ++m)
                    if ((m & mask) == val) {
                        points |= uint64_t{1} << m;
                        fits = fits && s.f[j][m] != '0';
                    }
                if (fits) per[j] = points & need[j];
                useful = useful || per[j];
            }
            if (useful) cubes.push_back({mask, per});
            if (val == 0) break;
        }
    std::vector<uint64_t> got(s.k, 0);
    std::function<bool(int, std::size_t)> search = [&](int left, std::size_t from) {
        bool done = true;
        for (int j = 0; j < s.k; ++j) done = done && (got[j] & need[j]) == need[j];
        if (done) return true;
        if (left == 0) return false;
        for (std::size_t i = from; i < cubes.size(); ++i) {
            const auto saved = got;
            for (int j = 0; j < s.k; ++j) got[j] |= cubes[i].second[j];
            if (search(left - 1, i + 1)) return true;
            got = saved;
        }
        return false;
    };
    for (int size = 0;; ++size)
        if (search(size, 0)) return size;
}

TEST(MultiMinimize, SharedProductsCountOnce) {
    // f0 = a b, f1 = a b + c, f2 = c (a = variable 2, b = 1, c = 0): two products, both shared.
    TestFunctions s{3, 3, {"00000011", "01010111", "01010101"}};
    const MultiProblem p = ProblemOf(s);
    const MultiMinimization m = MinimizeMulti(p);
    ExpectImplements(s, m.cover);
    EXPECT_EQ(m.cover.size(), 2u);
    EXPECT_TRUE(m.minimum);
    // Each alone: f1 has two products of its own, so four in all.
    const MultiMinimization alone = MinimizeEachAlone(p);
    ExpectImplements(s, alone.cover);
    EXPECT_EQ(alone.cover.size(), 4u);
    for (const MultiCube& c : alone.cover) EXPECT_EQ(c.out.count(), 1u);
}

TEST(MultiMinimize, ProvenMinimumsAreMinimumOnTinyFunctions) {
    std::mt19937_64 rng(7);
    int proven = 0;
    for (int round = 0; round < 150; ++round) {
        const int n = 2 + static_cast<int>(rng() % 2), k = 1 + static_cast<int>(rng() % 3);
        const TestFunctions s = RandomTestFunctions(n, k, rng);
        const MultiMinimization m = MinimizeMulti(ProblemOf(s));
        ExpectImplements(s, m.cover);
        const int fewest = FewestProducts(s);
        EXPECT_GE(static_cast<int>(m.cover.size()), fewest) << round;
        if (m.minimum) {
            ++proven;
            EXPECT_EQ(static_cast<int>(m.cover.size()), fewest) << "round " << round;
        }
    }
    EXPECT_EQ(proven, 150);  // these sizes are always settled
}

TEST(MultiMinimize, LargerRandomOutputsAreImplementedAndNoWorseThanEachAlone) {
    std::mt19937_64 rng(11);
    for (int round = 0; round < 24; ++round) {
        const int n = 5 + static_cast<int>(rng() % 6), k = 2 + static_cast<int>(rng() % 14);
        const TestFunctions s = RandomTestFunctions(n, k, rng);
        const MultiProblem p = ProblemOf(s);
        MinimizeOptions quick;
        quick.workScale = round % 2 ? 0 : 0.2;  // the heuristic alone, and with the exact search
        if (round % 2) quick.effort = Effort::Quick;
        const MultiMinimization together = MinimizeMulti(p, quick);
        ExpectImplements(s, together.cover);
        const MultiMinimization alone = MinimizeEachAlone(p, quick);
        ExpectImplements(s, alone.cover);
        EXPECT_LE(together.cover.size(), alone.cover.size()) << "round " << round;
        // No product feeds an output it need not: taking any one output away breaks the cover.
        for (std::size_t i = 0; i < together.cover.size() && i < 6; ++i)
            for (int j = 0; j < k; ++j) {
                if (!together.cover[i].out.test(j)) continue;
                auto fewer = together.cover;
                fewer[i].out.reset(j);
                EXPECT_FALSE(MultiCoverImplements(p, fewer))
                    << "round " << round << " product " << i;
            }
    }
}

TEST(MultiMinimize, StartsFromAGivenCoverAndStepsKeepCoversValid) {
    std::mt19937_64 rng(3);
    for (int round = 0; round < 20; ++round) {
        const TestFunctions s = RandomTestFunctions(6, 5, rng);
        const MultiProblem p = ProblemOf(s);
        // The given cover: every on point as a product for all outputs it is 1 for.
        std::vector<MultiCube> given;
        for (uint32_t m = 0; m < 64; ++m) {
            Outputs o;
            for (int j = 0; j < 5; ++j) o.set(j, s.f[j][m] == '1');
            if (o.any()) given.push_back({{63, m}, o});
        }
        std::vector<MultiCube> f = given;
        Work work;
        MultiExpand(p, f, work);
        ExpectImplements(s, f);
        MultiIrredundant(p, f, work);
        ExpectImplements(s, f);
        MultiReduce(p, f, work);
        ExpectImplements(s, f);
        const auto gasp = GaspCandidates(p, f, work);
        for (const Cube& c : gasp) EXPECT_TRUE(p.UsefulOutputs(c).any());
        const MultiMinimization m = MinimizeMulti(p, {}, given);
        ExpectImplements(s, m.cover);
        EXPECT_LE(CostOf(m.cover), CostOf(MultiEspresso(p, given)));
    }
}

// Every step spends from its allowance, the last polish too: a smaller allowance spends less
// in all, the run says the work ended it, and the answer is the same whatever the clock does
// meanwhile (a progress report that sleeps, one thread or two).
TEST(MultiMinimize, EveryStepEndsWithinItsAllowance) {
    std::mt19937_64 rng(26);
    TestFunctions s{10, 3, std::vector<std::string>(3, std::string(1024, '0'))};
    for (auto& f : s.f)
        for (char& c : f) c = "0112"[rng() % 4];
    const MultiProblem p = ProblemOf(s);
    // The rows as a PLA would give them: every on point a product of its own.
    std::vector<MultiCube> given;
    for (uint32_t m = 0; m < 1024; ++m) {
        Outputs o;
        for (int j = 0; j < 3; ++j) o.set(j, s.f[j][m] == '1');
        if (o.any()) given.push_back({{1023, m}, o});
    }
    MinimizeOptions full;
    full.effort = Effort::Quick;
    full.workScale = 100;  // room for the loop's natural end
    const MultiMinimization natural = MinimizeMulti(p, full, given);
    ExpectImplements(s, natural.cover);
    EXPECT_EQ(natural.stats.stoppedBy, StoppedBy::Nothing);

    MinimizeOptions small = full;
    small.workScale = 1e-4;
    small.threads = 1;
    const MultiMinimization cut = MinimizeMulti(p, small, given);
    ExpectImplements(s, cut.cover);
    EXPECT_EQ(cut.stats.stoppedBy, StoppedBy::Work);
    EXPECT_LT(cut.stats.work, natural.stats.work / 4);

    small.threads = 2;
    int steps = 0;
    small.progress = [&](const char*, int) {
        ++steps;
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    };
    const MultiMinimization slowed = MinimizeMulti(p, small, given);
    EXPECT_GT(steps, 0);
    EXPECT_EQ(slowed.cover, cut.cover);
    EXPECT_EQ(slowed.stats.work, cut.stats.work);
}

TEST(MultiProblem, TheRestIsOffOrFreeAndClashesAreFound) {
    MultiProblem p(3, 2);
    p.AddOn(0, {0b100, 0b100});   // x2
    p.AddOff(0, {0b110, 0b000});  // !x2 !x1
    p.AddOn(1, {0b111, 0b111});
    p.AddDc(1, {0b111, 0b111});  // a don't care wins
    ASSERT_TRUE(p.Finish(false));
    EXPECT_TRUE(p.Implicant({0b010, 0b010}, 0));   // x1: never off
    EXPECT_FALSE(p.Implicant({0b010, 0b000}, 0));  // !x1 meets the off-set
    EXPECT_TRUE(p.On(1).Empty());
    EXPECT_TRUE(p.Upper(1).Full());

    MultiProblem q(2, 3);
    q.AddOn(2, {0b11, 0b01});
    q.AddOff(2, {0b01, 0b01});
    int clash = -1;
    EXPECT_FALSE(q.Finish(false, &clash));
    EXPECT_EQ(clash, 2);
    EXPECT_GT(MultiProblem::BytesFor(23, 128), std::size_t{500} << 20);
    EXPECT_LT(MultiProblem::BytesFor(16, 40), std::size_t{50} << 20);
}

}  // namespace
