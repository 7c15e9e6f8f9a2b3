#pragma once
// The last check before a cover leaves the core: it must hold every on minterm and no off
// minterm. Done on tables, so it costs a handful of passes over the cover's cubes.

#include <vector>

#include "core/Cube.h"
#include "core/Problem.h"

namespace mwcore {

bool CoverImplements(const Problem& p, const std::vector<Cube>& cover);

}  // namespace mwcore
