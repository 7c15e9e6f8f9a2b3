#pragma once
// A minimal solution as the map's result: its terms become the result list and the result
// tree, as the analysis would put them, so the highlight, the report, the circuit and the
// formula dialog work from it.

#include "engine/CarnoGrid.h"
#include "explain/Explain.h"

namespace explain {

// Solution s of e, explained from `explained`. Empty cells take the value the analysis gives
// them. False, with nothing changed, when the map no longer holds that function.
bool UseSolution(TCarnoGrid& grid, const MapFunction& explained, const Explanation& e, int s);
// As UseSolution, for any cover of the explained function given as its terms' minterms.
bool UseCover(TCarnoGrid& grid, const MapFunction& explained,
              const std::vector<std::vector<int>>& terms);

// The analysis with an exact minimum: as AnalyzeMap, then the first minimal solution replaces
// the gluing's result (only the first is sought: no listing, no counting). False when a cell
// was refused (the message has been shown).
bool AnalyzeMapExactly(TCarnoGrid& grid, TGlueMethod method);

}  // namespace explain
