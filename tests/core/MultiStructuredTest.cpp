// Several outputs on structured functions whose minimum an independent search settles (adders,
// a multiplier, a comparator, decoders, a ones counter); the cube answers of many-input
// problems against the table answers; and the same covers however busy the machine is.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <bitset>
#include <functional>
#include <random>
#include <thread>

#include "core/ExchangeFormat.h"
#include "core/MultiCubes.h"
#include "core/MultiMinimize.h"

namespace {

using namespace mwcore;

// Outputs of n inputs as functions of the input number.
struct Structured {
    const char* name;
    int n, k;
    std::function<uint32_t(uint32_t)> f;  // input number -> bit j is output j
};

MultiProblem ProblemOf(const Structured& s, int cubesFrom = MultiProblem::kMaxTableVars + 1) {
    MultiProblem p(s.n, s.k);
    const uint32_t all = (1u << s.n) - 1;
    for (uint32_t m = 0; m <= all; ++m)
        for (int j = 0; j < s.k; ++j)
            if ((s.f(m) >> j) & 1) p.AddOn(j, {all, m});
    EXPECT_TRUE(p.Finish(true, nullptr, cubesFrom));
    return p;
}

// The fewest products of any cover: depth-first with a growing limit, branching on the
// uncovered (output, point) with the fewest cubes that can cover it, and cut where a set of
// uncovered pairs no cube covers two of already needs more products than are left. Only
// cubes not inside a larger one fitting the same outputs are tried, each fed to every output
// it fits. Up to five inputs; shares nothing with the core.
int FewestProducts(const Structured& s) {
    using Set = std::bitset<256>;
    const uint32_t points = 1u << s.n, all = points - 1;
    std::vector<uint32_t> need(s.k, 0);
    for (uint32_t m = 0; m < points; ++m)
        for (int j = 0; j < s.k; ++j)
            if ((s.f(m) >> j) & 1) need[j] |= 1u << m;
    struct Candidate {
        uint32_t inside;
        std::vector<uint32_t> covers;  // per output, the points it covers there (0: unfit)
    };
    std::vector<Candidate> all3;
    for (uint32_t mask = 0; mask <= all; ++mask)
        for (uint32_t val = mask;; val = (val - 1) & mask) {
            Candidate c{0, std::vector<uint32_t>(s.k, 0)};
            for (uint32_t m = 0; m < points; ++m)
                if ((m & mask) == val) c.inside |= 1u << m;
            for (int j = 0; j < s.k; ++j)
                if ((c.inside & ~need[j]) == 0) c.covers[j] = c.inside;
            all3.push_back(c);
            if (val == 0) break;
        }
    const auto fits = [&](const Candidate& c, int j) {
        return c.covers[j] != 0 || (c.inside & ~need[j]) == 0;
    };
    std::vector<Candidate> cubes;
    for (const Candidate& a : all3) {
        bool useful = false, dominated = false;
        for (int j = 0; j < s.k; ++j) useful = useful || a.covers[j];
        for (const Candidate& b : all3) {
            if (b.inside == a.inside || (a.inside & ~b.inside)) continue;
            bool wider = true;
            for (int j = 0; j < s.k; ++j) wider = wider && (!fits(a, j) || fits(b, j));
            dominated = dominated || wider;
        }
        if (useful && !dominated) cubes.push_back(a);
    }
    // Per (output, point): the cubes covering it.
    std::vector<Set> coveredBy(s.k * points);
    for (std::size_t i = 0; i < cubes.size(); ++i)
        for (int j = 0; j < s.k; ++j)
            for (uint32_t m = 0; m < points; ++m)
                if ((cubes[i].covers[j] >> m) & 1) coveredBy[j * points + m].set(i);
    std::vector<uint32_t> left = need;
    std::function<bool(int)> search = [&](int budget) {
        int best = -1;
        std::size_t bestCount = ~std::size_t{0};
        Set used;
        int independent = 0;
        for (int j = 0; j < s.k; ++j)
            for (uint32_t m = 0; m < points; ++m)
                if ((left[j] >> m) & 1) {
                    const Set& by = coveredBy[j * points + m];
                    if (by.count() < bestCount) {
                        bestCount = by.count();
                        best = j * points + m;
                    }
                    if ((by & used).none()) {
                        ++independent;
                        used |= by;
                    }
                }
        if (best < 0) return true;
        if (independent > budget) return false;
        const Set& by = coveredBy[best];
        for (std::size_t i = 0; i < cubes.size(); ++i) {
            if (!by.test(i)) continue;
            const std::vector<uint32_t> saved = left;
            for (int j = 0; j < s.k; ++j) left[j] &= ~cubes[i].covers[j];
            const bool done = search(budget - 1);
            left = saved;
            if (done) return true;
        }
        return false;
    };
    for (int budget = 0;; ++budget)
        if (search(budget)) return budget;
}

void ExpectCovers(const Structured& s, const std::vector<MultiCube>& cover) {
    for (uint32_t m = 0; m < (1u << s.n); ++m)
        for (int j = 0; j < s.k; ++j) {
            bool covered = false;
            for (const MultiCube& c : cover) covered = covered || (c.out.test(j) && c.in.Has(m));
            EXPECT_EQ(covered, ((s.f(m) >> j) & 1) != 0)
                << s.name << " output " << j << " point " << m;
        }
}

std::vector<Structured> Functions() {
    const auto bits = [](uint32_t x, int from, int count) {
        return (x >> from) & ((1u << count) - 1);
    };
    return {
        {"2-bit adder", 4, 3, [=](uint32_t m) { return bits(m, 0, 2) + bits(m, 2, 2); }},
        {"adder with carry in", 5, 3,
         [=](uint32_t m) { return bits(m, 0, 2) + bits(m, 2, 2) + bits(m, 4, 1); }},
        {"2x2 multiplier", 4, 4, [=](uint32_t m) { return bits(m, 0, 2) * bits(m, 2, 2); }},
        {"2-bit comparator", 4, 3,
         [=](uint32_t m) {
             const uint32_t a = bits(m, 0, 2), b = bits(m, 2, 2);
             return (a < b ? 1u : 0u) | (a == b ? 2u : 0u) | (a > b ? 4u : 0u);
         }},
        {"2-to-4 decoder with enable", 3, 4,
         [=](uint32_t m) { return bits(m, 2, 1) ? 1u << bits(m, 0, 2) : 0u; }},
        {"3-to-8 decoder", 3, 8, [=](uint32_t m) { return 1u << m; }},
        {"ones counter of 4", 4, 3,
         [](uint32_t m) { return static_cast<uint32_t>(std::popcount(m)); }},
        {"seven-segment decoder", 4, 7,
         [](uint32_t m) {
             static const uint32_t segments[16] = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07,
                                                   0x7f, 0x6f, 0x77, 0x7c, 0x39, 0x5e, 0x79, 0x71};
             return segments[m];
         }},
    };
}

