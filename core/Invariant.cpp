#include "core/Invariant.h"

#include <cstdio>
#include <cstdlib>

namespace mwcore {

void InvariantFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: core invariant broken: %s\n", file, line, condition);
    std::abort();
}

}  // namespace mwcore
