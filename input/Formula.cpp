// The one-line formula notation over the map's variable names: "+" is OR, "*" is AND, "|"
// negates the name that follows; no parentheses. Spaces vanish before anything else.

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/CarnoGrid.h"

namespace {

struct Piece {
    std::string_view text;
    int position;  // 1-based, in the text without spaces
};

std::string WithoutSpaces(const std::string& text) {
    std::string s = text;
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    return s;
}

// Pieces between separators, empty ones included, so that "A**B" shows its empty middle.
std::vector<Piece> Cut(std::string_view s, std::string_view separators) {
    std::vector<Piece> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = s.find_first_of(separators, start);
        const std::size_t end = at == std::string_view::npos ? s.size() : at;
        pieces.push_back({s.substr(start, end - start), static_cast<int>(start) + 1});
        if (at == std::string_view::npos) return pieces;
        start = at + 1;
    }
}

struct Literal {
    int variable;  // 1..n, 0 when the piece names none
    bool negated;
};

Literal ReadLiteral(const TCarnoGrid& map, std::string_view piece) {
    const bool negated = !piece.empty() && piece[0] == '|';
    if (negated) piece.remove_prefix(1);
    // An empty piece names nothing, even if a variable's name were empty.
    if (!piece.empty())
        for (int k = 1; k <= map.VariableCount(); ++k)
            if (piece == map.VarName(k)) return {k, negated};
    return {0, negated};
}

}  // namespace

int TCarnoGrid::ValidateFormulaString(const std::string& text) const {
    if (text.empty()) return 0;
    if (text.size() > kMaxTextLength) return kTextTooLong;
    const std::string s = WithoutSpaces(text);
    for (const Piece& piece : Cut(s, "*+"))
        if (ReadLiteral(*this, piece.text).variable == 0) return piece.position;
    return 0;
}

void TCarnoGrid::AnalyzeFormulaString(const std::string& text) {
    if (text.empty() || text.size() > kMaxTextLength) return;
    const std::string s = WithoutSpaces(text);
    const bool sumOfProducts = FormulaType != 1;
    const char* termSeparator = sumOfProducts ? "+" : "*";
    const char* literalSeparator = sumOfProducts ? "*" : "+";
    const char* value = sumOfProducts ? "1" : "0";
    const int n = VariableCount();

    struct Cell {
        int col, row;
        std::string code;
    };
    std::vector<Cell> cells;  // in the map's order: columns left to right, rows top to bottom
    for (int c = 1; c <= MapColumns(); ++c)
        for (int r = 1; r <= MapRows(); ++r) cells.push_back({c, r, CellCode(c, r)});

    for (const Piece& term : Cut(s, termSeparator)) {
        if (term.text.empty()) continue;
        // The term pattern: '0' free, '1' needs the bit set, '*' needs it clear.
        std::string pattern(n, '0');
        for (const Piece& piece : Cut(term.text, literalSeparator)) {
            if (piece.text.empty()) continue;
            const Literal lit = ReadLiteral(*this, piece.text);
            if (lit.variable == 0) continue;
            // A product needs a plain name to be 1; a sum is 0 only where the name is 0.
            pattern[lit.variable - 1] = (lit.negated == sumOfProducts) ? '*' : '1';
        }
        for (const Cell& cell : cells) {
            bool matches = true;
            for (int k = 0; k < n && matches; ++k)
                matches = pattern[k] == '0' || (pattern[k] == '1') == (cell.code[k] == '1');
            if (matches) SetCells(cell.col, cell.row, value);
        }
    }
}
