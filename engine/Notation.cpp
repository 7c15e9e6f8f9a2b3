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

std::string Literal(const FormulaLiteral& literal) {
    return literal.negated ? Overlined(literal.name) : literal.name;
}

std::string Product(const FormulaTerm& term) {
    bool singleLetters = true;
    for (const FormulaLiteral& literal : term.literals)
        singleLetters = singleLetters && literal.name.size() <= 1;
    std::string out;
    for (std::size_t i = 0; i < term.literals.size(); ++i) {
        if (i > 0 && !singleLetters) out += "\xC2\xB7";  // U+00B7 MIDDLE DOT
        out += Literal(term.literals[i]);
    }
    return out;
}

std::string Sum(const FormulaTerm& clause) {
    std::string out;
    for (std::size_t i = 0; i < clause.literals.size(); ++i) {
        if (i > 0) out += '+';
        out += Literal(clause.literals[i]);
    }
    return out;
}

}  // namespace

std::string TextbookFormula(const std::string& formula, TGlueMethod shape) {
    if (formula.empty()) return formula;
    const ParsedFormula parsed =
        ReadFormula(formula, shape, {.keepEmpty = true, .trimBlanks = true});
    std::string out;
    if (shape == gmDNF) {
        for (std::size_t i = 0; i < parsed.terms.size(); ++i) {
            if (i > 0) out += " + ";
            out += Product(parsed.terms[i]);
        }
        return out;
    }
    if (parsed.terms.size() == 1) return Sum(parsed.terms[0]);
    // A sum of one literal needs no brackets: "A*B+C" reads A(B+C).
    for (const FormulaTerm& sum : parsed.terms)
        out += sum.literals.size() == 1 ? Sum(sum) : "(" + Sum(sum) + ")";
    return out;
}
