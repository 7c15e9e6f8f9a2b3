#pragma once
// Helpers shared by the HTML writers of the map, the truth table and the report.

#include <string>
#include <vector>

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
