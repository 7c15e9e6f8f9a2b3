#include "engine/Notation.h"

#include <vector>

namespace {

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

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

// One literal: "|A" -> "Ā"; blanks around the name dropped.
std::string Literal(const std::string& text, std::size_t* nameLength) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) {
        *nameLength = 0;
        return {};
    }
    const bool inverted = text[begin] == '|';
    if (inverted) begin = text.find_first_not_of(' ', begin + 1);
    const std::size_t end = text.find_last_not_of(' ');
    const std::string name = begin == std::string::npos || end < begin
                                 ? std::string()
                                 : text.substr(begin, end - begin + 1);
    *nameLength = name.size();
    return inverted ? Overlined(name) : name;
}

std::string Product(const std::string& term) {
    std::vector<std::string> factors;
    bool singleLetters = true;
    for (const std::string& part : SplitAt(term, '*')) {
        std::size_t length = 0;
        factors.push_back(Literal(part, &length));
        singleLetters = singleLetters && length <= 1;
    }
    std::string out;
    for (std::size_t i = 0; i < factors.size(); ++i) {
        if (i > 0 && !singleLetters) out += "\xC2\xB7";  // U+00B7 MIDDLE DOT
        out += factors[i];
    }
    return out;
}

std::string Sum(const std::string& clause) {
    std::string out;
    bool first = true;
    for (const std::string& part : SplitAt(clause, '+')) {
        std::size_t length = 0;
        if (!first) out += '+';
        out += Literal(part, &length);
        first = false;
    }
    return out;
}

}  // namespace

std::string TextbookFormula(const std::string& formula, FormulaShape shape) {
    if (formula.empty()) return formula;
    std::string out;
    if (shape == FormulaShape::SumOfProducts) {
        const auto terms = SplitAt(formula, '+');
        for (std::size_t i = 0; i < terms.size(); ++i) {
            if (i > 0) out += " + ";
            out += Product(terms[i]);
        }
        return out;
    }
    const auto sums = SplitAt(formula, '*');
    if (sums.size() == 1) return Sum(sums[0]);
    // A sum of one literal needs no brackets: "A*B+C" reads A(B+C).
    for (const std::string& sum : sums)
        out += sum.find('+') == std::string::npos ? Sum(sum) : "(" + Sum(sum) + ")";
    return out;
}
