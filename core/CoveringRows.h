#pragma once
// The rows of a covering problem taken from tables: one row per minterm still to be covered,
// listing the cubes that hold it. Minterms are numbered by rank among those to cover, so no
// table-sized index is needed.

#include <chrono>
#include <optional>
#include <vector>

#include "core/Cube.h"
#include "core/TruthTable.h"
#include "core/Work.h"

namespace mwcore {

// Row r lists, in increasing order, the indices of the cubes holding the r-th set minterm of
// `need`. A cube with no such minterm appears in no row.
std::vector<std::vector<int>> CoveringRows(const TruthTable& need, const std::vector<Cube>& cubes);

// The same rows without repeats, built a slice of the space at a time so that memory follows
// the number of distinct rows rather than the number of minterms. Nothing when there would be
// more than maxRows of them or the deadline passes.
std::optional<std::vector<std::vector<int>>> DistinctCoveringRows(
    const TruthTable& need, const std::vector<Cube>& cubes, std::size_t maxRows,
    std::chrono::steady_clock::time_point deadline);
// The same, spending from a work allowance: nothing when it runs out.
std::optional<std::vector<std::vector<int>>> DistinctCoveringRows(const TruthTable& need,
                                                                  const std::vector<Cube>& cubes,
                                                                  std::size_t maxRows, Work& work);

// Variables spanned by one slice.
constexpr int kChunkVars = 18;

// Products first, then literals: no cover reaches 2^24 literals.
constexpr int64_t kProductCost = int64_t{1} << 24;
inline int64_t CostOfCube(const Cube& c) {
    return kProductCost + c.Literals();
}

}  // namespace mwcore
