#pragma once
// Exact minimum sums of products: essential primes first, then the cyclic core as a unate
// covering problem (rows: on minterms no essential prime covers; columns: the other primes),
// shrunk by row dominance and by strict column dominance. Mincov settles it in two steps:
// the fewest products (unit costs, where dominance is strongest), then the fewest literals
// among covers of that many products. Other covers of the same cost are then listed, up to
// `maxCovers`, by a plain branch and bound that uses no dominance by equally cheap columns,
// so that every minimum cover stays reachable.

#include <chrono>
#include <vector>

#include "core/Cube.h"
#include "core/Problem.h"
#include "core/Work.h"

namespace mwcore {

struct ExactLimits {
    // Where `work` is given, every step spends from it and the deadlines are not read; the
    // answer then depends only on the function and the allowance.
    Work* work = nullptr;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    // The fewest products may take until here; the rest of the time goes to fewest literals.
    std::chrono::steady_clock::time_point productsDeadline =
        std::chrono::steady_clock::time_point::max();
    std::size_t maxPrimes = 200000;
    std::size_t maxRows = 200000;  // distinct rows of the cyclic core
    int maxCovers = 16;
};

struct ExactResult {
    bool proven = false;                    // the covers below are minimum
    std::vector<std::vector<Cube>> covers;  // all of the same cost; empty when nothing better
    uint64_t nodes = 0;                     // of the covering searches
    int lowerProducts = 0;                  // no cover has fewer products (0: not known)
    bool gaveUp = false;                    // a limit ended the search
};

// `bound` is a known cover (used as the first upper bound); covers costlier than it are never
// returned.
ExactResult ExactMinimum(const Problem& p, const std::vector<Cube>& bound,
                         const ExactLimits& limits);

}  // namespace mwcore
