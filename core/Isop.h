#pragma once
// Irredundant sum of products between two bounds, after Minato and Morreale ("Fast
// generation of prime-irredundant covers from binary decision diagrams", 1993), run on
// bit-parallel truth tables instead of decision diagrams: split on the top variable, cover
// what only one half can take with that literal, and what both halves allow without it.
// Variables the bounds do not depend on are skipped, so small supports stay cheap.

#include <cstddef>
#include <vector>

#include "core/Cube.h"
#include "core/TruthTable.h"

namespace mwcore {

class Guard;

// A cover F with lower <= F <= upper, irredundant; lower must be a subset of upper.
std::vector<Cube> Isop(const TruthTable& lower, const TruthTable& upper);

// The same until the guard stops; what is left then is covered as BlockCover does, so the
// answer is still a cover between the bounds, no longer irredundant. Unstopped, it is Isop's.
// The guard is read at each split of a table of more than 2^16 minterms.
std::vector<Cube> Isop(const TruthTable& lower, const TruthTable& upper, Guard& guard);

// A cover between the bounds made within each block of 2^16 minterms alone (Isop's within
// each), for when there is no time for the whole table's.
std::vector<Cube> BlockCover(const TruthTable& lower, const TruthTable& upper);

// The variables of one block: the others are fixed in each of its products.
int IsopBlockVars(int vars);

// BlockCover's products of `count` blocks from `first` on (in the order of their minterms), so
// that blocks can be covered apart, on several threads.
std::vector<Cube> BlockCover(const TruthTable& lower, const TruthTable& upper, std::size_t first,
                             std::size_t count);

}  // namespace mwcore
