#pragma once
// Exact multi-output minimization for a few outputs: a minimum cover can always be made of
// multi-output primes, a cube prime in the product of the outputs it feeds and feeding every
// output that can take it. They are the primes of the products of every subset of outputs;
// then every (output, on point) pair is a row of a covering problem over them, solved by
// Mincov with products first and literals next.

#include <vector>

#include "core/Espresso.h"
#include "core/MultiProblem.h"
#include "core/Work.h"

namespace mwcore {

// Subsets of outputs are listed, so this many outputs at most.
constexpr int kMaxExactOutputs = 10;

struct MultiExactResult {
    bool proven = false;           // cover (or `bound` when cover is empty) is a minimum
    std::vector<MultiCube> cover;  // cheaper than `bound`, or empty
    uint64_t nodes = 0;            // of the covering search
};

// Spends from `work`; gives up (not proven, no cover) when it runs out before the covering.
MultiExactResult MultiExactMinimum(const MultiProblem& p, const std::vector<MultiCube>& bound,
                                   Work& work);

// The cheapest cover made of `candidates` and the products of `bound` (each fed to every
// output that can take it and needs it) that beats `bound`; proven when the search finished,
// so that no cover of these candidates is cheaper. Where it cannot finish, the best cover its
// search met.
MultiExactResult BestCoverOf(const MultiProblem& p, const std::vector<Cube>& candidates,
                             const std::vector<MultiCube>& bound, Work& work);

}  // namespace mwcore
