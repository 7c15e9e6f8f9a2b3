#pragma once
// The one-line formula notation every part of the program reads and writes: terms of literals
// over variable names, "|" before a name complementing it, no parentheses. A sum of products
// joins terms by "+" and literals by "*"; a product of sums the other way round.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Which of the two forms a formula has (and which one the minimizer is to find).
enum TGlueMethod : std::uint8_t { gmDNF = 0, gmKNF = 1 };
// The circuit's name for the same choice.
using TFormulaType = TGlueMethod;
inline constexpr TFormulaType ftDNF = gmDNF;
inline constexpr TFormulaType ftCNF = gmKNF;

inline char TermSeparator(TGlueMethod form) {
    return form == gmKNF ? '*' : '+';
}
inline char LiteralSeparator(TGlueMethod form) {
    return form == gmKNF ? '+' : '*';
}

struct FormulaLiteral {
    std::string name;
    bool negated = false;
    int position = 0;  // 1-based, of the literal's first character in the text read
    bool operator==(const FormulaLiteral& other) const {
        return name == other.name && negated == other.negated;
    }
};

struct FormulaTerm {
    std::vector<FormulaLiteral> literals;
    int position = 0;  // 1-based, of the term's first character in the text read
};

struct ParsedFormula {
    TGlueMethod form = gmDNF;
    std::vector<FormulaTerm> terms;
};

struct FormulaReading {
    // Kept: every piece between two separators is a term or literal, empty ones included, so a
    // checker can point at "A**B"'s empty middle. Skipped: runs of separators part pieces and
    // yield none (an empty text has no terms, where kept it is one empty term; a term of separators
    // alone has no literals).
    bool keepEmpty = false;
    // Blanks around a literal and after its "|" are dropped; otherwise a blank is part of the
    // name, as the splitter reads it.
    bool trimBlanks = false;
};

ParsedFormula ReadFormula(std::string_view text, TGlueMethod form, FormulaReading how = {});

// "|A" for a negated literal, the name alone otherwise.
std::string LiteralText(const FormulaLiteral& literal);
// The literals joined by the form's literal separator.
std::string WriteTerm(const std::vector<FormulaLiteral>& literals, TGlueMethod form);
// Term texts joined by the form's term separator.
std::string JoinTerms(const std::vector<std::string>& terms, TGlueMethod form);
std::string WriteFormula(const ParsedFormula& formula);
