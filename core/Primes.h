#pragma once
// Prime implicants by Shannon recursion on truth tables (the tabular form of the recursive
// prime generation in Brayton et al., 1984): the primes of f are the primes of f0 & f1, and
// x' p for each prime p of f0 that is not inside f1 (likewise x p for f1). Only primes that
// touch the on-set are kept, so don't-care-only primes never reach the covering step.

#include <chrono>
#include <optional>
#include <vector>

#include "core/Cube.h"
#include "core/Problem.h"
#include "core/Work.h"

namespace mwcore {

struct PrimeLimits {
    std::size_t maxPrimes = 200000;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    Work* work = nullptr;  // where given, spent from instead of reading the deadline
};

// The primes of on+dc that contain an on minterm, sorted; nothing when a limit was hit.
std::optional<std::vector<Cube>> UsefulPrimes(const Problem& p, const PrimeLimits& limits);

// The same from an irredundant cover of on+dc by the unate recursive paradigm (Brayton et
// al., 1984); UsefulPrimes uses it for many variables, where tables are costly.
std::optional<std::vector<Cube>> UsefulPrimesFromCover(const Problem& p, const PrimeLimits& limits);

}  // namespace mwcore
