#pragma once
// A product term over at most 32 variables as two bit masks: `mask` marks the variables that
// appear, `val` their polarity. Variable i is bit i of a minterm's number, so the cube's
// minterms are exactly the m with (m & mask) == val.

#include <bit>
#include <cstdint>

namespace mwcore {

struct Cube {
    uint32_t mask = 0;
    uint32_t val = 0;

    int Literals() const { return std::popcount(mask); }
    bool Has(uint32_t m) const { return (m & mask) == val; }
    // Every minterm of `other` is one of ours.
    bool Contains(const Cube& other) const {
        return (mask & ~other.mask) == 0 && ((other.val ^ val) & mask) == 0;
    }
    bool Intersects(const Cube& other) const {
        return ((val ^ other.val) & mask & other.mask) == 0;
    }
    Cube Without(int var) const { return {mask & ~(1u << var), val & ~(1u << var)}; }
    // The literals we would have to drop to contain `other`.
    uint32_t RaiseToContain(const Cube& other) const {
        return mask & ~(other.mask & ~(val ^ other.val));
    }
    static Cube Supercube(const Cube& a, const Cube& b) {
        const uint32_t m = a.mask & b.mask & ~(a.val ^ b.val);
        return {m, a.val & m};
    }
    friend bool operator==(const Cube& a, const Cube& b) = default;
    friend bool operator<(const Cube& a, const Cube& b) {
        return a.mask != b.mask ? a.mask < b.mask : a.val < b.val;
    }
};

// Products first, then literals: the order in which two sums of products compare.
struct CoverCost {
    int products = 0;
    int literals = 0;
    friend auto operator<=>(const CoverCost&, const CoverCost&) = default;
};

template <class Cubes>
CoverCost CostOf(const Cubes& cubes) {
    CoverCost c;
    for (const Cube& q : cubes) {
        ++c.products;
        c.literals += q.Literals();
    }
    return c;
}

}  // namespace mwcore
