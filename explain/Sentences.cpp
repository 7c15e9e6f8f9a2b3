#include "explain/Sentences.h"

#include <algorithm>
#include <optional>

#include "platform/Translate.h"

namespace explain {

using platform::TranslateText;

namespace {

// The count an argument gives, when it is a whole number.
std::optional<long long> Count(const std::string& text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    long long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// Resolves each "{%N:one|few|many}" to the form the language's rule gives argument N; a form
// left out repeats the last one given. Done before the arguments go in, so a brace inside a
// name or a formula is never read as a choice.
std::string ChooseForms(const std::string& pattern, const std::vector<std::string>& args) {
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const std::size_t open = pattern.find("{%", i);
        const std::size_t close = open == std::string::npos ? open : pattern.find('}', open);
        if (close == std::string::npos) break;
        const char digit = open + 3 < close ? pattern[open + 2] : '\0';
        const std::size_t arg = static_cast<std::size_t>(digit - '1');
        if (digit < '1' || digit > '9' || pattern[open + 3] != ':' || arg >= args.size()) {
            out.append(pattern, i, open + 2 - i);
            i = open + 2;
            continue;
        }
        std::vector<std::string> forms(1);
        for (std::size_t k = open + 4; k < close; ++k)
            if (pattern[k] == '|')
                forms.emplace_back();
            else
                forms.back().push_back(pattern[k]);
        const std::optional<long long> n = Count(args[arg]);
        const platform::Plural plural = n ? platform::PluralOf(*n) : platform::Plural::Many;
        const std::size_t form = plural == platform::Plural::One   ? 0
                                 : plural == platform::Plural::Few ? 1
                                                                   : 2;
        out.append(pattern, i, open - i);
        out += forms[std::min(form, forms.size() - 1)];
        i = close + 1;
    }
    out.append(pattern, std::min(i, pattern.size()));
    return out;
}

}  // namespace

std::string Fill(const std::string& text, const std::vector<std::string>& args) {
    const std::string pattern = ChooseForms(text, args);
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < args.size()) {
            out += args[next - '1'];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

bool OneOf(long long count) {
    return platform::PluralOf(count) == platform::Plural::One;
}

std::string PrimeLabel(int prime) {
    return "P" + std::to_string(prime + 1);
}

std::string CellList(const std::vector<int>& cells) {
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i)
        out += (i ? ", " : "") + std::to_string(cells[i]);
    return out;
}

std::string StepSentence(const ChartStep& step, const Explanation& e) {
    const auto label = [&](int p) { return PrimeLabel(p); };
    const auto text = [&](int p) { return e.primes.at(p).text; };
    switch (step.kind) {
        case ChartStep::Kind::Essential:
            return Fill(
                step.secondary
                    ? TranslateText(
                          "%1 (%2) is essential now: of what is left, it alone covers cell %3. It settles cells %4.")
                    : TranslateText(
                          "%1 (%2) is essential: it alone covers cell %3. It settles cells %4."),
                {label(step.prime), text(step.prime), std::to_string(step.cell),
                 CellList(step.cells)});
        case ChartStep::Kind::RowDominance:
            return Fill(
                TranslateText(
                    "Cell %1 is dropped: every prime left that covers cell %2 also covers it."),
                {std::to_string(step.cell), std::to_string(step.by)});
        case ChartStep::Kind::ColumnDominance:
            return Fill(
                TranslateText(
                    "%1 (%2) is dropped: %3 (%4) covers every cell it still covers, with fewer literals."),
                {label(step.prime), text(step.prime), label(step.by), text(step.by)});
        case ChartStep::Kind::CyclicCore: {
            // A core always keeps two primes at least (one alone would be essential), but a
            // single cell is left whenever primes of equal size tie over it.
            const bool oneCell = OneOf(static_cast<long long>(step.cells.size()));
            return Fill(
                TranslateText(
                    oneCell
                        ? "Nothing more is essential or dominated: a cyclic core of %1 cell and %2 primes is left, searched for its cheapest covers."
                        : "Nothing more is essential or dominated: a cyclic core of %1 cells and %2 primes is left, searched for its cheapest covers."),
                {std::to_string(step.cells.size()), std::to_string(step.primes.size())});
        }
        case ChartStep::Kind::Solved:
            break;
    }
    return TranslateText("Every cell is covered: the chart is solved.");
}

namespace {

// Whenever the guard's clock, not the work, ended a search, the answer depends on the machine.
std::string ClockNote(const Explanation& e) {
    return e.clockStopped
               ? " " +
                     TranslateText(
                         "The time limit stopped the search: on a faster or quieter machine the answer may differ.")
               : std::string();
}

}  // namespace

std::string CountText(const Explanation& e) {
    if (e.timedOut) return TranslateText("The minimum could not be found in time.");
    if (!e.proven)
        return TranslateText(
                   "Not proven minimal: the search's allowance ran out; this is the best cover found.") +
               ClockNote(e);
    const std::string n =
        std::to_string(e.countComplete ? e.solutionCount
                                       : std::max<uint64_t>(e.solutionCount, e.solutions.size()));
    if (!e.countComplete)
        return Fill(TranslateText(
                        "At least %1 minimal solutions: counting them all would take too long."),
                    {n}) +
               ClockNote(e);
    if (e.solutionCount == 1) return TranslateText("One minimal solution.");
    return Fill(TranslateText("%1 minimal solutions."), {n});
}

std::string Size(int terms, int literals) {
    const bool oneTerm = OneOf(terms), oneLiteral = OneOf(literals);
    return Fill(TranslateText(oneTerm ? "%1 term" : "%1 terms"), {std::to_string(terms)}) + " / " +
           Fill(TranslateText(oneLiteral ? "%1 literal" : "%1 literals"),
                {std::to_string(literals)});
}

std::string ComparisonLine(const Explanation& e) {
    if (e.timedOut) return TranslateText("The minimum could not be found in time.");
    const std::vector<std::string> args{Size(e.gluing.terms, e.gluing.literals),
                                        Size(e.minTerms, e.minLiterals)};
    if (!e.proven)
        return Fill(TranslateText("The analysis gives %1; the best cover found has %2."), args);
    if (e.gluing.terms == e.minTerms && e.gluing.literals == e.minLiterals)
        return Fill(TranslateText("The analysis gives %1: that is the minimum."), args);
    return Fill(TranslateText("The analysis gives %1; the minimum is %2."), args);
}

std::string SufficeLine(int shownTerms, int shownLiterals, const Explanation& e) {
    if (e.timedOut || !e.proven) return {};
    const std::string terms = std::to_string(e.minTerms), literals = std::to_string(e.minLiterals);
    const bool oneTerm = OneOf(e.minTerms), oneLiteral = OneOf(e.minLiterals);
    if (e.minTerms < shownTerms)
        return Fill(TranslateText(oneTerm ? "%1 term suffices: see Minimal solutions"
                                          : "%1 terms suffice: see Minimal solutions"),
                    {terms});
    if (e.minTerms == shownTerms && e.minLiterals < shownLiterals)
        return Fill(TranslateText(oneLiteral ? "%1 literal suffices: see Minimal solutions"
                                             : "%1 literals suffice: see Minimal solutions"),
                    {literals});
    return {};
}

std::string PairList(const std::vector<CellPair>& pairs) {
    std::string out;
    for (std::size_t i = 0; i < pairs.size(); ++i)
        out += (i ? ", (" : "(") + std::to_string(pairs[i].first) + ", " +
               std::to_string(pairs[i].second) + ")";
    return out;
}

std::string HazardSentence(const std::vector<CellPair>& hazards, TGlueMethod form) {
    if (hazards.empty())
        return TranslateText("No static hazard: every two neighbouring cells share a term.");
    return Fill(form == gmKNF
                    ? TranslateText(
                          "Static-0 hazards: no one term holds both of the neighbouring cells %1.")
                    : TranslateText(
                          "Static-1 hazards: no one term holds both of the neighbouring cells %1."),
                {PairList(hazards)});
}

std::string HazardFreeSentence(const HazardFreeCover& cover) {
    return Fill(TranslateText("Hazard-free cover: %1 (%2)."),
                {cover.formula, Size(cover.terms, cover.literals)});
}

}  // namespace explain
