#pragma once
// The exchange file's two texts. In: the function string, 2^n characters, character m for
// minterm m: '1' on, '0' off, '2' free; bit k-1 of m is variable number k. Out: one result per
// line, wrapped in a tag: "ONE_FUN", "ZERO_FUN" or products joined by '+', every literal
// "x<k>" (or "|x<k>" complemented) followed by '*'. The tag says whether the result is a
// proven minimum; the first line's tag also carries what the core did (nodes, work, bound,
// proven, seconds, stopped).

#include <string>
#include <vector>

#include "core/Minimize.h"
#include "core/Problem.h"

namespace mwcore {

struct FormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws FormatError naming what is wrong (length, a character and where).
Problem ParseFunctionString(const std::string& text, int vars);

std::vector<std::string> ResultLines(const Minimization& m);
// The stats as attributes of a tag, each with a leading space.
std::string StatsAttributes(const MinimizeStats& s);

// One cover as the line's text, most significant variable first in each product.
std::string CoverText(const std::vector<Cube>& cover, int vars);

}  // namespace mwcore
