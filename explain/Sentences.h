#pragma once
// The explanation in words, translated: one sentence per step of the chart's reduction, the
// count of minimal solutions and the line that compares the designed gluing with the minimum.
// Runs on the user-interface thread (translation reads the language file).

#include <string>
#include <vector>

#include "explain/Explain.h"
#include "explain/Hazards.h"

namespace explain {

// "P3": primes are numbered from 1 in the order they are listed.
std::string PrimeLabel(int prime);
std::string CellList(const std::vector<int>& cells);
std::string StepSentence(const ChartStep& step, const Explanation& e);
std::string CountText(const Explanation& e);
std::string ComparisonLine(const Explanation& e);
// "(3, 7), (5, 13)"
std::string PairList(const std::vector<CellPair>& pairs);
// The static hazards of a cover, or that it has none.
std::string HazardSentence(const std::vector<CellPair>& hazards, TGlueMethod form);
std::string HazardFreeSentence(const HazardFreeCover& cover);
// "3 terms / 6 literals", "1 term / 1 literal".
std::string Size(int terms, int literals);
// The line under a result of shownTerms terms that is above the proven minimum ("2 terms
// suffice: see Minimal solutions"); empty for a minimal one or an unproven minimum.
std::string SufficeLine(int shownTerms, int shownLiterals, const Explanation& e);
// Replaces %1, %2, ... by the arguments. A translation gives a counted noun its forms as
// "{%2:one|few|many}" (two forms where the language has two), chosen by the count in that
// argument and the language's plural rule.
std::string Fill(const std::string& pattern, const std::vector<std::string>& args);
// Whether the count takes the one form of a noun in the current language (1, and 0 in French,
// 21 in Russian): the sentences choose their singular text by it.
bool OneOf(long long count);

}  // namespace explain
