#include "explain/Answer.h"

#include <algorithm>
#include <optional>

#include "engine/FormulaText.h"
#include "engine/VariableName.h"

namespace explain {

namespace {

using Kind = AnswerError::Kind;

// One character as typed: its bytes, whether a bar (U+0305 or U+0304) stands over it, and
// where it stands, counted in characters from 1.
struct Glyph {
    std::string text;
    bool barred = false;
    int position = 0;
};

bool IsBar(const std::string& ch) {
    return ch == "\xCC\x85" || ch == "\xCC\x84";
}

std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = std::max<std::size_t>(1, varname::Utf8SequenceLength(text, i));
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

// The letters that keyboards give with a macron already on: the letter under it, or empty.
std::string UnderMacron(const std::string& ch) {
    static const std::pair<const char*, const char*> letters[] = {
        {"\xC4\x80", "A"}, {"\xC4\x81", "a"}, {"\xC4\x92", "E"}, {"\xC4\x93", "e"},
        {"\xC4\xAA", "I"}, {"\xC4\xAB", "i"}, {"\xC5\x8C", "O"}, {"\xC5\x8D", "o"},
        {"\xC5\xAA", "U"}, {"\xC5\xAB", "u"}, {"\xC8\xB2", "Y"}, {"\xC8\xB3", "y"}};
    for (const auto& [barred, plain] : letters)
        if (ch == barred) return plain;
    return {};
}

// Blanks go; a bar joins the character before it. A bar with nothing before it stays a
// character of its own, which no name matches.
std::vector<Glyph> Glyphs(const std::string& text) {
    std::vector<Glyph> out;
    int position = 0;
    bool afterBlank = true;
    for (const std::string& ch : Characters(text)) {
        ++position;
        if (ch == " " || ch == "\t" || ch == "\n" || ch == "\r") {
            afterBlank = true;
            continue;
        }
        if (IsBar(ch) && !afterBlank && !out.empty()) {
            out.back().barred = true;
            continue;
        }
        if (const std::string plain = UnderMacron(ch); !plain.empty())
            out.push_back({plain, true, position});
        else
            out.push_back({ch, false, position});
        afterBlank = false;
    }
    return out;
}

bool IsAnd(const std::string& ch) {
    return ch == "*" || ch == "\xC2\xB7" || ch == "\xE2\x8B\x85";  // * · ⋅
}
bool IsPrefixNot(const std::string& ch) {
    return ch == "|" || ch == "~" || ch == "!" || ch == "\xC2\xAC";  // ¬
}
bool IsPostfixNot(const std::string& ch) {
    return ch == "'" || ch == "\xE2\x80\x99" || ch == "\xE2\x80\xB2";  // ’ ′
}

// The parsed formula's terms over the map's variables; an error for a name the map does not
// have or a term left empty.
Answer FromFormula(const ParsedFormula& formula, const MapFunction& f) {
    Answer answer;
    const uint32_t negatedBit = f.form == gmKNF ? 1u : 0u;
    for (const FormulaTerm& term : formula.terms) {
        if (term.literals.empty()) {
            answer.error = {Kind::EmptyTerm, term.position};
            return answer;
        }
        // Per variable: bit 1 when it stands plain, bit 2 when negated.
        std::vector<int> seen(f.vars, 0);
        const bool constant = term.literals.size() == 1 && !term.literals[0].negated &&
                              term.literals[0].name == ConstantTerm(f.form);
        for (const FormulaLiteral& l : term.literals) {
            const auto name = std::find(f.names.begin(), f.names.end(), l.name);
            if (name == f.names.end() && constant) break;
            if (name == f.names.end() || l.name.empty()) {
                answer.error = {l.name.empty() ? Kind::EmptyTerm : Kind::UnknownName, l.position};
                return answer;
            }
            seen[name - f.names.begin()] |= l.negated ? 2 : 1;
        }
        AnswerTerm& t = answer.terms.emplace_back();
        std::vector<FormulaLiteral> literals;  // in variable order
        for (int k = 1; k <= f.vars; ++k) {
            const int polarities = seen[k - 1];
            if (polarities & 1) literals.push_back({f.names[k - 1], false});
            if (polarities & 2) literals.push_back({f.names[k - 1], true});
            if (polarities == 3) t.contradiction = true;
            if (polarities == 0 || polarities == 3) continue;
            const uint32_t bit = 1u << (f.vars - k);
            t.cube.mask |= bit;
            if ((polarities == 2 ? 1u : 0u) == negatedBit) t.cube.val |= bit;
        }
        t.literals = static_cast<int>(literals.size());
        t.text = literals.empty() ? ConstantTerm(f.form) : WriteTerm(literals, f.form);
    }
    return answer;
}

class Reader {
  public:
    Reader(const std::string& text, const MapFunction& f) : glyphs_(Glyphs(text)), f_(f) {
        for (const std::string& name : f.names) names_.push_back(Characters(name));
    }

    Answer Read() {
        if (glyphs_.empty()) return Fail(Kind::Empty, 1);
        if (glyphs_.size() == 1 && glyphs_[0].text == EmptyFormula(f_.form) && !NameAt(0))
            return {};  // the formula of no terms
        ParsedFormula formula;
        formula.form = f_.form;
        const bool sums = f_.form == gmKNF;
        for (;;) {
            FormulaTerm term;
            term.position = glyphs_[at_].position;
            if (!(sums ? ReadSum(term) : ReadProduct(term)))
                return Fail(error_.kind, error_.position);
            formula.terms.push_back(std::move(term));
            if (AtEnd()) break;
            const std::string& next = glyphs_[at_].text;
            if (sums ? IsAnd(next) : next == "+") {
                ++at_;
                if (AtEnd()) return Fail(Kind::EmptyTerm, glyphs_[at_ - 1].position);
            } else if (!sums || !StartsTerm()) {
                return Fail(next == ")" || next == "(" ? Kind::Bracket : Kind::UnknownName,
                            glyphs_[at_].position);
            }
        }
        return FromFormula(formula, f_);
    }

