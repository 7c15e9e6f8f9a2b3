#pragma once
// Heuristic two-level minimization in the manner of espresso (Brayton, Hachtel, McMullen and
// Sangiovanni-Vincentelli, "Logic Minimization Algorithms for VLSI Synthesis", 1984): expand
// every cube to a prime, keep an irredundant subset, set the essential primes aside, then
// reduce each cube to what only it covers, expand and keep an irredundant subset again while
// the cover shrinks; then a last gasp that reduces every cube on its own and tries to replace
// pairs of cubes by one new prime. Containment tests run against the off-set table and a
// bit-sliced count of how often each minterm is covered.

#include <vector>

#include "core/Cube.h"
#include "core/Problem.h"
#include "core/Work.h"

namespace mwcore {

// Every step spends from a Work (Work.h), so what it does depends only on its input and the
// allowance; the forms without one run to their end.

// Minimizes `start` (a cover of the problem) and returns the best cover met, never worse
// than `start` by products then literals. When the work stops it stops where it is: every
// step leaves a valid cover, so the best one met so far is still an answer.
std::vector<Cube> Espresso(const Problem& p, std::vector<Cube> start, Work& work);
std::vector<Cube> Espresso(const Problem& p, std::vector<Cube> start);

// Iterated restarts: the loop run again from the best cover over the variables renumbered by
// a shuffle of the given seed (which changes how its ties fall, enough to leave a local
// optimum), keeping the best; ends after `patience` rounds in a row without a gain, after
// `rounds` rounds, or when the work runs out. Never worse than `cover`.
std::vector<Cube> Restarted(const Problem& p, std::vector<Cube> cover, uint32_t seed, int patience,
                            int rounds, Work& work);

// The single steps, exposed for the exact search's use and for tests. Expand leaves the cubes
// it has not reached when the work runs out as they are.
void Expand(const Problem& p, std::vector<Cube>& cover, Work& work);
void Expand(const Problem& p, std::vector<Cube>& cover);
void Irredundant(const Problem& p, std::vector<Cube>& cover, Work& work);
// Reduction takes the cubes in one of espresso's orders (it alternates the first two) or
// smallest first.
enum class ReduceOrder { NearLargest, Heaviest, SmallestFirst };
void Reduce(const Problem& p, std::vector<Cube>& cover, Work& work,
            ReduceOrder order = ReduceOrder::NearLargest);

}  // namespace mwcore
