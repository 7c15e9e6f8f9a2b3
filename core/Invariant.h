#pragma once
// Checks of the core's own reasoning inside its recursions (a bound above a cover found, a
// cover that misses a row, a cube outside the function): on in debug builds, where a broken
// invariant stops the program at the fault with its place; compiled out in release builds,
// where the condition is not even evaluated.

#ifdef MW_CORE_INVARIANTS
#define MW_INVARIANT(cond) ((cond) ? void(0) : ::mwcore::InvariantFailed(#cond, __FILE__, __LINE__))
#else
#define MW_INVARIANT(cond) void(0)
#endif

namespace mwcore {

[[noreturn]] void InvariantFailed(const char* condition, const char* file, int line);

}  // namespace mwcore
