#pragma once
// Whether a written cover implements a PLA, checked on the PLA's own cubes by containment
// alone: no truth tables and nothing of the minimizer, so it can judge the minimizer's answers
// at any width.

#include <optional>
#include <string>
#include <vector>

#include "files/Pla.h"

namespace pla {

// Whether the cubes of `list` together hold every point of c.
bool CoveredBy(const Cube& c, const std::vector<Cube>& list);

// Nothing when `cover` (as read back from a written cover: its on cubes) implements `input`:
// every on point is covered or a don't care, and no product reaches an off point. Otherwise
// what is wrong, for the user.
std::optional<std::string> CoverFault(const Pla& input, const Pla& cover);

}  // namespace pla
