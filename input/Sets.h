#pragma once
// Sets of minterm numbers on the map: reading them into the cells and writing the cells out.

#include <string>

#include "engine/CarnoGrid.h"

// Writes value into every cell the sets text names ("0-3,5,6"; spaces ignored; numbers
// beyond the map skipped). Any character besides digits, "-" and "," refuses the whole
// text with "Invalid symbol in string.", a text over kMaxTextLength with "The text is too
// long.". Returns whether the text was read.
bool AnalyzeWorkString(TCarnoGrid& map, const std::string& text, const std::string& value);
// The sets texts of the cells holding exactly "1", "0" and "*"; runs of three or more
// numbers as ranges.
void MapToSets(const TCarnoGrid& map, std::string& ones, std::string& zeros,
               std::string& dontCares);
