#pragma once
// The pieces of cube expansion shared by the expansion pass and the last gasp, after
// espresso's expand (Brayton et al., 1984): which literals of a cube can still be raised one
// at a time, which can always be raised whatever else is, and the largest prime reachable.
// Every test is a containment test against the off-set table; `spent` counts the words read.

#include <cstdint>
#include <vector>

#include "core/Cube.h"
#include "core/Problem.h"

namespace mwcore {

// Words of the table a cube spans: what an off-set test of it costs.
inline int64_t CubeWords(const Cube& c, int vars) {
    const int free = vars - c.Literals();
    return free > 6 ? int64_t{1} << (free - 6) : 1;
}

// The literals of c (within `among`) whose raising alone keeps c off the off-set; the others
// must stay whatever else is raised.
uint32_t RaisableAlone(const Problem& p, const Cube& c, uint32_t among, int64_t& spent);

// Raises every literal of `free` that no off minterm of the over-expanded cube (c with all of
// `free` raised) opposes: such a literal goes in every prime the expansion can still reach.
void RaiseUnopposed(const Problem& p, Cube& c, uint32_t& free, int64_t& spent);

// Raises a largest set of the literals of `free`, each raisable alone: exactly for a few,
// greedily (the literal that leaves the most others raisable) for many.
Cube LargestPrime(const Problem& p, Cube c, uint32_t free, int64_t& spent);

// Cover positions in the order of espresso's mini sort: each cube weighed by how many cubes
// share each of its values (a free variable counts both), lightest first when ascending.
std::vector<int> MiniOrder(const std::vector<Cube>& cover, int vars, bool ascending);

}  // namespace mwcore
