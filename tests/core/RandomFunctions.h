#pragma once
// Seeded random functions for the core's property tests, and a minterm-by-minterm check of a
// cover that shares no code with the tables under test.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/Cube.h"
#include "core/Problem.h"

namespace coretest {

using mwcore::Cube;
using mwcore::Problem;
using mwcore::TruthTable;

// A function with structure: a few random cubes for the on-set, some more for don't cares,
// plus scattered single minterms, so that both merging and cyclic cores occur.
inline Problem RandomProblem(int n, std::mt19937_64& rng) {
    TruthTable on(n), dc(n);
    const uint32_t all = (1u << n) - 1;
    const auto randomCube = [&](int maxFree) {
        uint32_t mask = all;
        for (int k = 0; k < maxFree; ++k) mask &= ~(1u << (rng() % n));
        return Cube{mask, static_cast<uint32_t>(rng()) & mask};
    };
    const int cubes = 2 + static_cast<int>(rng() % (3 * n));
    for (int i = 0; i < cubes; ++i) on.Paint(randomCube(n / 2 + static_cast<int>(rng() % 3)));
    for (int i = 0; i < cubes / 2; ++i) dc.Paint(randomCube(n / 3));
    for (int i = 0; i < 4 * n; ++i) on.Set(static_cast<uint32_t>(rng()) & all);
    return Problem(on, dc);
}

// Every minterm on with probability `onShare`, else don't care with `dcShare`: dense random
// functions, where heuristics and exact searches part ways.
inline Problem DenseProblem(int n, double onShare, double dcShare, std::mt19937_64& rng) {
    TruthTable on(n), dc(n);
    std::uniform_real_distribution<double> u(0, 1);
    for (uint32_t m = 0; m < (1u << n); ++m) {
        const double x = u(rng);
        if (x < onShare)
            on.Set(m);
        else if (x < onShare + dcShare)
            dc.Set(m);
    }
    return Problem(on, dc);
}

// The cover's table equals the function wherever the function cares.
// Each cube marks its own minterms (its free variables' subsets), so that covers of 2^18
// minterms are checked in their own size rather than minterms times cubes.
inline void ExpectImplements(const Problem& p, const std::vector<Cube>& cover) {
    const uint32_t all = (1u << p.vars) - 1;
    std::vector<char> marked(std::size_t{1} << p.vars, 0);
    for (const Cube& c : cover) {
        if (c.val & ~c.mask) continue;  // holds no minterm
        const uint32_t free = all & ~c.mask;
        for (uint32_t s = free;; s = (s - 1) & free) {
            marked[(c.val & all) | s] = 1;
            if (s == 0) break;
        }
    }
    for (uint32_t m = 0; m <= all; ++m) {
        const bool covered = marked[m];
        if (p.on.Get(m)) {
            ASSERT_TRUE(covered) << "on minterm " << m << " not covered";
        }
        if (p.off.Get(m)) {
            ASSERT_FALSE(covered) << "off minterm " << m << " covered";
        }
    }
}

// No literal of the cube can go without taking an off minterm.
inline bool IsPrime(const Problem& p, const Cube& c) {
    if (p.off.Intersects(c)) return false;
    for (uint32_t m = c.mask; m; m &= m - 1)
        if (!p.off.Intersects(c.Without(std::countr_zero(m)))) return false;
    return true;
}

// Every cube holds an on minterm no other cube holds.
inline bool IsIrredundant(const TruthTable& on, const std::vector<Cube>& cover) {
    for (std::size_t i = 0; i < cover.size(); ++i) {
        bool alone = false;
        for (uint32_t m = 0; m < (1u << on.Vars()) && !alone; ++m) {
            if (!on.Get(m) || !cover[i].Has(m)) continue;
            bool other = false;
            for (std::size_t j = 0; j < cover.size() && !other; ++j)
                other = j != i && cover[j].Has(m);
            alone = !other;
        }
        if (!alone) return false;
    }
    return true;
}

}  // namespace coretest
