#pragma once
// Bit-parallel truth tables: one bit per minterm, 64 minterms to a word, minterm m at bit
// m % 64 of word m / 64. A set over 23 variables is 1 MB. Work restricted to one cube walks
// only the words the cube touches, with a mask of its minterms inside each word, so the cost
// follows the cube's size rather than the table's.

#include <cstdint>
#include <vector>

#include "core/Cube.h"
#include "core/TableMemory.h"

namespace mwcore {

constexpr int kMaxVars = 23;

// The minterms of variable i's positive half inside one word, for i < 6.
constexpr uint64_t kVarPattern[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull,
                                     0xF0F0F0F0F0F0F0F0ull, 0xFF00FF00FF00FF00ull,
                                     0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};

class TruthTable {
  public:
    TruthTable() = default;
    explicit TruthTable(int vars, bool value = false);

    int Vars() const { return vars_; }
    std::size_t WordCount() const { return words_.size(); }
    uint64_t* Words() { return words_.data(); }
    const uint64_t* Words() const { return words_.data(); }
    // The bits of the last word that stand for minterms (all of them from 6 variables on).
    uint64_t TailMask() const { return vars_ >= 6 ? ~0ull : (1ull << (1u << vars_)) - 1; }

    bool Get(uint32_t m) const { return (words_[m >> 6] >> (m & 63)) & 1; }
    void Set(uint32_t m) { words_[m >> 6] |= 1ull << (m & 63); }

    bool Empty() const;
    bool Full() const;
    uint64_t Count() const;
    bool SubsetOf(const TruthTable& other) const;
    bool operator==(const TruthTable& other) const = default;

    TruthTable& operator|=(const TruthTable& o);
    TruthTable& operator&=(const TruthTable& o);
    TruthTable& AndNot(const TruthTable& o);
    TruthTable Complement() const;

    // Cube-restricted work.
    bool Intersects(const Cube& c) const;
    bool Covers(const Cube& c) const;  // every minterm of c is set
    void Paint(const Cube& c);
    // Smallest cube holding every set minterm of this table inside c; false when none is set.
    bool SupercubeWithin(const Cube& c, Cube& out) const;

  private:
    int vars_ = 0;
    TableWords words_;
};

// Calls f(wordIndex, mintermMaskInWord) for each word that holds minterms of c.
template <class F>
inline void ForEachCubeWord(const Cube& c, int vars, F&& f) {
    uint64_t low = vars >= 6 ? ~0ull : (1ull << (1u << vars)) - 1;
    for (int i = 0; i < 6 && i < vars; ++i) {
        if (c.mask & (1u << i)) low &= (c.val & (1u << i)) ? kVarPattern[i] : ~kVarPattern[i];
    }
    if (vars <= 6) {
        f(std::size_t{0}, low);
        return;
    }
    const uint32_t highVars = (1u << (vars - 6)) - 1;
    const uint32_t fixedVal = c.val >> 6;
    const uint32_t freeBits = ~(c.mask >> 6) & highVars;
    uint32_t sub = 0;
    do {
        f(static_cast<std::size_t>(fixedVal | sub), low);
        sub = (sub - freeBits) & freeBits;
    } while (sub != 0);
}

// As ForEachCubeWord, but stops at the first word where f returns true, and says whether it did:
// a test that has its answer need not walk the rest of a wide cube.
template <class F>
inline bool AnyCubeWord(const Cube& c, int vars, F&& f) {
    uint64_t low = vars >= 6 ? ~0ull : (1ull << (1u << vars)) - 1;
    for (int i = 0; i < 6 && i < vars; ++i) {
        if (c.mask & (1u << i)) low &= (c.val & (1u << i)) ? kVarPattern[i] : ~kVarPattern[i];
    }
    if (vars <= 6) return f(std::size_t{0}, low);
    const uint32_t highVars = (1u << (vars - 6)) - 1;
    const uint32_t fixedVal = c.val >> 6;
    const uint32_t freeBits = ~(c.mask >> 6) & highVars;
    uint32_t sub = 0;
    do {
        if (f(static_cast<std::size_t>(fixedVal | sub), low)) return true;
        sub = (sub - freeBits) & freeBits;
    } while (sub != 0);
    return false;
}

// Cover of cubes painted into a table.
template <class Cubes>
TruthTable TableOf(const Cubes& cubes, int vars) {
    TruthTable t(vars);
    for (const Cube& c : cubes) t.Paint(c);
    return t;
}

}  // namespace mwcore
