#include "explain/CheckSentences.h"

#include <algorithm>

#include "explain/Sentences.h"
#include "platform/Translate.h"

namespace explain {

using platform::TranslateText;

namespace {

std::string TermName(const CheckResult& r, int i) {
    return Fill(TranslateText("Term %1 (%2)"), {std::to_string(i + 1), r.terms[i].text});
}

std::string TermNames(const CheckResult& r, const std::vector<int>& terms) {
    std::string out;
    for (std::size_t i = 0; i < terms.size(); ++i) out += (i ? ", " : "") + TermName(r, terms[i]);
    return out;
}

}  // namespace

std::string AnswerErrorText(const AnswerError& error) {
    const std::vector<std::string> at{std::to_string(error.position)};
    switch (error.kind) {
        case AnswerError::Kind::None:
            break;
        case AnswerError::Kind::Empty:
            return TranslateText("Type an answer first.");
        case AnswerError::Kind::UnknownName:
            return Fill(TranslateText("No variable of the map is named at position %1."), at);
        case AnswerError::Kind::EmptyTerm:
            return Fill(TranslateText("A term is missing at position %1."), at);
        case AnswerError::Kind::Bracket:
            return Fill(TranslateText(
                            "The bracket at position %1 has no partner or does not belong there."),
                        at);
        case AnswerError::Kind::PartlyBarred:
            return Fill(TranslateText("The bar at position %1 covers only part of a name."), at);
        case AnswerError::Kind::ProductInSum:
            return Fill(TranslateText("At position %1 a product stands inside a bracketed sum."),
                        at);
    }
    return {};
}

namespace {

std::vector<std::string> Verdicts(const CheckResult& r, const MapFunction& f,
                                  const Explanation& e) {
    std::vector<std::string> out;
    const std::string target = f.form == gmKNF ? "0" : "1";
    const std::string other = f.form == gmKNF ? "1" : "0";
    const std::string holds = TranslateText("It is %1 in cells %2, where the map holds %3.");
    if (r.equal) {
        out.push_back(TranslateText("The answer gives the function of the map."));
    } else {
        out.push_back(TranslateText("The answer does not give the function of the map."));
        if (!r.missing.empty()) out.push_back(Fill(holds, {other, CellList(r.missing), target}));
        if (!r.extra.empty()) out.push_back(Fill(holds, {target, CellList(r.extra), other}));
    }

    const std::size_t before = out.size();
    for (std::size_t i = 0; i < r.terms.size(); ++i)
        if (!r.terms[i].implicant)
            out.push_back(
                Fill(TranslateText(
                         "%1 is not an implicant: it covers cells %2, where the map holds %3."),
                     {TermName(r, static_cast<int>(i)), CellList(r.terms[i].outside), other}));
    if (out.size() == before) out.push_back(TranslateText("Every term is an implicant."));

    const std::size_t beforePrimes = out.size();
    for (std::size_t i = 0; i < r.terms.size(); ++i) {
        const TermVerdict& v = r.terms[i];
        if (!v.implicant || v.prime) continue;
        const std::string name = TermName(r, static_cast<int>(i));
        out.push_back(
            v.largerText.empty()
                ? Fill(TranslateText(
                           "%1 covers no cell: it holds a name together with its negation."),
                       {name})
                : Fill(TranslateText("%1 is not prime: it lies inside the larger loop %2."),
                       {name, v.largerText}));
    }
    if (out.size() == beforePrimes && r.terms.size() > 0) {
        const bool allImplicants = std::all_of(r.terms.begin(), r.terms.end(),
                                               [](const TermVerdict& v) { return v.implicant; });
        if (allImplicants) out.push_back(TranslateText("Every term is prime."));
    }

    const std::size_t beforeRedundant = out.size();
    for (std::size_t i = 0; i < r.terms.size(); ++i) {
        const TermVerdict& v = r.terms[i];
        if (!v.redundant) continue;
        const std::string name = TermName(r, static_cast<int>(i));
        out.push_back(
            v.coveredBy.empty()
                ? Fill(TranslateText("%1 is redundant: it covers no cell that must be covered."),
                       {name})
                : Fill(TranslateText("%1 is redundant: its cells are covered by %2."),
                       {name, TermNames(r, v.coveredBy)}));
    }
    if (out.size() == beforeRedundant) out.push_back(TranslateText("No term is redundant."));

    if (e.timedOut || r.closest < 0) {
        out.push_back(TranslateText("The minimum could not be found in time."));
        return out;
    }
    const std::string answer = Size(r.answerTerms, r.answerLiterals);
    if (r.minimal) {
        out.push_back(Fill(TranslateText("The answer is minimal: %1."), {answer}));
        return out;
    }
    out.push_back(Fill(TranslateText("The answer has %1; the minimum is %2."),
                       {answer, Size(r.minTerms, r.minLiterals)}));
    out.push_back(Fill(TranslateText("A minimal solution close to yours: %1"),
                       {e.solutions[r.closest].formula}));
    return out;
}

}  // namespace

std::vector<std::string> CheckSentences(const CheckResult& r, const MapFunction& f,
                                        const Explanation& e) {
    std::vector<std::string> out = Verdicts(r, f, e);
    if (r.equal) out.push_back(HazardSentence(r.hazards, f.form));
    return out;
}

}  // namespace explain
