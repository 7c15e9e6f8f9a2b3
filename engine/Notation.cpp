#include "engine/Notation.h"

#include <vector>

namespace {

// Each UTF-8 character of name followed by U+0305 COMBINING OVERLINE.
std::string Overlined(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        out += name[i];
        const bool lastByte =
            i + 1 == name.size() || (static_cast<unsigned char>(name[i + 1]) & 0xC0) != 0x80;
        if (lastByte) out += "\xCC\x85";
    }
    return out;
}

using Pieces = std::vector<NotationPiece>;

void Add(Pieces& out, const std::string& text, bool barred = false) {
    if (!barred && !out.empty() && !out.back().barred)
        out.back().text += text;
    else
        out.push_back({text, barred});
}

void Literal(Pieces& out, const FormulaLiteral& literal) {
    Add(out, literal.name, literal.negated);
}

void Product(Pieces& out, const FormulaTerm& term) {
    bool singleLetters = true;
    for (const FormulaLiteral& literal : term.literals)
        singleLetters = singleLetters && literal.name.size() <= 1;
    for (std::size_t i = 0; i < term.literals.size(); ++i) {
        if (i > 0 && !singleLetters) Add(out, "\xC2\xB7");  // U+00B7 MIDDLE DOT
        Literal(out, term.literals[i]);
    }
}

void Sum(Pieces& out, const FormulaTerm& clause) {
    for (std::size_t i = 0; i < clause.literals.size(); ++i) {
        if (i > 0) Add(out, "+");
        Literal(out, clause.literals[i]);
    }
}

}  // namespace

std::vector<NotationPiece> TextbookPieces(const std::string& formula, TGlueMethod shape) {
    Pieces out;
    if (formula.empty()) return out;
    const ParsedFormula parsed =
        ReadFormula(formula, shape, {.keepEmpty = true, .trimBlanks = true});
    if (shape == gmDNF) {
        for (std::size_t i = 0; i < parsed.terms.size(); ++i) {
            if (i > 0) Add(out, " + ");
            Product(out, parsed.terms[i]);
        }
        return out;
    }
    if (parsed.terms.size() == 1) {
        Sum(out, parsed.terms[0]);
        return out;
    }
    // A sum of one literal needs no brackets: "A*B+C" reads A(B+C).
    for (const FormulaTerm& sum : parsed.terms) {
        const bool brackets = sum.literals.size() != 1;
        if (brackets) Add(out, "(");
        Sum(out, sum);
        if (brackets) Add(out, ")");
    }
    return out;
}

std::string TextbookFormula(const std::string& formula, TGlueMethod shape) {
    std::string out;
    for (const NotationPiece& piece : TextbookPieces(formula, shape))
        out += piece.barred ? Overlined(piece.text) : piece.text;
    return out;
}