TEST(MultiStructured, ReachTheMinimumAnIndependentSearchFinds) {
    for (const Structured& s : Functions()) {
        const MultiMinimization m = MinimizeMulti(ProblemOf(s));
        ExpectCovers(s, m.cover);
        const int fewest = FewestProducts(s);
        EXPECT_EQ(static_cast<int>(m.cover.size()), fewest) << s.name;
        EXPECT_TRUE(m.minimum) << s.name;
        // Sharing pays: each output alone never needs fewer products in all.
        EXPECT_LE(m.cover.size(), MinimizeEachAlone(ProblemOf(s)).cover.size()) << s.name;
    }
}

// Brute force over every point of the free variables' space.
bool CoversAll(const std::vector<Cube>& cubes, uint32_t free, uint32_t point) {
    for (const Cube& c : cubes)
        if (c.Has(point & free)) return true;
    return false;
}

TEST(MultiCubes, TautologyAndTheUncoveredSupercubeAgreeWithEveryPoint) {
    std::mt19937_64 rng(41);
    for (int round = 0; round < 300; ++round) {
        const int n = 2 + static_cast<int>(rng() % 15);  // past the table size of the recursion
        const uint32_t all = (1u << n) - 1;
        // Some variables fixed away, as in a cofactor.
        const uint32_t free = all & ~(static_cast<uint32_t>(rng()) & static_cast<uint32_t>(rng()));
        std::vector<Cube> cubes;
        const int count = static_cast<int>(rng() % (round % 3 == 0 ? 40 : 8));
        for (int i = 0; i < count; ++i) {
            uint32_t mask = free;
            for (int d = 0; d < n / 2 + 1; ++d) mask &= ~(1u << (rng() % n));
            cubes.push_back({mask, static_cast<uint32_t>(rng()) & mask});
        }
        uint32_t seenOne = 0, seenZero = 0;
        bool every = true;
        for (uint32_t x = free;; x = (x - 1) & free) {
            if (!CoversAll(cubes, free, x)) {
                every = false;
                seenOne |= x;
                seenZero |= ~x & free;
            }
            if (x == 0) break;
        }
        int64_t units = 0;
        EXPECT_EQ(Tautology(cubes, free, units), every) << "round " << round;
        const auto left = UncoveredSupercube(cubes, free, units);
        ASSERT_EQ(left.has_value(), !every) << "round " << round;
        if (left) {
            const uint32_t mask = free & ~(seenOne & seenZero);
            EXPECT_EQ(left->mask, mask) << "round " << round;
            EXPECT_EQ(left->val, seenOne & mask) << "round " << round;
        }
    }
}

