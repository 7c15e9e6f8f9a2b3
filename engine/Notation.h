#pragma once
// Formulas for reading: the designed notation ("|A*B+C") stays the text of every file and
// command; "textbook" draws a bar over each complemented name (a combining overline after each
// of its characters), writes a product's factors side by side and puts each sum of a product
// of sums in brackets: "(C̄+D̄)(Ā+B̄)(B̄+D)".

#include <string>
#include <vector>

#include "engine/FormulaText.h"

enum class FormulaNotation { AsTyped, Textbook };

// The formula in textbook notation. A sum alone, or of one literal, goes without brackets.
// Factors stand side by side when every name in the product is one character long, otherwise
// a middle dot parts them so that "A" "B" cannot be read as "AB".
std::string TextbookFormula(const std::string& formula, TGlueMethod shape);

// The textbook form in pieces, for a painter that draws its own bars: each complemented name
// is one barred piece, so that neighbours get bars of their own (a font's combining overlines
// join into one bar, and B̄D̄ would read as the complement of BD). Joined, the texts give
// TextbookFormula without its overlines.
struct NotationPiece {
    std::string text;
    bool barred = false;
    bool operator==(const NotationPiece&) const = default;
};
std::vector<NotationPiece> TextbookPieces(const std::string& formula, TGlueMethod shape);

// The text to show or copy in the given notation.
inline std::string ShownFormula(const std::string& formula, TGlueMethod shape,
                                FormulaNotation notation) {
    return notation == FormulaNotation::Textbook ? TextbookFormula(formula, shape) : formula;
}
