#pragma once
// Sets of small integers as words of 64 bits, for the covering search and the tables of
// covering rows: member i is bit i % 64 of word i / 64. Walks visit members in increasing
// order, a word at a time, so the cost follows the number of words and members.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace mwcore::bits {

using Bits = std::vector<uint64_t>;

inline std::size_t WordsFor(std::size_t members) {
    return (members + 63) / 64;
}

inline bool Test(const Bits& b, int i) {
    return (b[i >> 6] >> (i & 63)) & 1;
}
inline void Set(Bits& b, int i) {
    b[i >> 6] |= uint64_t{1} << (i & 63);
}
inline void Reset(Bits& b, int i) {
    b[i >> 6] &= ~(uint64_t{1} << (i & 63));
}

inline bool None(const Bits& b) {
    return std::all_of(b.begin(), b.end(), [](uint64_t w) { return w == 0; });
}

// Calls f(base + i) for every set bit i of one word.
template <class F>
inline void ForEachOfWord(uint64_t x, std::size_t base, F&& f) {
    for (; x; x &= x - 1) f(static_cast<int>(base + std::countr_zero(x)));
}

template <class F>
void ForEach(const Bits& a, F&& f) {
    for (std::size_t w = 0; w < a.size(); ++w) ForEachOfWord(a[w], w * 64, f);
}

// Calls f(i) for every member of both a and b.
template <class F>
void ForEachOfBoth(const Bits& a, const Bits& b, F&& f) {
    for (std::size_t w = 0; w < a.size(); ++w) ForEachOfWord(a[w] & b[w], w * 64, f);
}

inline int Count(const Bits& a) {
    int n = 0;
    for (uint64_t w : a) n += std::popcount(w);
    return n;
}

inline int CountOfBoth(const Bits& a, const Bits& b) {
    int n = 0;
    for (std::size_t w = 0; w < a.size(); ++w) n += std::popcount(a[w] & b[w]);
    return n;
}

// The members of a within `within` are all members of b.
inline bool SubsetWithin(const Bits& a, const Bits& b, const Bits& within) {
    for (std::size_t w = 0; w < a.size(); ++w)
        if (a[w] & within[w] & ~b[w]) return false;
    return true;
}

// a loses every member of b.
inline void Remove(Bits& a, const Bits& b) {
    for (std::size_t w = 0; w < a.size(); ++w) a[w] &= ~b[w];
}

// How many set bits of a word lie below bit `at`.
inline int RankInWord(uint64_t x, int at) {
    return std::popcount(x & ((uint64_t{1} << at) - 1));
}

}  // namespace mwcore::bits
