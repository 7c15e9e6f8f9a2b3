#pragma once
// The report's truth table: the map's function put into a truth table and rendered through
// the shipped cell templates.

#include <string>

class TCarnoGrid;
class TruthTableData;

namespace report {

// Fills `table` with the map's variables, names and function (F1), and renders it; false with
// a message in `error` when a cell template cannot be read or is not a one-argument format.
bool TruthTableSection(const TCarnoGrid& grid, TruthTableData& table, std::string& html,
                       std::string& error);

}  // namespace report
