#pragma once
// The whole report of the map's current result, as the report dialog and the command line make
// it: the parts chosen, the templates read, the page built.

#include <functional>
#include <string>
#include <vector>

class TCarnoGrid;
class TruthTableData;

#include "engine/Notation.h"

namespace report {

struct Choices {
    bool truthTable = false;
    bool map = false;
    bool sets = false;
    bool eachTerm = false;
    bool minimal = false;                                 // the section "Minimal solutions"
    FormulaNotation notation = FormulaNotation::AsTyped;  // how the formula and terms read
};

// The formula and the terms are the map's result, worded as the result tree shows them.
// onTerm(k) runs before term k's map is taken (the dialog selects that node). `table` receives
// the map's truth table when it is chosen. False with a message for the user in `error`.
bool GenerateReport(const TCarnoGrid& grid, const Choices& choices, TruthTableData& table,
                    const std::function<void(int)>& onTerm, std::string& page, std::string& error);

}  // namespace report
