#pragma once
// The formula language on the map: checking a formula against the variable names and
// setting the cells it covers.

#include <string>

#include "engine/CarnoGrid.h"

// 0 when every literal names one of the variables 1..n, else the 1-based position (in the
// text without spaces) of the first piece that does not; kTextTooLong for a text too long.
int ValidateFormulaString(const TCarnoGrid& map, const std::string& text);
// What is wrong at the position ValidateFormulaString gave, for the line below its message:
// what was found there and what the language expects ("a name is missing after '*'").
std::string FormulaProblem(const TCarnoGrid& map, const std::string& text, int position);
// Sets the cells the formula covers: to "1" for a sum of products (FormulaType gmDNF), to
// "0" for a product of sums (gmKNF); other cells keep their text. A text too long for
// ValidateFormulaString changes nothing.
void AnalyzeFormulaString(TCarnoGrid& map, const std::string& text);
