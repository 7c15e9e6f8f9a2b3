#pragma once
// A function of n inputs as the exchange files (CSV truth tables, PLA) carry it into the map
// and out of it: a value for every minterm, numbered as the map numbers its cells, and the
// names the file gives its inputs.

#include <optional>
#include <string>
#include <vector>

#include "engine/CarnoGrid.h"

struct FunctionTable {
    int variableCount = 0;
    std::vector<std::string> names;   // one per input, variable 1 first; may be empty
    std::string outputName;           // the function's own name, when the file has one
    std::vector<std::string> values;  // 2^n entries: "1", "0", "*" or "" (not given)
};

// A reader's refusal: the English message (still to be translated) and the 1-based line it
// concerns, 0 for the file as a whole.
struct FileProblem {
    std::string message;
    int line = 0;
};

// The message the user sees: "Line N: " (translated) before the translated text.
std::string ProblemText(const FileProblem& problem);

// The visible map as a table: every visible cell by its minterm, the names 1..n.
FunctionTable TableOfMap(const TCarnoGrid& map);

// The names a map may take for these inputs: upper case, at most 10 characters, none empty,
// none holding a blank or an operator of the formula language, no two alike. Nothing when
// the file's names do not make such a set (the map then keeps its own).
std::optional<std::vector<std::string>> MapNamesFor(const std::vector<std::string>& names);

// Largest exchange file read; far beyond any table of 8 inputs.
constexpr std::size_t kMaxExchangeFileSize = 4u << 20;

// A CSV truth table of 2 to 8 inputs replaces the map's cells and variable count, and its
// input names become the variable names where they suit a map. A missing file does nothing;
// a bad one is reported (with its line) and leaves the map as it was. True when loaded.
bool LoadFromCsvFile(TCarnoGrid& map, const std::string& fileName, const ResultsQuestion& ask = {});
// The visible map as a CSV truth table; cells that are not 0, 1, * or empty refuse the save.
bool SaveToCsvFile(const TCarnoGrid& map, const std::string& fileName);
// Takes a table of 2 to 8 inputs as LoadFromFile takes a file: asks before dropping results (ask),
// then replaces cells, variable count and (where they suit) names. False for another size or
// a declined question, the map untouched.
bool TakeFunctionTable(TCarnoGrid& map, const FunctionTable& table,
                       const ResultsQuestion& ask = {});
