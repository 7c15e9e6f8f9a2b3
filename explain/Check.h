#pragma once
// A student's answer held against the map and its explanation, in the order a teacher marks
// it: does it give the function (and where not), is every term an implicant, is each prime
// (else the larger loop around it), is any redundant (and what covers it), is it minimal (and
// the minimal solution nearest to it). Plain logic; CheckSentences.h says it in words.

#include <string>
#include <vector>

#include "explain/Answer.h"
#include "explain/Explain.h"
#include "explain/Hazards.h"

namespace explain {

struct TermVerdict {
    std::string text;
    bool implicant = false;
    bool prime = false;
    bool redundant = false;
    std::vector<int> outside;  // cells it covers that must stay out (when not an implicant)
    mwcore::Cube larger;       // a prime around it, when it is an implicant but not prime
    std::string largerText;
    std::vector<int> coveredBy;  // the other terms (answer order) that hold its cells, if redundant
};

struct CheckResult {
    bool equal = false;
    // In the form's sense: `missing` are target cells (1 for a sum of products, 0 for a product
    // of sums) the answer leaves out; `extra` are cells of the other value it takes in.
    std::vector<int> missing, extra;
    std::vector<TermVerdict> terms;
    int answerTerms = 0, answerLiterals = 0;
    int minTerms = 0, minLiterals = 0;
    bool minimal = false;
    int closest = -1;  // index into Explanation::solutions
    // Neighbouring target cells no one term of the answer holds both of (when it is equal).
    std::vector<CellPair> hazards;
};

// `e` is the explanation of `f` (its first solution stands for the minimum).
CheckResult CheckAnswer(const MapFunction& f, const Explanation& e, const Answer& answer);

// The minterms of a term on f's map, ascending (none for a contradiction).
std::vector<int> TermCells(const AnswerTerm& term, const MapFunction& f);

}  // namespace explain
