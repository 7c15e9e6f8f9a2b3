#pragma once
// The explanation in words, translated: one sentence per step of the chart's reduction, the
// count of minimal solutions and the line that compares the designed gluing with the minimum.
// Runs on the user-interface thread (translation reads the language file).

#include <string>
#include <vector>

#include "explain/Explain.h"

namespace explain {

// "P3": primes are numbered from 1 in the order they are listed.
std::string PrimeLabel(int prime);
std::string CellList(const std::vector<int>& cells);
std::string StepSentence(const ChartStep& step, const Explanation& e);
std::string CountText(const Explanation& e);
std::string ComparisonLine(const Explanation& e);
// Replaces %1, %2, ... by the arguments.
std::string Fill(const std::string& pattern, const std::vector<std::string>& args);

}  // namespace explain
