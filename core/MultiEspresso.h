#pragma once
// The espresso loop (expand, irredundant, reduce; see Espresso.h) for several outputs at
// once, in the manner of Brayton et al. (1984), where the outputs are one more (multiple-
// valued) variable: a product grows in its inputs while it stays inside every output it
// feeds, then feeds every further output that can take it and needs it; irredundant drops
// whole products; reduce drops the outputs a product is not alone to cover and shrinks its
// inputs to what it alone covers. Each output keeps a bit-sliced count of its products per
// point.

#include <vector>

#include "core/Espresso.h"
#include "core/MultiProblem.h"

namespace mwcore {

// Minimizes `start` (a cover of p) and returns the best cover met, never worse than `start`
// by products then literals. Past `until` it stops with the best cover so far.
std::vector<MultiCube> MultiEspresso(const MultiProblem& p, std::vector<MultiCube> start,
                                     Deadline until = Deadline::max());

void MultiExpand(const MultiProblem& p, std::vector<MultiCube>& cover, Deadline until = Deadline::max());
void MultiIrredundant(const MultiProblem& p, std::vector<MultiCube>& cover);
void MultiReduce(const MultiProblem& p, std::vector<MultiCube>& cover);
// Every product reduced to what it alone covers (the others left as they are), then the
// reduced products expanded among themselves: new primes that may replace two old ones
// (espresso's last gasp), for the covering search to choose from.
std::vector<Cube> GaspCandidates(const MultiProblem& p, const std::vector<MultiCube>& cover,
                                 Deadline until = Deadline::max());

// Takes from each product the outputs others cover for it (the OR plane made irredundant).
void DropSpareOutputs(const MultiProblem& p, std::vector<MultiCube>& cover);

}  // namespace mwcore
