#pragma once
// The analysis as the Analyze command runs it: empty cells take the value the chosen form does
// not cover, then the map is checked and minimized into its result tree.

#include "engine/CarnoGrid.h"

// True when the map passed its check and the tree holds the result; false when a cell was
// refused (the caller says "Invalid data in cell."; the empty cells are filled all the same).
bool AnalyzeMap(TCarnoGrid& grid, TGlueMethod method);
