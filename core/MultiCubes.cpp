#include "core/MultiCubes.h"

#include <array>
#include <bit>

#include "core/TruthTable.h"

namespace mwcore {

namespace {

// Up to this many free variables the cubes are painted into a table of at most 64 words.
constexpr int kTableVars = 12;

// The bits of x at the places of `free`, packed to the low end.
uint32_t Pack(uint32_t x, uint32_t free) {
    uint32_t r = 0;
    int at = 0;
    for (uint32_t m = free; m; m &= m - 1, ++at)
        if (x & (m & -m)) r |= 1u << at;
    return r;
}

uint32_t Unpack(uint32_t x, uint32_t free) {
    uint32_t r = 0;
    int at = 0;
    for (uint32_t m = free; m; m &= m - 1, ++at)
        if (x & (1u << at)) r |= m & -m;
    return r;
}

TruthTable Painted(const std::vector<Cube>& cubes, uint32_t free, int64_t& units) {
    TruthTable t(std::popcount(free));
    for (const Cube& c : cubes) t.Paint({Pack(c.mask, free), Pack(c.val, free)});
    units += static_cast<int64_t>(cubes.size()) * 2 + static_cast<int64_t>(t.WordCount());
    return t;
}

// The cubes with variable v fixed to `value`, v dropped.
std::vector<Cube> Fixed(const std::vector<Cube>& cubes, int v, bool value) {
    const uint32_t bit = 1u << v;
    std::vector<Cube> out;
    out.reserve(cubes.size());
    for (const Cube& c : cubes) {
        if ((c.mask & bit) && ((c.val & bit) != 0) != value) continue;
        out.push_back({c.mask & ~bit, c.val & ~bit});
    }
    return out;
}

// The variable to split on: binate and most frequent, else the most frequent; -1 when no cube
// has a literal.
int SplitVariable(const std::vector<Cube>& cubes, bool& binate) {
    std::array<int, 32> pos{}, neg{};
    for (const Cube& c : cubes)
        for (uint32_t m = c.mask; m; m &= m - 1) {
            const int v = std::countr_zero(m);
            ((c.val >> v) & 1 ? pos : neg)[v]++;
        }
    int best = -1, bestBinate = -1;
    for (int v = 0; v < 32; ++v) {
        const int n = pos[v] + neg[v];
        if (n == 0) continue;
        if (best < 0 || n > pos[best] + neg[best]) best = v;
        if (pos[v] && neg[v] && (bestBinate < 0 || n > pos[bestBinate] + neg[bestBinate]))
            bestBinate = v;
    }
    binate = bestBinate >= 0;
    return binate ? bestBinate : best;
}

}  // namespace

std::vector<Cube> Cofactor(const std::vector<Cube>& cover, const Cube& c) {
    std::vector<Cube> out;
    for (const Cube& q : cover)
        if (q.Intersects(c)) out.push_back({q.mask & ~c.mask, q.val & ~c.mask});
    return out;
}

bool Tautology(std::vector<Cube> cubes, uint32_t free, int64_t& units) {
    units += static_cast<int64_t>(cubes.size()) + 1;
    if (cubes.empty()) return false;
    const int vars = std::popcount(free);
    // Together smaller than the space: some point is left out.
    uint64_t points = 0;
    for (const Cube& c : cubes) {
        if (c.mask == 0) return true;
        points += uint64_t{1} << (vars - c.Literals());
    }
    if (points < (uint64_t{1} << vars)) return false;
    if (vars <= kTableVars) return Painted(cubes, free, units).Full();
    bool binate = false;
    const int v = SplitVariable(cubes, binate);
    // A unate cover holds every point only with a cube of no literal, found above.
    if (!binate) return false;
    return Tautology(Fixed(cubes, v, false), free & ~(1u << v), units) &&
           Tautology(Fixed(cubes, v, true), free & ~(1u << v), units);
}

std::optional<Cube> UncoveredSupercube(std::vector<Cube> cubes, uint32_t free, int64_t& units) {
    units += static_cast<int64_t>(cubes.size()) + 1;
    if (cubes.empty()) return Cube{};
    for (const Cube& c : cubes)
        if (c.mask == 0) return std::nullopt;
    const int vars = std::popcount(free);
    if (vars <= kTableVars) {
        const TruthTable left = Painted(cubes, free, units).Complement();
        Cube packed;
        if (!left.SupercubeWithin(Cube{}, packed)) return std::nullopt;
        return Cube{Unpack(packed.mask, free), Unpack(packed.val, free)};
    }
    bool binate = false;
    const int v = SplitVariable(cubes, binate);
    const uint32_t bit = 1u << v;
    const auto low = UncoveredSupercube(Fixed(cubes, v, false), free & ~bit, units);
    const auto high = UncoveredSupercube(Fixed(cubes, v, true), free & ~bit, units);
    if (!low && !high) return std::nullopt;
    if (!high) return Cube{low->mask | bit, low->val};
    if (!low) return Cube{high->mask | bit, high->val | bit};
    return Cube::Supercube(*low, *high);
}

}  // namespace mwcore
