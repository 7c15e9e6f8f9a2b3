#pragma once
// The exchange file's two texts. In: the function string, 2^n characters, character m for
// minterm m: '1' on, '0' off, '2' free; bit k-1 of m is variable number k. Out: one result per
// line, wrapped in a tag: "ONE_FUN", "ZERO_FUN" or products joined by '+', every literal
// "x<k>" (or "|x<k>" complemented) followed by '*'. The tag says whether the result is a
// proven minimum; the first line's tag also carries what the core did (nodes, work, bound,
// proven, seconds, stopped). Several functions: one string per line in, one result per line out.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Minimize.h"
#include "core/MultiMinimize.h"
#include "core/Problem.h"

namespace mwcore {

struct FormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws FormatError naming what is wrong (length, a character and where).
Problem ParseFunctionString(const std::string& text, int vars);

std::vector<std::string> ResultLines(const Minimization& m);

// Takes an answer's text a piece at a time.
using TextSink = std::function<void(std::string_view)>;
// The lines of ResultLines, each followed by '\n', handed to `sink` in pieces of about a
// megabyte as they are made: an answer after Cancel can be hundreds of MB, and so it never
// lies in memory whole.
void WriteResultText(const Minimization& m, const TextSink& sink);
// The stats as attributes of a tag, each with a leading space.
std::string StatsAttributes(const MinimizeStats& s);

// Several functions of the same inputs, one function string per line (the line breaks of the
// last may be left out). Throws FormatError naming the line and what is wrong with it.
MultiProblem ParseFunctionStrings(const std::string& text, int vars, int outputs);

// One line per output, in output order, wrapped like a single result; the products of several
// lines that are the same text are one product of the cover. The first line's tag also says
// how many products the cover has and what the core did.
std::vector<std::string> MultiResultLines(const MultiMinimization& m, int outputs);
// The same lines, as WriteResultText hands them on.
void WriteMultiResultText(const MultiMinimization& m, int outputs, const TextSink& sink);

// One cover as the line's text, most significant variable first in each product.
std::string CoverText(const std::vector<Cube>& cover, int vars);

}  // namespace mwcore
