#pragma once
// Cubes of any width for the cube path: each input takes two bits (01 the input is 0, 10 it is
// 1, 11 either), the outputs one bit each as one more multiple-valued part after the inputs. A
// list of cubes is one flat array, a cube a run of Width() words, so nothing is ever as long
// as the function's truth table. Input pairs past the last input are always 11.
//
// The operations here work on input parts alone (a cover of one output): cofactor, unate
// recursive tautology, complement and the smallest cube holding a complement. The outputs are
// handled by the callers one output at a time.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Work.h"

namespace mwcore::cubes {

using Word = std::uint64_t;
constexpr Word kLow = 0x5555555555555555ull;  // the 0 bit of every input pair

// A flat list of cubes of `width` words each.
class CubeList {
  public:
    CubeList() = default;
    explicit CubeList(int width) : width_(width) {}
    int Width() const { return width_; }
    std::size_t Size() const { return width_ ? words_.size() / width_ : 0; }
    bool Empty() const { return words_.empty(); }
    Word* operator[](std::size_t i) { return words_.data() + i * width_; }
    const Word* operator[](std::size_t i) const { return words_.data() + i * width_; }
    // Adds a cube and returns it (its words uninitialised only where `from` is null).
    Word* Add(const Word* from = nullptr);
    // Room for `cubes` more cubes at the end (uninitialised in meaning, zero in fact), for a
    // writer that then calls Truncate with how many it filled.
    Word* Extend(std::size_t cubes) {
        const std::size_t at = words_.size();
        words_.resize(at + cubes * width_);
        return words_.data() + at;
    }
    void Truncate(std::size_t cubes) { words_.resize(cubes * width_); }
    void Clear() { words_.clear(); }
    void PopBack() { words_.resize(words_.size() - width_); }
    // Keeps the cubes whose flag is set, in order.
    void Keep(const std::vector<char>& keep);

  private:
    int width_ = 0;
    std::vector<Word> words_;
};

// Where the inputs and outputs of a problem's cubes lie.
struct Shape {
    int vars = 0;
    int outputs = 0;
    int inWords = 0;   // two bits per input
    int outWords = 0;  // one bit per output
    Shape() = default;
    Shape(int vars, int outputs);
    int Width() const { return inWords + outWords; }
    // The input part with every input free.
    void Universe(Word* in) const;
    // 0, 1, or 2 for an input both ways.
    static int Literal(const Word* in, int var) {
        const int v = static_cast<int>((in[var >> 5] >> (2 * (var & 31))) & 3);
        return v == 3 ? 2 : v - 1;
    }
    static void SetLiteral(Word* in, int var, int value) {  // value 0, 1 or 2 (free)
        const int shift = 2 * (var & 31);
        const Word bits = value == 2 ? 3 : value == 1 ? 2 : 1;
        in[var >> 5] = (in[var >> 5] & ~(Word{3} << shift)) | (bits << shift);
    }
    static bool Output(const Word* out, int j) { return (out[j >> 6] >> (j & 63)) & 1; }
    static void SetOutput(Word* out, int j) { out[j >> 6] |= Word{1} << (j & 63); }
    static void ResetOutput(Word* out, int j) { out[j >> 6] &= ~(Word{1} << (j & 63)); }
};

// Input parts of `words` words.
bool Disjoint(const Word* a, const Word* b, int words);
bool ContainsIn(const Word* a, const Word* b, int words);  // a holds all of b
bool IsUniverse(const Word* a, int words);
int LiteralCount(const Word* a, int words);
// Inputs where a and b have opposite literals.
int Distance(const Word* a, const Word* b, int words);

// The cubes of `from` that meet c, with c's own literals made free (the cofactor by c),
// appended to `into`.
void CofactorInto(const CubeList& from, const Word* c, CubeList& into, int64_t* units);

// Whether the cubes cover every input combination. Adds its work to *units.
bool Tautology(CubeList list, int64_t* units);

// The complement as a list of cubes, or false where it would pass `limit` cubes (or the work
// runs out): the list is then incomplete.
bool Complement(const CubeList& list, CubeList& out, std::size_t limit, Work& work);

// The smallest cube holding every point the list leaves out; false where it leaves none.
bool ComplementSupercube(CubeList list, Word* out, int64_t* units);

}  // namespace mwcore::cubes
