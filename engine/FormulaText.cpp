#include "engine/FormulaText.h"

namespace {

struct Piece {
    std::string_view text;
    int position;
};

// Calls take(piece) for each piece of text between separators, positions offset by base.
template <class Take>
void ForEachPiece(std::string_view text, char separator, int base, bool keepEmpty, Take take) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        const std::size_t end = at == std::string_view::npos ? text.size() : at;
        if (keepEmpty || end > start)
            take(Piece{text.substr(start, end - start), base + static_cast<int>(start)});
        if (at == std::string_view::npos) return;
        start = at + 1;
    }
}

std::string_view TrimmedBlanks(std::string_view s) {
    const std::size_t begin = s.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    return s.substr(begin, s.find_last_not_of(' ') - begin + 1);
}

FormulaLiteral ReadLiteral(Piece piece, bool trimBlanks) {
    std::string_view s = trimBlanks ? TrimmedBlanks(piece.text) : piece.text;
    const bool negated = !s.empty() && s[0] == '|';
    if (negated) s.remove_prefix(1);
    if (trimBlanks) s = TrimmedBlanks(s);
    return {std::string(s), negated, piece.position};
}

}  // namespace

ParsedFormula ReadFormula(std::string_view text, TGlueMethod form, FormulaReading how) {
    ParsedFormula formula;
    formula.form = form;
    const char literalSeparator = LiteralSeparator(form);
    ForEachPiece(text, TermSeparator(form), 1, how.keepEmpty, [&](Piece term) {
        FormulaTerm& t = formula.terms.emplace_back();
        t.position = term.position;
        ForEachPiece(term.text, literalSeparator, term.position, how.keepEmpty,
                     [&](Piece lit) { t.literals.push_back(ReadLiteral(lit, how.trimBlanks)); });
    });
    return formula;
}

std::string LiteralText(const FormulaLiteral& literal) {
    return literal.negated ? "|" + literal.name : literal.name;
}

std::string WriteTerm(const std::vector<FormulaLiteral>& literals, TGlueMethod form) {
    std::string out;
    for (std::size_t i = 0; i < literals.size(); ++i) {
        if (i) out += LiteralSeparator(form);
        out += LiteralText(literals[i]);
    }
    return out;
}

std::string JoinTerms(const std::vector<std::string>& terms, TGlueMethod form) {
    std::string out;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        if (i) out += TermSeparator(form);
        out += terms[i];
    }
    return out;
}

std::string WriteFormula(const ParsedFormula& formula) {
    std::vector<std::string> terms;
    terms.reserve(formula.terms.size());
    for (const FormulaTerm& t : formula.terms) terms.push_back(WriteTerm(t.literals, formula.form));
    return JoinTerms(terms, formula.form);
}
