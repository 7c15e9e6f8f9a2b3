#pragma once
// Questions about a cover answered on its cubes rather than on tables, for many variables
// where a table is large and the cubes are few: whether cubes cover every point of the space
// of some free variables (tautology), and the smallest cube holding every point they leave
// out; both by the unate recursive paradigm of Brayton et al. (1984), splitting on the most
// frequent binate variable, with a small table once few free variables are left.

#include <cstdint>
#include <optional>
#include <vector>

#include "core/Cube.h"

namespace mwcore {

// The cubes of `cover` that meet c, with c's literals dropped: the cover seen inside c.
std::vector<Cube> Cofactor(const std::vector<Cube>& cover, const Cube& c);

// Whether `cubes` (literals only on the variables of `free`) cover every point of the space
// of `free`. Adds its work to `units`.
bool Tautology(std::vector<Cube> cubes, uint32_t free, int64_t& units);

// The smallest cube (literals only on `free`) holding every point of the space of `free`
// that no cube of `cubes` holds; nothing when they hold them all.
std::optional<Cube> UncoveredSupercube(std::vector<Cube> cubes, uint32_t free, int64_t& units);

}  // namespace mwcore