// Random outputs sharing cubes, over enough inputs that the loop's questions are worth asking
// both ways.
MultiProblem SharedRandom(int n, int k, std::mt19937_64& rng, int cubesFrom) {
    MultiProblem p(n, k);
    const uint32_t all = (1u << n) - 1;
    std::vector<Cube> common;
    for (int i = 0; i < 3 * k; ++i) {
        uint32_t mask = all;
        for (int d = 0; d < n / 2; ++d) mask &= ~(1u << (rng() % n));
        common.push_back({mask, static_cast<uint32_t>(rng()) & mask});
    }
    for (int j = 0; j < k; ++j)
        for (const Cube& c : common) {
            if (rng() % 3 == 0) p.AddOn(j, c);
            if (rng() % 11 == 0) p.AddDc(j, c);
        }
    EXPECT_TRUE(p.Finish(true, nullptr, cubesFrom));
    return p;
}

TEST(MultiCubes, TheLoopOnCubesAnswersAsOnTables) {
    std::mt19937_64 rng(43);
    for (int round = 0; round < 6; ++round) {
        const int n = 8 + round, k = 2 + round;
        std::mt19937_64 again = rng;
        const MultiProblem tables = SharedRandom(n, k, rng, 99);
        const MultiProblem cubes = SharedRandom(n, k, again, 0);
        ASSERT_FALSE(tables.CubesOnly());
        ASSERT_TRUE(cubes.CubesOnly());
        // The loop alone: the thorough steps' allowances follow work counted differently.
        MinimizeOptions quick;
        quick.effort = Effort::Quick;
        const MultiMinimization a = MinimizeMulti(tables, quick);
        const MultiMinimization b = MinimizeMulti(cubes, quick);
        EXPECT_TRUE(MultiCoverImplements(tables, b.cover)) << "round " << round;
        EXPECT_EQ(a.cover, b.cover) << "round " << round;
        // With the pool and the exact search: a correct cover either way.
        EXPECT_TRUE(MultiCoverImplements(tables, MinimizeMulti(cubes).cover)) << "round " << round;
    }
}

// Busy threads on every core for as long as it lives.
class Busy {
  public:
    Busy() {
        for (unsigned i = 0; i < std::max(2u, std::thread::hardware_concurrency()); ++i)
            threads_.emplace_back([this] {
                volatile uint64_t x = 0;
                while (!stop_) x = x * 6364136223846793005ull + 1;
            });
    }
    ~Busy() {
        stop_ = true;
        for (auto& t : threads_) t.join();
    }

