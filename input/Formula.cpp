// The formula language over the map's variable names: the shared notation, read with spaces
// removed first.

#include "input/Formula.h"

#include <algorithm>

#include "engine/CarnoGrid.h"
#include "engine/FormulaText.h"

namespace {

std::string WithoutSpaces(const std::string& text) {
    std::string s = text;
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

// Empty pieces are kept, so that "A**B" shows its empty middle.
ParsedFormula Read(const std::string& text, TGlueMethod form) {
    return ReadFormula(WithoutSpaces(text), form, {.keepEmpty = true});
}

// 1..n, 0 when the literal names no variable (an empty one names none, even if a variable's
// name were empty).
int VariableOf(const TCarnoGrid& map, const FormulaLiteral& literal) {
    if (!literal.name.empty())
        for (int k = 1; k <= map.VariableCount(); ++k)
            if (literal.name == map.VarName(k)) return k;
    return 0;
}

}  // namespace

int ValidateFormulaString(const TCarnoGrid& map, const std::string& text) {
    if (text.empty()) return 0;
    if (text.size() > TCarnoGrid::kMaxTextLength) return TCarnoGrid::kTextTooLong;
    // Either form cuts the text into the same literals.
    for (const FormulaTerm& term : Read(text, map.FormulaType).terms)
        for (const FormulaLiteral& literal : term.literals)
            if (VariableOf(map, literal) == 0) return literal.position;
    return 0;
}

void AnalyzeFormulaString(TCarnoGrid& map, const std::string& text) {
    if (text.empty() || text.size() > TCarnoGrid::kMaxTextLength) return;
    const bool sumOfProducts = map.FormulaType != gmKNF;
    const char* value = sumOfProducts ? "1" : "0";
    const int n = map.VariableCount();

    struct Cell {
        int col, row;
        std::string code;
    };
    std::vector<Cell> cells;  // in the map's order: columns left to right, rows top to bottom
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) cells.push_back({c, r, map.CellCode(c, r)});

    for (const FormulaTerm& term : Read(text, map.FormulaType).terms) {
        if (term.literals.size() == 1 && term.literals[0].name.empty() && !term.literals[0].negated)
            continue;
        // The term pattern: '0' free, '1' needs the bit set, '*' needs it clear.
        std::string pattern(n, '0');
        for (const FormulaLiteral& literal : term.literals) {
            const int k = VariableOf(map, literal);
            if (k == 0) continue;
            // A product needs a plain name to be 1; a sum is 0 only where the name is 0.
            pattern[k - 1] = (literal.negated == sumOfProducts) ? '*' : '1';
        }
        for (const Cell& cell : cells) {
            bool matches = true;
            for (int k = 0; k < n && matches; ++k)
                matches = pattern[k] == '0' || (pattern[k] == '1') == (cell.code[k] == '1');
            if (matches) map.SetCells(cell.col, cell.row, value);
        }
    }
}
