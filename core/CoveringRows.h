#pragma once
// The rows of a covering problem taken from tables: one row per minterm still to be covered,
// listing the cubes that hold it. Minterms are numbered by rank among those to cover, so no
// table-sized index is needed.

#include <vector>

#include "core/Cube.h"
#include "core/TruthTable.h"

namespace mwcore {

// Row r lists, in increasing order, the indices of the cubes holding the r-th set minterm of
// `need`. A cube with no such minterm appears in no row.
std::vector<std::vector<int>> CoveringRows(const TruthTable& need, const std::vector<Cube>& cubes);

// Products first, then literals: no cover reaches 2^24 literals.
constexpr int64_t kProductCost = int64_t{1} << 24;
inline int64_t CostOfCube(const Cube& c) { return kProductCost + c.Literals(); }

}  // namespace mwcore
