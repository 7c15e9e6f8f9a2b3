#include "core/TruthTable.h"

#include <bit>

namespace mwcore {

TruthTable::TruthTable(int vars, bool value)
    : vars_(vars), words_(vars >= 6 ? std::size_t{1} << (vars - 6) : 1, value ? ~0ull : 0) {
    if (value) words_.back() &= TailMask();
}

bool TruthTable::Empty() const {
    for (uint64_t w : words_)
        if (w) return false;
    return true;
}

bool TruthTable::Full() const {
    for (std::size_t i = 0; i + 1 < words_.size(); ++i)
        if (~words_[i]) return false;
    return words_.back() == TailMask();
}

uint64_t TruthTable::Count() const {
    uint64_t n = 0;
    for (uint64_t w : words_) n += std::popcount(w);
    return n;
}

bool TruthTable::SubsetOf(const TruthTable& other) const {
    for (std::size_t i = 0; i < words_.size(); ++i)
        if (words_[i] & ~other.words_[i]) return false;
    return true;
}

TruthTable& TruthTable::operator|=(const TruthTable& o) {
    for (std::size_t i = 0; i < words_.size(); ++i) words_[i] |= o.words_[i];
    return *this;
}

TruthTable& TruthTable::operator&=(const TruthTable& o) {
    for (std::size_t i = 0; i < words_.size(); ++i) words_[i] &= o.words_[i];
    return *this;
}

TruthTable& TruthTable::AndNot(const TruthTable& o) {
    for (std::size_t i = 0; i < words_.size(); ++i) words_[i] &= ~o.words_[i];
    return *this;
}

TruthTable TruthTable::Complement() const {
    TruthTable t = *this;
    for (uint64_t& w : t.words_) w = ~w;
    t.words_.back() &= TailMask();
    return t;
}

bool TruthTable::Intersects(const Cube& c) const {
    return AnyCubeWord(c, vars_, [&](std::size_t w, uint64_t m) { return (words_[w] & m) != 0; });
}

bool TruthTable::Covers(const Cube& c) const {
    return !AnyCubeWord(c, vars_, [&](std::size_t w, uint64_t m) { return (words_[w] & m) != m; });
}

void TruthTable::Paint(const Cube& c) {
    ForEachCubeWord(c, vars_, [&](std::size_t w, uint64_t m) { words_[w] |= m; });
}

bool TruthTable::SupercubeWithin(const Cube& c, Cube& out) const {
    // Track, per variable, whether a set minterm has it 0 and whether one has it 1.
    uint32_t seenOne = 0, seenZero = 0;
    ForEachCubeWord(c, vars_, [&](std::size_t w, uint64_t m) {
        const uint64_t bits = words_[w] & m;
        if (!bits) return;
        const uint32_t high = static_cast<uint32_t>(w) << 6;
        seenOne |= high;
        seenZero |= ~high & ~63u;
        for (int i = 0; i < 6 && i < vars_; ++i) {
            if (bits & kVarPattern[i]) seenOne |= 1u << i;
            if (bits & ~kVarPattern[i]) seenZero |= 1u << i;
        }
    });
    if (!(seenOne | seenZero)) return false;
    const uint32_t all = vars_ >= 32 ? ~0u : (1u << vars_) - 1;
    out.mask = ~(seenOne & seenZero) & all;
    out.val = seenOne & out.mask;
    return true;
}

}  // namespace mwcore
