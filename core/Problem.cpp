#include "core/Problem.h"

namespace mwcore {

Problem::Problem(TruthTable onSet, TruthTable dcSet)
    : vars(onSet.Vars()), on(std::move(onSet)), dc(std::move(dcSet)) {
    on.AndNot(dc);  // a minterm named both ways is free
    off = Upper().Complement();
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
    for (uint32_t m = 0; m < (1u << p.vars); ++m) {
        if (p.on.Get(m)) on.Set(PermuteBits(m, perm));
        if (p.dc.Get(m)) dc.Set(PermuteBits(m, perm));
    }
    return Problem(on, dc);
}

}  // namespace mwcore
