#pragma once
// A student's answer read into terms: the program's own formula language ("|A*B+C") and the
// notation of textbooks and homework ("A'B + C", "AB̄" with a combining overline or macron,
// "A·B", "(A+B)(C+D)" for a product of sums). Names are the map's; where names run together,
// the longest one that fits is read. This is the one place an answer is parsed, so the
// checks never see its spelling.

#include <string>
#include <vector>

#include "core/Cube.h"
#include "explain/Explain.h"

namespace explain {

struct AnswerTerm {
    std::string text;   // the term as the result tree would write it
    mwcore::Cube cube;  // over minterm numbers, in the explanation's sense for the form
    // A product holding a name and its negation (a sum holding both, for a product of sums):
    // it covers no cell at all.
    bool contradiction = false;
    int literals = 0;
};

struct AnswerError {
    enum class Kind {
        None,
        Empty,         // nothing but blanks
        UnknownName,   // no variable's name starts at `position`
        EmptyTerm,     // an operator with nothing on one side
        Bracket,       // a bracket without its partner, or one a sum of products cannot have
        PartlyBarred,  // a name whose bar covers only some of its characters
        ProductInSum,  // names side by side inside a bracketed sum of a product of sums
    };
    Kind kind = Kind::None;
    int position = 0;  // 1-based, in characters of the text as typed
};

struct Answer {
    std::vector<AnswerTerm> terms;
    AnswerError error;
    bool ok() const { return error.kind == AnswerError::Kind::None; }
};

// Reads `text` as a sum of products (f.form gmDNF) or a product of sums (gmKNF) over f's
// variable names.
Answer ReadAnswer(const std::string& text, const MapFunction& f);

}  // namespace explain