  private:
    Answer Fail(Kind kind, int position) {
        Answer a;
        a.error = {kind, position};
        return a;
    }
    bool SetError(Kind kind) {
        error_ = {kind, AtEnd() ? End() : glyphs_[at_].position};
        return false;
    }
    bool AtEnd() const { return at_ >= glyphs_.size(); }
    int End() const { return glyphs_.empty() ? 1 : glyphs_.back().position + 1; }

    // The longest variable name spelled from glyph i on: its number and its length.
    std::optional<std::pair<int, std::size_t>> NameAt(std::size_t i) const {
        std::optional<std::pair<int, std::size_t>> best;
        for (std::size_t k = 0; k < names_.size(); ++k) {
            const auto& name = names_[k];
            if (name.empty() || i + name.size() > glyphs_.size()) continue;
            bool match = true;
            for (std::size_t j = 0; j < name.size() && match; ++j)
                match = glyphs_[i + j].text == name[j];
            if (match && (!best || name.size() > best->second))
                best = {{static_cast<int>(k) + 1, name.size()}};
        }
        return best;
    }

    bool StartsTerm() const {
        return !AtEnd() && (glyphs_[at_].text == "(" || IsPrefixNot(glyphs_[at_].text) ||
                            NameAt(at_) || IsConstant(at_));
    }
    bool IsConstant(std::size_t i) const {
        return glyphs_[i].text == ConstantTerm(f_.form) && !glyphs_[i].barred;
    }

    // One literal, or the constant term; false with the error set.
    bool ReadLiteral(FormulaTerm& term) {
        bool negated = false;
        while (!AtEnd() && IsPrefixNot(glyphs_[at_].text) && !NameAt(at_)) {
            negated = !negated;
            ++at_;
        }
        if (AtEnd()) return SetError(Kind::EmptyTerm);
        const auto name = NameAt(at_);
        if (!name) {
            if (!negated && IsConstant(at_)) {  // a term without literals
                term.literals.push_back({ConstantTerm(f_.form), false, glyphs_[at_++].position});
                return true;
            }
            return SetError(glyphs_[at_].text == "(" || glyphs_[at_].text == ")"
                                ? Kind::Bracket
                                : (glyphs_[at_].text == "+" || IsAnd(glyphs_[at_].text)
                                       ? Kind::EmptyTerm
                                       : Kind::UnknownName));
        }
        const std::size_t start = at_;
        std::size_t bars = 0;
        for (std::size_t j = 0; j < name->second; ++j) bars += glyphs_[at_ + j].barred;
        if (bars != 0 && bars != name->second) return SetError(Kind::PartlyBarred);
        if (bars) negated = !negated;
        at_ += name->second;
        while (!AtEnd() && IsPostfixNot(glyphs_[at_].text) && !NameAt(at_)) {
            negated = !negated;
            ++at_;
        }
        term.literals.push_back({f_.names[name->first - 1], negated, glyphs_[start].position});
        return true;
    }

    // A product of a sum of products: literals side by side or joined by an AND sign.
    bool ReadProduct(FormulaTerm& term) {
        if (!ReadLiteral(term)) return false;
        for (;;) {
            if (AtEnd() || glyphs_[at_].text == "+") return true;
            if (IsAnd(glyphs_[at_].text)) {
                ++at_;
                if (AtEnd() || glyphs_[at_].text == "+") return SetError(Kind::EmptyTerm);
            } else if (glyphs_[at_].text == "(" || glyphs_[at_].text == ")") {
                return SetError(Kind::Bracket);
            }
            if (!ReadLiteral(term)) return false;
        }
    }

    // A sum of a product of sums, in brackets or not; without brackets it ends where a name
    // follows without "+", so "A+BC" reads as the program's own "A+B*C".
    bool ReadSum(FormulaTerm& term) {
        const bool bracketed = glyphs_[at_].text == "(";
        if (bracketed) ++at_;
        if (!ReadLiteral(term)) return false;
        for (;;) {
            if (bracketed && !AtEnd() && glyphs_[at_].text == ")") {
                ++at_;
                return true;
            }
            if (AtEnd()) return bracketed ? SetError(Kind::Bracket) : true;
            if (glyphs_[at_].text != "+") {
                if (!bracketed) return true;
                return SetError(IsAnd(glyphs_[at_].text) || StartsTerm() ? Kind::ProductInSum
                                                                         : Kind::UnknownName);
            }
            ++at_;
            if (!ReadLiteral(term)) return false;
        }
    }

    std::vector<Glyph> glyphs_;
    const MapFunction& f_;
    std::vector<std::vector<std::string>> names_;
    std::size_t at_ = 0;
    AnswerError error_;
};

}  // namespace

Answer ReadAnswer(const std::string& text, const MapFunction& f) {
    // The program's own language first, through the reader every part shares; what that
    // cannot read is read as a textbook writes it (which also says where it goes wrong).
    FormulaReading how;
    how.keepEmpty = true;
    how.trimBlanks = true;
    if (Answer answer = FromFormula(ReadFormula(text, f.form, how), f); answer.ok()) return answer;
    return Reader(text, f).Read();
}

}  // namespace explain
