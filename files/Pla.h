#pragma once
// The PLA text format of two-level logic tools (Berkeley style): a few directives and one line
// per product, an input part over "0 1 -" and an output part with one character per output.
//
//   .i 3            inputs               .type f|fd|fr|fdr   what the rows mean (default fd)
//   .o 2            outputs              .p 4                rows announced (not enforced)
//   .ilb a b c      input names          .e / .end           end of the rows
//   .ob f g         output names         # ...               comment
//   10- 1~          a row: input part, output part (blanks and "|" between them are ignored)
//
// Output characters: "1" or "4" the row is in the output's on-set; "0" in its off-set for the
// types with r, nothing for f and fd; "-" or "2" a don't care for the types with d, nothing for
// f and fr; "~" nothing. Per output and type:
//   f    on = the 1 rows, off = the rest, no don't cares.
//   fd   on = the 1 rows, don't care = the - rows (a point in both is a don't care), off = the
//   rest. fr   on = the 1 rows, off = the 0 rows, don't care = what no row names. fdr  on, off and
//   don't care as given; what no row names is a don't care too.
// A point named a don't care is a don't care whatever else names it. A point left both in the
// on-set and the off-set (fr, fdr) is refused with both line numbers. A bare word before
// everything else (the PLA's name in some classic files) is skipped. In the input part "2" is a
// don't care like "-". Fewer ".ob" names than outputs are taken with a warning; the rest are
// named "f" followed by the output's number (from 0).
//
// Cubes use the minterm numbering of the rest of the program: input column 1 (the leftmost
// character, the first ".ilb" name) is the most significant bit.

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pla {

// Input bits of any width, 64 to a word; words past the stored ones are zero, so two values
// compare equal whatever their length. Narrow code builds one from a number and reads it back
// with Low().
class Bits {
  public:
    Bits() = default;
    Bits(std::uint64_t low) {  // NOLINT: a number is the narrow form of the same bits
        if (low) words_.push_back(low);
    }
    bool Test(int b) const {
        const std::size_t w = static_cast<std::size_t>(b) / 64;
        return w < words_.size() && ((words_[w] >> (b % 64)) & 1);
    }
    void Set(int b);
    bool Any() const { return !words_.empty(); }
    int Count() const;
    // The lowest 64 bits (all of them for PLAs of at most 64 inputs).
    std::uint64_t Low() const { return words_.empty() ? 0 : words_[0]; }
    std::uint64_t Word(std::size_t w) const { return w < words_.size() ? words_[w] : 0; }
    std::size_t WordCount() const { return words_.size(); }
    // The bits of this value that are not in o.
    Bits Without(const Bits& o) const;
    Bits& operator|=(const Bits& o);
    Bits& operator&=(const Bits& o);
    friend Bits operator|(Bits a, const Bits& b) { return a |= b; }
    friend Bits operator&(Bits a, const Bits& b) { return a &= b; }
    friend Bits operator^(const Bits& a, const Bits& b);
    friend bool operator==(const Bits&, const Bits&) = default;
    friend bool operator<(const Bits& a, const Bits& b);

  private:
    void Trim();
    std::vector<std::uint64_t> words_;  // no zero word at the end
};

// One product: bit b of care set means input bit b is a literal, and then bit b of value gives
// its polarity. Value bits outside care are zero.
struct Cube {
    Bits care;
    Bits value;
    bool Contains(std::uint64_t minterm) const { return (minterm & care.Low()) == value.Low(); }
    bool Intersects(const Cube& o) const { return !((value ^ o.value) & care & o.care).Any(); }
    bool operator==(const Cube&) const = default;
};

enum class Type { F, FD, FR, FDR };

// One output's sets as the file gives them; off and dc are filled only where the type names
// them, the rest is implied (see ValueAt).
struct OutputSets {
    std::vector<Cube> on, off, dc;
};

struct Pla {
    int inputs = 0;
    int outputs = 0;
    Type type = Type::FD;
    std::vector<std::string> inputNames;   // empty, or one per input
    std::vector<std::string> outputNames;  // empty, or one per output
    std::vector<OutputSets> functions;     // one per output
    int rows = 0;                          // product lines read
    std::vector<std::string> warnings;     // read anyway: "line N: ..."

    // What output o is at a minterm: '1', '0' or '2' (don't care), by the rules above; inputs
    // <= 64.
    char ValueAt(int output, std::uint64_t minterm) const;
    // The output as 2^inputs characters '1', '0', '2' (minterm m at index m); inputs <= 26.
    std::string FunctionString(int output) const;
    // Input name i (from 0) as the file gives it, or "x" followed by i (from 0).
    std::string InputName(int i) const;
    std::string OutputName(int o) const;  // or "f" followed by o (from 0)
};

struct Limits {
    int maxInputs = 100'000;  // beyond this a row would not be a product but a mistake
    int maxOutputs = 128;
    long maxRows = 4'000'000;   // beyond this the file is refused (memory)
    long maxCubes = 8'000'000;  // on, off and don't-care entries of all outputs together
};

struct Error {
    int line = 0;         // 1-based line of the fault, 0 for the file as a whole
    std::string message;  // English, ready for the user: "line N: ..." when line > 0
};

// Reads a whole PLA text. On failure nullopt and *error (when given) says where and why.
std::optional<Pla> Read(std::istream& in, Error* error, const Limits& limits = {});
std::optional<Pla> ReadText(const std::string& text, Error* error, const Limits& limits = {});
// A file by name; an unreadable or missing file is an error with line 0.
std::optional<Pla> ReadFile(const std::string& path, Error* error, const Limits& limits = {});

// A product of a multi-output cover: its input cube and which outputs use it.
struct Product {
    Cube in;
    std::vector<bool> outputs;  // one per output
};

// Writes a cover as a PLA of type f: ".i .o", ".ilb"/".ob" when names are given, ".p",
// ".type f", one line per product, ".e". Names empty: no .ilb/.ob line.
void WriteCover(std::ostream& out, int inputs, int outputs, const std::vector<Product>& products,
                const std::vector<std::string>& inputNames = {},
                const std::vector<std::string>& outputNames = {});
std::string CoverText(int inputs, int outputs, const std::vector<Product>& products,
                      const std::vector<std::string>& inputNames = {},
                      const std::vector<std::string>& outputNames = {});

// Writes one function as type fd: its on cubes with output "1", its don't-care cubes with "-".
void WriteFunction(std::ostream& out, int inputs, const std::vector<Cube>& on,
                   const std::vector<Cube>& dc, const std::vector<std::string>& inputNames = {},
                   const std::string& outputName = {});

// The input part of a cube as the file writes it ("10-").
std::string InputPart(const Cube& cube, int inputs);

}  // namespace pla
