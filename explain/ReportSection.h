#pragma once
// The report's "Minimal solutions" section: the primes with the essential ones, the chart's
// reduction in sentences, the chart itself where it is small enough to read, every minimal
// solution listed and their count, and the comparison with the designed gluing. HTML in the
// style of the report's other tables. Translates: user-interface thread only.

#include <string>

#include "explain/Explain.h"

namespace explain {

// Charts with more marks' places than this are left out of the page.
constexpr std::size_t kReportChartCells = 8192;

std::string MinimalSolutionsHtml(const Explanation& e);

}  // namespace explain
