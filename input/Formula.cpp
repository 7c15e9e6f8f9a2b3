// The formula language over the map's variable names: the shared notation, read with spaces
// removed first.

#include "input/Formula.h"

#include <algorithm>
#include <vector>

#include "engine/CarnoGrid.h"
#include "engine/FormulaText.h"
#include "platform/Translate.h"

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

// The translated pattern with %1, %2 replaced.
std::string Filled(const std::string& translated, const std::vector<std::string>& args) {
    std::string out = translated;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        if (const std::size_t at = out.find(mark); at != std::string::npos)
            out.replace(at, mark.size(), args[i]);
    }
    return out;
}

// Characters, not bytes, before byte index at.
int CharactersBefore(const std::string& s, std::size_t at) {
    int n = 0;
    for (std::size_t i = 0; i < at && i < s.size(); ++i)
        n += (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
    return n;
}

}  // namespace

std::string FormulaProblem(const TCarnoGrid& map, const std::string& text, int position) {
    const std::string s = WithoutSpaces(text);
    if (position < 1 || static_cast<std::size_t>(position) > s.size() + 1) return {};
    const std::size_t start = position - 1;
    const std::size_t end = std::min(s.find_first_of("+*", start), s.size());
    const std::string piece = s.substr(start, end - start);
    if (piece.empty()) {
        if (start > 0)
            return Filled(platform::TranslateText("a name is missing after '%1'"),
                          {s.substr(start - 1, 1)});
        return Filled(platform::TranslateText("a name is missing before '%1'"), {s.substr(0, 1)});
    }
    if (const std::size_t bracket = piece.find_first_of("()"); bracket != std::string::npos)
        return Filled(
            platform::TranslateText("'%1' at %2: brackets are not part of the formula language"),
            {piece.substr(bracket, 1), std::to_string(CharactersBefore(s, start + bracket) + 1)});
    const std::string name = piece[0] == '|' ? piece.substr(1) : piece;
    if (name.empty() || name[0] == '|')
        return Filled(platform::TranslateText("a name is missing after '%1'"), {"|"});
    std::string names;
    for (int k = 1; k <= map.VariableCount(); ++k) names += (k > 1 ? ", " : "") + map.VarName(k);
    return Filled(platform::TranslateText("'%1' is not one of the map's variables (%2)"),
                  {name, names});
}

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