  private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

TEST(MultiDeterminism, SameCoverAndWorkUnderLoadAndRunAfterRun) {
    std::mt19937_64 rng(47);
    // Sizes where the pool and the exact search run out of their allowances.
    for (const auto& [n, k] : {std::pair{10, 6}, std::pair{12, 9}, std::pair{18, 5}}) {
        const MultiProblem p = SharedRandom(n, k, rng, MultiProblem::kMaxTableVars + 1);
        const MultiMinimization calm = MinimizeMulti(p);
        EXPECT_GT(calm.stats.work, 0);
        EXPECT_NE(calm.stats.stoppedBy, StoppedBy::TimeLimit);
        MultiMinimization busy;
        {
            Busy load;
            busy = MinimizeMulti(p);
        }
        EXPECT_EQ(busy.cover, calm.cover) << n << " inputs under load";
        EXPECT_EQ(busy.stats.work, calm.stats.work) << n << " inputs under load";
        EXPECT_EQ(busy.minimum, calm.minimum);
        EXPECT_EQ(busy.stats.stoppedBy, calm.stats.stoppedBy);
        EXPECT_EQ(MinimizeMulti(p).cover, calm.cover) << n << " inputs again";
    }
}

TEST(MultiDeterminism, CancelAndTheClockStopWithACorrectCoverAndSaySo) {
    std::mt19937_64 rng(53);
    const MultiProblem p = SharedRandom(12, 8, rng, MultiProblem::kMaxTableVars + 1);
    std::atomic<bool> cancel{true};
    MinimizeOptions options;
    options.cancel = &cancel;
    std::vector<std::string> steps;
    options.progress = [&](const char* step, int products) {
        steps.push_back(step);
        EXPECT_GT(products, 0);
    };
    const MultiMinimization cancelled = MinimizeMulti(p, options);
    EXPECT_TRUE(MultiCoverImplements(p, cancelled.cover));
    EXPECT_EQ(cancelled.stats.stoppedBy, StoppedBy::Cancel);
    EXPECT_FALSE(cancelled.minimum);
    EXPECT_FALSE(steps.empty());
    EXPECT_EQ(steps.back(), "sparse");

    // Nothing past the start: each output's own run and the last polish are left out too.
    EXPECT_EQ(cancelled.stats.work, 0);
    EXPECT_EQ(steps, (std::vector<std::string>{"loop", "sparse"}));

    MinimizeOptions prove;
    prove.effort = Effort::Prove;
    prove.timeLimitSeconds = 1e-9;  // the clock is over at once
    const MultiMinimization clocked = MinimizeMulti(p, prove);
    EXPECT_TRUE(MultiCoverImplements(p, clocked.cover));
    EXPECT_EQ(clocked.stats.stoppedBy, StoppedBy::TimeLimit);
}

}  // namespace

// Twenty inputs: after Cancel each output's blocks are covered in several pieces, and the answer
// is long enough to be written on a thread of its own; neither changes a byte of it.
TEST(MultiDeterminism, CancelOnLargeTablesAnswersAlikeOnAnyThreadCount) {
    const int n = 20;
    std::mt19937_64 rng(59);
    MultiProblem p(n, 2);
    const uint32_t all = (1u << n) - 1;
    for (int j = 0; j < 2; ++j)
        for (uint32_t m = 0; m <= all; ++m) {
            const uint64_t r = rng() % 4;
            if (r == 0) p.AddDc(j, {all, m});
            if (r >= 2) p.AddOn(j, {all, m});
        }
    ASSERT_TRUE(p.Finish(true));
    std::atomic<bool> cancel{true};
    MinimizeOptions one;
    one.cancel = &cancel;
    one.threads = 1;
    MinimizeOptions two = one;
    two.threads = 2;
    const MultiMinimization alone = MinimizeMulti(p, one), both = MinimizeMulti(p, two);
    EXPECT_EQ(alone.cover, both.cover);
    EXPECT_TRUE(MultiCoverImplements(p, both.cover));
    EXPECT_EQ(both.stats.stoppedBy, StoppedBy::Cancel);
    const std::vector<std::string> lines = MultiResultLines(both, 2);
    ASSERT_EQ(lines.size(), 2u);
    for (int j = 0; j < 2; ++j) {
        std::vector<Cube> own;
        for (const MultiCube& c : both.cover)
            if (c.out.test(j)) own.push_back(c.in);
        const std::size_t open = lines[j].find('>') + 1;
        EXPECT_EQ(lines[j].substr(open, lines[j].size() - open - 9), CoverText(own, n)) << j;
    }
}
