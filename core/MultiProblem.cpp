#include "core/MultiProblem.h"

#include <algorithm>
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

MultiProblem::MultiProblem(int vars, int outputs) : vars_(vars), outputs_(outputs) {
    // Each table made empty in place, not copied from one: copying would write every page.
    for (auto* tables : {&on_, &dc_, &off_}) {
        tables->reserve(outputs);
        for (int j = 0; j < outputs; ++j) tables->emplace_back(vars);
    }
}

std::size_t MultiProblem::BytesFor(int vars, int outputs) {
    const std::size_t table = vars >= 6 ? std::size_t{1} << (vars - 3) : 8;
    const std::size_t k = static_cast<std::size_t>(outputs);
    // Building: on, dc, off, upper per output. Minimizing: on and upper, and where the loop
    // counts on tables per output a count of the products holding each point (up to ten bit
    // planes); a few scratch tables besides.
    if (vars > kMaxTableVars) return table * (k * 4 + 16);
    return table * (k * 12 + 4);
}

bool MultiProblem::Finish(bool restIsOff, int* output, int cubesFrom) {
    upper_.clear();
    offCubes_.clear();
    notOnCubes_.clear();
    cubes_ = vars_ >= cubesFrom;
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
        // A cover of the off-set: on large tables a cube test against its cubes is usually far
        // cheaper, and the sparse step reads which literals keep a product off it.
        const TruthTable off = upper_[j].Complement();
        offCubes_.push_back(Isop(off, off));
        if (offCubes_.back().size() > kMaxOffCubes) offCubes_.back().clear();
        if (cubes_) {
            const TruthTable notOn = on_[j].Complement();
            notOnCubes_.push_back(Isop(notOn, notOn));
            cubes_ = cubes_ && notOnCubes_.back().size() <= kMaxOffCubes;
        }
    }
    dc_.clear();
    off_.clear();
    return true;
}

int64_t MultiProblem::Span(const Cube& c) const {
    return vars_ > 6 ? int64_t{1} << std::popcount(~c.mask & ((1u << vars_) - 1) & ~63u) : 1;
}

bool MultiProblem::Implicant(const Cube& c, int j, int64_t* units) const {
    const std::vector<Cube>& off = offCubes_[j];
    const int64_t span = Span(c);
    if (off.empty() || vars_ <= 12 || static_cast<std::size_t>(span) < off.size() / 8) {
        if (units) *units += span;
        return upper_[j].Covers(c);
    }
    if (units) *units += static_cast<int64_t>(off.size() / 8) + 1;
    for (const Cube& o : off)
        if (o.Intersects(c)) return false;
    return true;
}

int64_t MultiProblem::ImplicantUnits(const Cube& c, int j) const {
    const std::size_t off = offCubes_[j].size();
    const int64_t span = Span(c);
    if (off == 0 || vars_ <= 12 || static_cast<std::size_t>(span) < off / 8) return span;
    return static_cast<int64_t>(off / 8) + 1;
}

Outputs MultiProblem::UsefulOutputs(const Cube& c, int64_t* units) const {
    Outputs o;
    for (int j = 0; j < outputs_; ++j)
        if (Implicant(c, j, units) && on_[j].Intersects(c)) o.set(j);
    if (units) *units += outputs_;
    return o;
}

bool MultiCoverImplements(const MultiProblem& p, const std::vector<MultiCube>& cover) {
    for (int j = 0; j < p.OutputCount(); ++j) {
        // The products lie within the care set just where their union does.
        TruthTable got(p.Vars());
        for (const MultiCube& c : cover)
            if (c.out.test(j)) got.Paint(c.in);
        if (!got.SubsetOf(p.Upper(j)) || !p.On(j).SubsetOf(got)) return false;
    }
    // One mask test per product: a cover after Cancel can hold millions.
    Outputs beyond;
    for (int j = p.OutputCount(); j < kMaxOutputs; ++j) beyond.set(j);
    return std::none_of(cover.begin(), cover.end(),
                        [&](const MultiCube& c) { return (c.out & beyond).any(); });
}

}  // namespace mwcore
