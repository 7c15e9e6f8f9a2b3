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

}  // namespace mwcore
