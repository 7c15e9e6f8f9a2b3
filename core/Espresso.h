#pragma once
// Heuristic two-level minimization in the manner of Brayton, Hachtel, McMullen and
// Sangiovanni-Vincentelli, "Logic Minimization Algorithms for VLSI Synthesis" (1984):
// expand every cube to a prime, keep an irredundant subset, reduce each cube to what only it
// covers, and repeat while the cover shrinks; then a last gasp that reduces every cube on its
// own and tries to cover the reduced cubes with fewer new primes. Containment tests run
// against the off-set table and a bit-sliced count of how often each minterm is covered.

#include <vector>

#include "core/Cube.h"
#include "core/Problem.h"

namespace mwcore {

// Minimizes `start` (a cover of the problem) and returns the best cover met, never worse
// than `start` by products then literals.
std::vector<Cube> Espresso(const Problem& p, std::vector<Cube> start);

// The single steps, exposed for the exact search's use and for tests.
void Expand(const Problem& p, std::vector<Cube>& cover);
void Irredundant(const Problem& p, std::vector<Cube>& cover);
void Reduce(const Problem& p, std::vector<Cube>& cover);

}  // namespace mwcore
