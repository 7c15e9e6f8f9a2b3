#pragma once
// The advanced tool's functions: one or more outputs of the same inputs, each with a name and
// its three minterm lists. They go to and from Boolean function files (one section per
// output) and PLA files, and the core's answer for them is read back per output, with the
// products several outputs share.

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/BooleanFunctionFile.h"

namespace pla {
struct Pla;
}

struct OutputFunction {
    std::string name;
    std::array<std::string, 3> lists;  // "1", "0", "*" as the tool's boxes hold them
    bool operator==(const OutputFunction&) const = default;
};

// Past this many characters of function strings (outputs times 2^n) the tool would hold too
// much at once.
constexpr std::size_t kMaxFunctionCharacters = std::size_t{1} << 28;

// "F1", "F2", ... by position (from 0).
std::string DefaultOutputName(int index);

// Why the outputs cannot be named so (an empty name, one given twice), or an empty text.
std::string OutputNamesProblem(const std::vector<OutputFunction>& outputs);

// The file for the outputs: one output with its default name is written exactly as a file of
// one function always was.
BooleanFunctionFile FileOfOutputs(int n, const std::vector<OutputFunction>& outputs);
// The outputs a file holds; a list the first section lacks keeps current's (as the tool always
// did), a name the file lacks is the default.
std::vector<OutputFunction> OutputsOfFile(const BooleanFunctionFile& file,
                                          const OutputFunction& current);

// The outputs of a PLA as names and lists; the inputs' names, when the file gives them all.
std::vector<OutputFunction> OutputsOfPla(const pla::Pla& file);

// Whether the tool keeps a PLA of this size as its rows rather than as minterm lists: wider
// than the lists go, or too large as function strings.
bool KeptAsRows(int inputs, int outputs);

// The PLA's rows in the core's cube form: ".type fd" (or ".type fdr" where the file gives an
// off-set), then one row per input part and kind (on, don't care, off) with the outputs that
// have it.
std::string CubeRowsOf(const pla::Pla& file);

// What an opened file gives the tool: its outputs, its variable count when it names one, and
// the inputs' names when it gives them all.
struct OpenedFunctions {
    std::vector<OutputFunction> outputs;
    std::optional<int> variables;
    std::vector<std::string> inputNames;
    std::unique_ptr<pla::Pla> rows;  // a PLA the lists cannot hold, kept as its rows
};
// A Boolean function file's outputs (a list its first section lacks keeps current's), or
// nothing, the refusal said. Made to run off the window's thread: it says, never asks.
std::optional<OpenedFunctions> ReadBfFunctions(const std::string& path,
                                               const OutputFunction& current);
// Every output of a PLA of 4 to 23 inputs, or one wider or larger kept as its rows, or
// nothing, the refusal said.
std::optional<OpenedFunctions> ReadPlaFunctions(const std::string& path);

// A PLA of type fd for the function strings (2^n characters '1', '0', '2' each): the ones and
// don't cares as aligned blocks of minterms, a block several outputs have in common on one
// row. inputNames / outputNames: as many as inputs / outputs, or none.
std::string PlaOfFunctions(int n, const std::vector<std::string>& functions,
                           const std::vector<std::string>& inputNames,
                           const std::vector<std::string>& outputNames);

// The aligned blocks of minterms that make up first..last (at most two per variable).
struct MintermBlock {
    unsigned first;
    int freeBits;  // the block holds 2^freeBits minterms from first
};
std::vector<MintermBlock> BlocksOf(unsigned first, unsigned last, int n);

// For the terms of every output (as named products), the other outputs that have each term.
std::vector<std::vector<std::vector<int>>> SharedTerms(
    const std::vector<std::vector<std::string>>& terms);
