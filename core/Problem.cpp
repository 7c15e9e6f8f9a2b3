#include "core/Problem.h"

#include <bit>

namespace mwcore {

Problem::Problem(TruthTable onSet, TruthTable dcSet)
    : vars(onSet.Vars()), on(std::move(onSet)), dc(std::move(dcSet)) {
    on.AndNot(dc);  // a minterm named both ways is free
    off = TruthTable(vars);
    uint64_t* o = off.Words();
    const uint64_t *n = on.Words(), *d = dc.Words();
    for (std::size_t w = 0; w < off.WordCount(); ++w) o[w] = ~(n[w] | d[w]);
    o[off.WordCount() - 1] &= off.TailMask();
}

TruthTable Problem::Upper() const {
    TruthTable u = on;
    u |= dc;
    return u;
}

namespace {

uint32_t PermuteBits(uint32_t x, const std::vector<int>& perm) {
    uint32_t r = 0;
    for (std::size_t i = 0; i < perm.size(); ++i)
        if (x & (1u << i)) r |= 1u << perm[i];
    return r;
}

}  // namespace

Cube PermutedCube(const Cube& c, const std::vector<int>& perm) {
    return {PermuteBits(c.mask, perm), PermuteBits(c.val, perm)};
}

Problem Permuted(const Problem& p, const std::vector<int>& perm) {
    TruthTable on(p.vars), dc(p.vars);
    // Only the set minterms move, a word at a time, so sparse functions cost little.
    const auto move = [&](const TruthTable& from, TruthTable& to) {
        for (std::size_t w = 0; w < from.WordCount(); ++w)
            for (uint64_t bits = from.Words()[w]; bits; bits &= bits - 1)
                to.Set(PermuteBits(static_cast<uint32_t>(w * 64 + std::countr_zero(bits)), perm));
    };
    move(p.on, on);
    move(p.dc, dc);
    return Problem(on, dc);
}

}  // namespace mwcore
