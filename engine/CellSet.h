#pragma once
// A set of map positions as a 256-bit mask: an 8-variable map has exactly 256 cells, so
// every group, neighbourhood and covered set fits in four words.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>

struct CellSet {
    std::array<std::uint64_t, 4> w{};

    void Set(int i) { w[i >> 6] |= std::uint64_t{1} << (i & 63); }
    void Reset(int i) { w[i >> 6] &= ~(std::uint64_t{1} << (i & 63)); }
    bool Test(int i) const { return (w[i >> 6] >> (i & 63)) & 1; }
    bool Empty() const { return (w[0] | w[1] | w[2] | w[3]) == 0; }
    int Count() const {
        return std::popcount(w[0]) + std::popcount(w[1]) + std::popcount(w[2]) +
               std::popcount(w[3]);
    }
    bool SubsetOf(const CellSet& o) const {
        return ((w[0] & ~o.w[0]) | (w[1] & ~o.w[1]) | (w[2] & ~o.w[2]) | (w[3] & ~o.w[3])) == 0;
    }
    bool Intersects(const CellSet& o) const {
        return ((w[0] & o.w[0]) | (w[1] & o.w[1]) | (w[2] & o.w[2]) | (w[3] & o.w[3])) != 0;
    }
    int First() const {
        for (int k = 0; k < 4; ++k)
            if (w[k]) return k * 64 + std::countr_zero(w[k]);
        return -1;
    }
    CellSet& operator|=(const CellSet& o) {
        for (int k = 0; k < 4; ++k) w[k] |= o.w[k];
        return *this;
    }
    CellSet operator~() const { return {{~w[0], ~w[1], ~w[2], ~w[3]}}; }
    CellSet operator&(const CellSet& o) const {
        return {{w[0] & o.w[0], w[1] & o.w[1], w[2] & o.w[2], w[3] & o.w[3]}};
    }
    bool operator==(const CellSet&) const = default;

    // Calls f(i) for each member in ascending order.
    template <typename F>
    void ForEach(F&& f) const {
        for (int k = 0; k < 4; ++k)
            for (std::uint64_t m = w[k]; m; m &= m - 1) f(k * 64 + std::countr_zero(m));
    }
};

struct CellSetHash {
    std::size_t operator()(const CellSet& s) const {
        std::uint64_t h = 0x9E3779B97F4A7C15ull;
        for (std::uint64_t x : s.w) h = (h ^ x) * 0x100000001B3ull + (h >> 29);
        return static_cast<std::size_t>(h);
    }
};
