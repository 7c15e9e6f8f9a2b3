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
#include <functional>
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

// What a minimization takes, of one output or of several together.
struct MinimizeOptions {
    Effort effort = Effort::Thorough;
    // Scales every work allowance of the thorough effort (0 leaves out the exact search).
    double workScale = 1.0;
    // The outer safety limit in wall-clock seconds; reaching it is reported, never expected:
    // the allowances end every effort but prove long before, even in a sanitizer build.
    double timeLimitSeconds = 600;
    int threads = 2;
    int maxCovers = 16;  // covers of equal cost listed for one output
    // Thorough effort: a function of few products that the first exact allowance left
    // unproven gets larger ones while its lower bound stays close (off where a function is
    // one output of several, whose own minimum is not the answer).
    bool proveSmall = true;
    const std::atomic<bool>* cancel = nullptr;  // set from another thread: stop, keep the best
    // Called between steps with the step's name and the best cover's products so far; from
    // the minimizing thread.
    std::function<void(const char* step, int products)> progress;
};

// What the core did, for one output or for several.
struct MinimizeStats {
    uint64_t nodes = 0;     // of every covering search
    int64_t work = 0;       // units spent, over every thread
    int lowerProducts = 0;  // no cover has fewer products (0: not known)
    bool proven = false;
    double seconds = 0;  // wall clock
    // What cut a step short: the clock or Cancel, or (with no proof) an allowance running out.
    StoppedBy stoppedBy = StoppedBy::Nothing;
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
