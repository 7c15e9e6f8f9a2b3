#pragma once
// The exchange with the minimization core: the function string goes into a file, the core is
// called, and its result lines come back from the same file into a result tree. The file lives
// in a folder made for this process alone (owner-only rights) when the core is first used and
// removed at exit or when the program is ended by a signal, so nothing in the current folder is
// touched and two runs never meet.

#include <array>
#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/ResultTree.h"

class TTrimmer;

// The most inputs a result can name: the core writes a literal's number with three digits.
constexpr int kMaxCoreInputs = 999;

// Variable names by position (index 0 = the first variable), as the tool's list gives them.
extern std::array<std::string, kMaxCoreInputs> VarNames;

// A core answer the program cannot use; the message says which line and why.
struct CoreAnswerError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The exchange file's name; its folder is made by the first call.
const std::string& ExchangeFilePath();

// Creates or truncates the exchange file with the function string; throws std::runtime_error.
void WriteExchangeFile(const std::string& function);

// What the core says it did, from the first result line's tag: (name, value) in the core's
// order, "minimum" left out. Only names of letters with values of letters, digits, '.' and
// spaces are taken; anything else is skipped, as is everything from a core that says nothing.
using CoreStats = std::vector<std::pair<std::string, std::string>>;
CoreStats StatsOfLine(const std::string& line);

// A larger answer is refused unread: a guard against a core that runs away. Legitimate answers
// of 23 inputs are large: one random function's irredundant cover is about 70 MB of text, four
// of them after Cancel about 300 MB.
constexpr std::size_t kMaxCoreAnswerSize = std::size_t{512} << 20;
// Reads the core's lines into the tree, one root per line. Returns false, leaving the tree
// alone, when there is no exchange file. Every line is checked before the tree is touched:
// a bad answer throws CoreAnswerError and the tree keeps its content. `minimum`, if given,
// receives per root whether the core says it is a proven minimum.
bool ReadCoreResults(ResultTree& tree, int n, std::vector<bool>* minimum = nullptr,
                     CoreStats* stats = nullptr);

// ReadCoreResults on lines already read (as CallCore returns them).
void ResultsIntoTree(const std::vector<std::string>& lines, ResultTree& tree, int n,
                     std::vector<bool>* minimum = nullptr, CoreStats* stats = nullptr);

// The core's answer for several functions: one line per output, in order.
struct OutputResult {
    std::string formula;             // "0", "1" or the named terms joined by '+'
    std::vector<std::string> terms;  // empty for a constant
};
struct OutputsAnswer {
    std::vector<OutputResult> outputs;
    bool minimum = false;  // the core proved the whole cover minimum
    CoreStats stats;
};
// Throws CoreAnswerError when the lines are not k valid results.
OutputsAnswer ReadOutputResults(const std::vector<std::string>& lines, int n, int k);

// One run of the core, made for a thread of its own: it neither shows messages nor touches a
// window. Writes the functions (each made from its three lists, already checked, when it is
// written; one per line), makes the four calls, reads the lines and deletes the file. The
// core must already know n, the effort and the number of functions. A Cancel that came
// before the core read the functions is passed on after it did. Throws on any failure, with
// the exchange file removed.
std::vector<std::string> CallCore(TTrimmer& core, int n,
                                  const std::vector<std::array<std::string, 3>>& lists,
                                  const std::atomic<bool>& cancelled);

// CallCore for the rows of a PLA in the exchange file's cube form (CubeRowsOf, Outputs.h):
// the core must already be in that form and know n and the output count.
std::vector<std::string> CallCoreWithRows(TTrimmer& core, const std::string& rows,
                                          const std::atomic<bool>& cancelled);

// "The minimization core failed." with the detail, as every failed call shows it.
void ShowCoreFailure(const std::string& detail);

// What the core said it did about stopping: true when Cancel cut the run short.
bool StoppedByCancel(const CoreStats& stats);

// The result inside a line: after the first '>' and before the first "</" after it.
std::string CutResultLine(const std::string& line);
// Drops the '*' of every "*+" and a final '*'.
std::string CleanResultLine(const std::string& line);
// A term of core literals ("x4*|x3") in variable names ("A*|B").
std::string TermToNames(const std::string& term, int n);

// Removes the exchange file if it is there; throws std::runtime_error if it cannot.
void DeleteExchangeFile();

// The whole analysis: write the function, the four calls, read the results, delete the file.
// Any failure is shown as a message and false returned; the tree then keeps its content.
bool RunCoreAnalysis(TTrimmer& core, const std::string& function, int n, ResultTree& tree,
                     std::vector<bool>* minimum = nullptr, CoreStats* stats = nullptr);

// Tells the core how hard to try (0 quick, 1 thorough, 2 prove). Shows a message and returns
// false on failure, as from a core that does not know the call.
bool SetCoreEffort(TTrimmer& core, int effort);

// Tells the core how many functions the exchange file holds (1: the one function of the
// designed calls). Shows a message and returns false on failure.
bool SetCoreOutputCount(TTrimmer& core, int k);

// Tells the core whether the exchange file holds PLA rows (true) or function strings. Shows a
// message and returns false on failure, as from a core that predates the call.
bool SetCoreCubeInput(TTrimmer& core, bool on);

// Tells the core a new variable count, as the tool does when its count changes. Shows a
// message and returns false on failure.
bool SetCoreVariableCount(TTrimmer& core, int n);
