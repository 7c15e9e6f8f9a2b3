#include "core/MultiProblem.h"

#include <bit>

#include "core/Isop.h"

namespace mwcore {

namespace {
constexpr std::size_t kMaxOffCubes = 1u << 16;
}  // namespace

CoverCost CostOf(const std::vector<MultiCube>& cover) {
    CoverCost c;
    for (const MultiCube& q : cover) {
        ++c.products;
        c.literals += q.in.Literals();
    }
    return c;
}

MultiProblem::MultiProblem(int vars, int outputs)
    : vars_(vars),
      outputs_(outputs),
      on_(outputs, TruthTable(vars)),
      dc_(outputs, TruthTable(vars)),
      off_(outputs, TruthTable(vars)) {}

std::size_t MultiProblem::BytesFor(int vars, int outputs) {
    const std::size_t table = vars >= 6 ? std::size_t{1} << (vars - 3) : 8;
    // Building: on, dc, off, upper. Minimizing: on, upper, and per output a count of the
    // cubes holding each point (up to ten bit planes), plus a few scratch tables.
    return table * (static_cast<std::size_t>(outputs) * 12 + 4);
}

bool MultiProblem::Finish(bool restIsOff, int* output) {
    upper_.clear();
    offCubes_.clear();
    for (int j = 0; j < outputs_; ++j) {
        on_[j].AndNot(dc_[j]);
        if (restIsOff) {
            upper_.push_back(on_[j]);
            upper_.back() |= dc_[j];
        } else {
            off_[j].AndNot(dc_[j]);
            TruthTable clash = on_[j];
            clash &= off_[j];
            if (!clash.Empty()) {
                if (output) *output = j;
                return false;
            }
            upper_.push_back(off_[j].Complement());
        }
        dc_[j] = TruthTable();
        off_[j] = TruthTable();
        // Large tables: a cube test against the off-set's cubes is usually far cheaper.
        if (vars_ > 12) {
            const TruthTable off = upper_[j].Complement();
            offCubes_.push_back(Isop(off, off));
            if (offCubes_.back().size() > kMaxOffCubes) offCubes_.back().clear();
        } else {
            offCubes_.emplace_back();
        }
    }
    dc_.clear();
    off_.clear();
    return true;
}

bool MultiProblem::Implicant(const Cube& c, int j) const {
    const std::vector<Cube>& off = offCubes_[j];
    const int spanned = vars_ > 6 ? std::popcount(~c.mask & ((1u << vars_) - 1) & ~63u) : 0;
    if (off.empty() || (std::size_t{1} << spanned) < off.size() / 8) return upper_[j].Covers(c);
    for (const Cube& o : off)
        if (o.Intersects(c)) return false;
    return true;
}

Outputs MultiProblem::UsefulOutputs(const Cube& c) const {
    Outputs o;
    for (int j = 0; j < outputs_; ++j)
        if (Implicant(c, j) && on_[j].Intersects(c)) o.set(j);
    return o;
}

bool MultiCoverImplements(const MultiProblem& p, const std::vector<MultiCube>& cover) {
    for (int j = 0; j < p.OutputCount(); ++j) {
        TruthTable got(p.Vars());
        for (const MultiCube& c : cover) {
            if (!c.out.test(j)) continue;
            if (!p.Implicant(c.in, j)) return false;
            got.Paint(c.in);
        }
        if (!p.On(j).SubsetOf(got)) return false;
    }
    for (const MultiCube& c : cover)
        for (int j = p.OutputCount(); j < kMaxOutputs; ++j)
            if (c.out.test(j)) return false;
    return true;
}

}  // namespace mwcore
