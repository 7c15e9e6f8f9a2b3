#pragma once
// Helpers shared by the HTML writers of the map, the truth table and the report.

#include <string>
#include <vector>

#include "engine/CarnoGrid.h"

namespace html {

// Text a user can type, made safe inside an HTML page: & < > " become entities; anything else,
// "0", "1", "*" and ordinary names included, is kept as it is.
std::string Escape(const std::string& text);

// Lines joined with CR LF after each one, as the pages are written.
std::string JoinLines(const std::vector<std::string>& lines);

// Writes lines (CR LF after each) through an atomic replace; a failure is shown once with the
// system's text and the old file, if any, stays.
bool WriteLines(const std::string& fileName, const std::vector<std::string>& lines);

}  // namespace html

// The map as an HTML page; true when written, a failure reported once.
bool SaveToHTMLFile(const TCarnoGrid& map, const std::string& fileName);
// Replaces list with the lines of the map's table, the cells of result term `term` (from 0)
// in TermColor; -1 or a term that is not there marks nothing.
void SaveToHTMLTemp(const TCarnoGrid& map, std::vector<std::string>& list, int term);
// Names 1..n each followed by a blank, "\ " before the first column variable.
std::string CornerText(const TCarnoGrid& map);
