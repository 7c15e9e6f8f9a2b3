#pragma once
// The method step by step and the hazards as HTML: the Quine-McCluskey table, the chart's
// reductions in sentences and Petrick's method. The report's section and the panel's page are this
// one text. Translates: user-interface thread only.

#include <cstddef>
#include <string>

#include "explain/Method.h"

namespace explain {

// Tables with more entries than this are left out of the page.
constexpr std::size_t kMethodTableEntries = 1024;

std::string StepByStepHtml(const Method& m, const Explanation& e);
// The static hazards of the first minimal solution and the cover without them.
std::string HazardsHtml(const MapFunction& f, const Explanation& e);

}  // namespace explain
