#pragma once
// The map as tab-separated text, the clipboard's form that spreadsheets paste and copy: the
// map with its labels out, a block of cells in.

#include <optional>
#include <string>

#include "files/FunctionFile.h"

class TCarnoGrid;

namespace maptext {

// The corner (row names \ column names), the column labels, then each row: its label and its
// cells. Tabs between fields, a line feed after each row.
std::string MapAsText(const TCarnoGrid& map);

// Writes the tab-separated cells into the map with their first cell at (col, row). Values are
// 0, 1, *, X, x or - (don't care) and empty (the cell is emptied). A text copied with the map's
// labels (as MapAsText writes it, for the same size of map) goes in place of the whole map
// whatever the anchor. Refused whole, the map untouched, when a value is anything else or the
// block runs past the map: the problem names the line.
std::optional<FileProblem> PasteCells(TCarnoGrid& map, const std::string& text, int col, int row);

// Largest text taken from the clipboard: far beyond any map's cells.
constexpr std::size_t kMaxPasteSize = 1u << 20;

}  // namespace maptext
