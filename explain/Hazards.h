#pragma once
// Static hazards of a two-level cover. In a sum of products, two neighbouring 1 cells (one
// input apart) that no single term holds both of: while that input changes, one term falls
// before the other rises and the output may glitch to 0 (a static-1 hazard). The dual for a
// product of sums: neighbouring 0 cells no single sum holds (static-0). The hazard-free cover
// adds, per such pair, the consensus term: the cheapest prime that holds both cells.

#include <string>
#include <utility>
#include <vector>

#include "core/Cube.h"
#include "explain/Explain.h"

namespace explain {

using CellPair = std::pair<int, int>;  // neighbouring cells, the smaller first

// The pairs of neighbouring target cells (1 for a sum of products, 0 for a product of sums,
// don't cares left out) that no term of `terms` holds both of, ascending.
std::vector<CellPair> StaticHazards(const MapFunction& f, const std::vector<mwcore::Cube>& terms);

struct HazardFreeCover {
    std::vector<mwcore::Cube> cubes;  // the solution's terms, then the added ones
    std::vector<std::string> added;   // the added terms' texts
    std::string formula;
    int terms = 0, literals = 0;
};

// The hazards of minimal solution `s` of `e` (the first unless said), and that solution with
// the consensus terms of its hazards.
std::vector<CellPair> SolutionHazards(const MapFunction& f, const Explanation& e, int s = 0);
HazardFreeCover MakeHazardFree(const MapFunction& f, const Explanation& e, int s = 0);

}  // namespace explain
