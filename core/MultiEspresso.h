#pragma once
// The espresso loop (expand, irredundant, reduce; see Espresso.h) for several outputs at
// once, in the manner of Brayton et al. (1984), where the outputs are one more (multiple-
// valued) variable: a product grows in its inputs while it stays inside every output it
// feeds, then feeds every further output that can take it and needs it; irredundant drops
// whole products; reduce drops the outputs a product is not alone to cover and shrinks its
// inputs to what it alone covers. Each output keeps a bit-sliced count of its products per
// point.

#include <vector>

#include "core/MultiProblem.h"
#include "core/Work.h"

namespace mwcore {

// Every step spends from a Work (Work.h) in units of table words and cube tests, so what it
// does depends only on its input and the allowance; the loop without one runs to its end.

// Minimizes `start` (a cover of p) and returns the best cover met, never worse than `start`
// by products then literals. When the work stops it returns the best cover so far.
// outputsFirst: see MultiExpand.
std::vector<MultiCube> MultiEspresso(const MultiProblem& p, std::vector<MultiCube> start,
                                     Work& work, bool outputsFirst = false);
std::vector<MultiCube> MultiEspresso(const MultiProblem& p, std::vector<MultiCube> start);

// Expand leaves the products it has not reached when the work stops as they are. A product
// grows in its inputs for the outputs it feeds, or with outputsFirst for every output that
// can take it as it is (fewer inputs freed, more sharing), then feeds every output it fits.
void MultiExpand(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work,
                 bool outputsFirst = false);
void MultiIrredundant(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work);
void MultiReduce(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work);
// Every product reduced to what it alone covers (the others left as they are), then the
// reduced products expanded among themselves: new primes that may replace two old ones
// (espresso's last gasp), for the covering search to choose from.
std::vector<Cube> GaspCandidates(const MultiProblem& p, const std::vector<MultiCube>& cover,
                                 Work& work);

// Takes from each product the outputs others cover for it (the OR plane made irredundant).
void DropSpareOutputs(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work);

// Fewer literals at the same products: each product gives up the outputs others cover for it,
// then grows in its inputs as far as the outputs it still feeds allow; again while that gains.
void MultiMakeSparse(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work);

}  // namespace mwcore
