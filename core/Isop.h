#pragma once
// Irredundant sum of products between two bounds, after Minato and Morreale ("Fast
// generation of prime-irredundant covers from binary decision diagrams", 1993), run on
// bit-parallel truth tables instead of decision diagrams: split on the top variable, cover
// what only one half can take with that literal, and what both halves allow without it.
// Variables the bounds do not depend on are skipped, so small supports stay cheap.

#include <vector>

#include "core/Cube.h"
#include "core/TruthTable.h"

namespace mwcore {

// A cover F with lower <= F <= upper, irredundant; lower must be a subset of upper.
std::vector<Cube> Isop(const TruthTable& lower, const TruthTable& upper);

}  // namespace mwcore
