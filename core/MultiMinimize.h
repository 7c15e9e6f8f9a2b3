#pragma once
// The core's plan for several outputs together: an irredundant start per output (ISOP), the
// products met in several outputs' starts shared, then the multi-output espresso loop; where
// the problem is small enough, an exact search over every multi-output prime proves a
// minimum (fewest products, then literals) or finds one. Every allowance is counted in work
// (Work.h), so the answer depends only on the problem and the options, never on the machine
// or its load; the clock and Cancel only stand guard. Every cover is verified against every
// output before it is returned.

#include <atomic>
#include <functional>
#include <vector>

#include "core/Minimize.h"
#include "core/MultiProblem.h"

namespace mwcore {

struct MultiOptions {
    Effort effort = Effort::Thorough;  // quick: the loop alone; prove: the exact search unbounded
    // Outer safety limits on the wall clock, reached only on a slow or busy machine (the stats
    // then say so): of the exact search and the pool of products (0 leaves both out), and of
    // the whole run.
    double exactSeconds = 30.0;
    double loopSeconds = 120.0;
    // Scales the work allowances of the exact search and the pool of products.
    double workScale = 1.0;
    const std::atomic<bool>* cancel = nullptr;  // set from another thread: stop, keep the best
    // Called between steps with the step's name ("loop", "pool", "exact", "sparse") and the
    // best cover's products so far; from the minimizing thread.
    std::function<void(const char* step, int products)> progress;
};

struct MultiStats {
    int64_t work = 0;    // units spent by every step
    uint64_t nodes = 0;  // of every covering search
    double seconds = 0;  // wall clock
    // What cut a step short: the clock or Cancel, or (with no proof) an allowance running out.
    StoppedBy stoppedBy = StoppedBy::Nothing;
};

struct MultiMinimization {
    std::vector<MultiCube> cover;
    bool minimum = false;  // proven fewest products, then fewest literals
    MultiStats stats;
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
