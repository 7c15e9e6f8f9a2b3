#pragma once
// The core's plan for several outputs together: an irredundant start per output (ISOP), the
// products met in several outputs' starts shared, then the multi-output espresso loop; where
// the problem is small enough, an exact search over every multi-output prime proves a
// minimum (fewest products, then literals) or finds one. Every allowance is counted in work
// (Work.h), so the answer depends only on the problem and the options, never on the machine
// or its load; the clock and Cancel only stand guard. Every cover is verified against every
// output before it is returned.

#include <vector>

#include "core/Minimize.h"
#include "core/MultiProblem.h"

namespace mwcore {

struct MultiMinimization {
    std::vector<MultiCube> cover;
    bool minimum = false;  // proven fewest products, then fewest literals
    MinimizeStats stats;   // the bound is not known for several outputs
};

// The options mapwright-cli pla and the core host give several outputs at each effort: quick is
// the loop alone, prove the exact search without a work limit; the clock a distant guard.
MinimizeOptions MultiOptionsFor(Effort effort);

// `given`: a cover the input came with (the rows of a PLA), a second start that keeps the
// sharing its author built in; each product must fit every output it feeds.
// Throws VerificationError (Minimize.h) when no verified cover could be made.
MultiMinimization MinimizeMulti(const MultiProblem& p, const MinimizeOptions& options = {},
                                const std::vector<MultiCube>& given = {});

// Each output minimized on its own by the single-output core, for comparison: products are
// not shared (one output each), so equal products of several outputs count again.
MultiMinimization MinimizeEachAlone(const MultiProblem& p, const MinimizeOptions& options = {});

}  // namespace mwcore
