#pragma once
// The exchange file's cube form, for functions too wide for function strings: the rows of a
// PLA. The first line is ".type fd" (what no row names is off) or ".type fdr" (what no row
// names is free); every other line is one row: n input characters "0 1 -", one blank, k output
// characters, "1" on, "-" don't care, "0" off (fdr only), "~" nothing. A point named a don't
// care is a don't care whatever else names it. The answer is one result per output, as for
// several function strings, its literals numbered from x<n> for the first input column.

#include <cstdint>
#include <string>
#include <vector>

#include "core/CubeMinimize.h"
#include "core/ExchangeFormat.h"
#include "core/MultiMinimize.h"

namespace mwcore {

// Literal numbers are written with at most three digits.
constexpr int kMaxCubeVars = 999;

struct CubeInput {
    int vars = 0;
    int outputs = 0;
    bool offGiven = false;  // .type fdr
    // Per row: the input part (column 0 first) and the output part, as the text gives them.
    std::vector<std::string> inputs, outputParts;
};

// Throws FormatError naming the line and what is wrong with it.
CubeInput ParseCubeExchange(const std::string& text, int vars, int outputs);

// The rows as the cube path's problem, and as the tables' problem with the rows as a given
// cover (vars <= 23). TableProblemOf returns false where an output is left both on and off
// (*clash: the first such output, from 0).
CubeProblem CubeProblemOf(const CubeInput& in);
bool TableProblemOf(const CubeInput& in, MultiProblem& p, std::vector<MultiCube>& given,
                    int* clash = nullptr);

// Minimizes on cubes or on tables, as the size asks (UsesCubes), and answers one result line
// per output. Throws FormatError for a clash, VerificationError where no cover could be made.
std::vector<std::string> MinimizeCubeInput(const CubeInput& in, const MinimizeOptions& options);

// A cube path cover as one result line per output (the first line's tag with the figures).
std::vector<std::string> CubeResultLines(const CubeMinimization& m, const cubes::Shape& shape);

}  // namespace mwcore
