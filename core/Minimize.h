#pragma once
// The core's plan for one function: constants are answered at once; otherwise an
// irredundant start (ISOP), improved by the espresso loop, then an exact search within a time
// budget that either proves the heuristic cover minimum, replaces it with minimum covers, or
// is abandoned. Every cover is verified before it is returned.

#include <stdexcept>
#include <vector>

#include "core/Cube.h"
#include "core/Problem.h"

namespace mwcore {

struct MinimizeOptions {
    double exactSeconds = 1.0;  // 0 skips the exact search
    int maxCovers = 16;
};

struct Minimization {
    enum class Kind { Zero, One, Sum };
    Kind kind = Kind::Sum;
    std::vector<std::vector<Cube>> covers;  // for Sum: one or more covers of equal cost
    bool minimum = false;                   // proven fewest products, then fewest literals
};

// Thrown when no verified cover could be produced (a fault of the core, never of the input).
struct VerificationError : std::logic_error {
    using std::logic_error::logic_error;
};

Minimization Minimize(const Problem& p, const MinimizeOptions& options = {});

}  // namespace mwcore
