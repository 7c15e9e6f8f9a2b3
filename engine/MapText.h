#pragma once
// The map's cells as plain text for the clipboard: rows on lines, cells separated by tabs.

#include <string>

#include "engine/CarnoGrid.h"

namespace maptext {

// Cells of columns left..right and rows top..bottom (map positions, from 1).
std::string Copy(const TCarnoGrid& grid, int left, int top, int right, int bottom);

// Writes text into the map from (col, row) on: one line a row, cells split at tabs, or at
// commas or blanks where a line has no tab. Cells that would fall outside the visible map are
// left out. A text over TCarnoGrid::kMaxTextLength changes nothing and returns false.
bool Paste(TCarnoGrid& grid, int col, int row, const std::string& text);

}  // namespace maptext
