#pragma once
// The core's plan for several outputs together: an irredundant start per output (ISOP), the
// products met in several outputs' starts shared, then the multi-output espresso loop; where
// the problem is small enough, an exact search over every multi-output prime proves a
// minimum (fewest products, then fewest literals) or finds one. Every cover is verified
// against every output before it is returned.

#include <vector>

#include "core/Minimize.h"
#include "core/MultiProblem.h"

namespace mwcore {

struct MultiOptions {
    Effort effort = Effort::Thorough;  // of the single-output core where it is used
    double exactSeconds = 1.0;  // budget of the exact search; 0 skips it
    double loopSeconds = 30.0;  // the heuristic loop stops with its best cover after this
};

struct MultiMinimization {
    std::vector<MultiCube> cover;
    bool minimum = false;  // proven fewest products, then fewest literals
};

// `given`: a cover the input came with (the rows of a PLA), a second start that keeps the
// sharing its author built in; each product must fit every output it feeds.
// Throws VerificationError (Minimize.h) when no verified cover could be made.
MultiMinimization MinimizeMulti(const MultiProblem& p, const MultiOptions& options = {},
                                const std::vector<MultiCube>& given = {});

// Each output minimized on its own by the single-output core, for comparison: products are
// not shared (one output each), so equal products of several outputs count again.
MultiMinimization MinimizeEachAlone(const MultiProblem& p, const MultiOptions& options = {});

}  // namespace mwcore
