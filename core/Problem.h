#pragma once
// One single-output function to minimize: its on-set, don't-care set and off-set as
// truth tables over the same variables (the three are disjoint and fill the space).

#include <string>
#include <vector>

#include "core/TruthTable.h"

namespace mwcore {

struct Problem {
    int vars = 0;
    TruthTable on, dc, off;

    Problem() = default;
    Problem(TruthTable onSet, TruthTable dcSet);
    TruthTable Upper() const;  // on or don't care: what a cover may take
};

// The same function over renumbered variables: perm[i] is where variable i goes.
Problem Permuted(const Problem& p, const std::vector<int>& perm);
Cube PermutedCube(const Cube& c, const std::vector<int>& perm);

}  // namespace mwcore
