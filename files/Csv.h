#pragma once
// The truth table as CSV, the way spreadsheets read and write it: a header row with the input
// names and the function's name, then one row per input combination, in any order. Inputs are
// 0 or 1; the function is 0, 1, X or - (don't care), or empty (not given). Commas or
// semicolons separate the fields; double quotes may frame a field.

#include <optional>
#include <string>
#include <string_view>

#include "files/FunctionFile.h"

namespace csv {

// The input counts a CSV truth table may have to be read at all.
constexpr int kMinInputs = 1;
constexpr int kMaxInputs = 16;

// The table of the text, or nullopt and *problem (when given) saying what is wrong and where.
// Combinations the text does not name are "" in the result.
std::optional<FunctionTable> ParseCsv(std::string_view text, FileProblem* problem);

// Every combination in minterm order, don't cares as X, CR LF after each row. A missing name
// is written as the variable's letter, a missing function name as F.
std::string CsvText(const FunctionTable& table, char separator = ',');

}  // namespace csv
