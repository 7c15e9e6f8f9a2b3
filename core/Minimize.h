#pragma once
// The core's plan for one function: constants are answered at once; otherwise an
// irredundant start (ISOP), improved by the espresso loop and its restarts over renumbered
// variables, then an exact search within a work allowance that either proves the heuristic
// cover minimum, replaces it with minimum covers, or is abandoned; beside it, other heuristic
// starts whose cubes are pooled for a covering search. Every allowance is counted in work, so
// the answer depends only on the function and the options, on any machine and with any number
// of threads. Every cover is verified before it is returned.

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/Cube.h"
#include "core/Problem.h"
#include "core/Work.h"

namespace mwcore {

// quick: the heuristic loop alone; thorough: the exact search and other starts within
// allowances that follow the heuristic's own work; prove: the exact search without allowance,
// stopped only by the time limit or Cancel.
enum class Effort { Quick, Thorough, Prove };

struct MinimizeOptions {
    Effort effort = Effort::Thorough;
    // Scales every work allowance of the thorough effort (0 leaves out the exact search).
    double workScale = 1.0;
    // The outer safety limit in wall-clock seconds; reaching it is reported, never expected.
    double timeLimitSeconds = 60;
    int threads = 2;
    int maxCovers = 16;
    const std::atomic<bool>* cancel = nullptr;  // set from another thread: stop, keep the best
};

// What the core did for one function.
struct MinimizeStats {
    uint64_t nodes = 0;     // of every covering search
    int64_t work = 0;       // units spent, over every thread
    int lowerProducts = 0;  // no cover has fewer products (0: not known)
    bool proven = false;
    double seconds = 0;                        // wall clock
    StoppedBy stoppedBy = StoppedBy::Nothing;  // what ended the search short of a proof
};

struct Minimization {
    enum class Kind { Zero, One, Sum };
    Kind kind = Kind::Sum;
    std::vector<std::vector<Cube>> covers;  // for Sum: one or more covers of equal cost
    bool minimum = false;                   // proven fewest products, then fewest literals
    MinimizeStats stats;
};

const char* EffortName(Effort e);

// Thrown when no verified cover could be produced (a fault of the core, never of the input).
struct VerificationError : std::logic_error {
    using std::logic_error::logic_error;
};

Minimization Minimize(const Problem& p, const MinimizeOptions& options = {});

}  // namespace mwcore
