// Growing products: the expansion of the several-output loop and its final sparse step.

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <numeric>
#include <optional>

#include "core/CoverCounter.h"
#include "core/CoveringRows.h"
#include "core/Helpers.h"
#include "core/Mincov.h"
#include "core/MultiCounts.h"
#include "core/MultiCubes.h"
#include "core/MultiEspresso.h"

namespace mwcore {

namespace {

using multi::AloneOfAll;
using multi::Counts;
using multi::Members;

// Products tried for a merge with the one being expanded, nearest first.
constexpr std::size_t kMergeCandidates = 32;

// Answers of MultiProblem::Implicant while one product grows: the merges and the raising ask
// the same cube of the same output again and again. An answer given again is charged as if it
// were worked out again, so the work counted is what it would be without the memo.
class ImplicantMemo {
  public:
    explicit ImplicantMemo(const MultiProblem& p) : p_(p), slots_(kSlots) {}
    void Clear() {
        used_ = 0;
        if (++stamp_ == 0) {
            for (Slot& s : slots_) s.stamp = 0;
            stamp_ = 1;
        }
    }
    bool Implicant(const Cube& c, int j, int64_t& units) {
        Slot& s = Find(c);
        if (s.known.test(static_cast<std::size_t>(j))) {
            units += p_.ImplicantUnits(c, j);
            return s.yes.test(static_cast<std::size_t>(j));
        }
        const bool yes = p_.Implicant(c, j, &units);
        s.known.set(static_cast<std::size_t>(j));
        if (yes) s.yes.set(static_cast<std::size_t>(j));
        return yes;
    }
    // As MultiProblem::UsefulOutputs.
    Outputs UsefulOutputs(const Cube& c, int64_t& units) {
        Outputs o;
        for (int j = 0; j < p_.OutputCount(); ++j)
            if (Implicant(c, j, units) && p_.On(j).Intersects(c)) o.set(j);
        units += p_.OutputCount();
        return o;
    }
    const MultiProblem& Problem() const { return p_; }

  private:
    static constexpr std::size_t kSlots = 512;
    struct Slot {
        Cube c;
        uint32_t stamp = 0;
        Outputs known, yes;
    };
    Slot& Find(const Cube& c) {
        if (used_ >= kSlots / 2) Clear();
        const uint64_t key = (uint64_t{c.mask} << 32 | c.val) * 0x9E3779B97F4A7C15ull;
        for (std::size_t i = key >> 55;; i = (i + 1) & (kSlots - 1)) {
            Slot& s = slots_[i];
            if (s.stamp != stamp_) {
                s = {c, stamp_, {}, {}};
                ++used_;
                return s;
            }
            if (s.c == c) return s;
        }
    }

    const MultiProblem& p_;
    std::vector<Slot> slots_;
    uint32_t stamp_ = 1;
    std::size_t used_ = 0;
};

bool Fits(ImplicantMemo& memo, const Cube& c, const std::vector<int>& outputs, int64_t& units) {
    for (int j : outputs)
        if (!memo.Implicant(c, j, units)) return false;
    return true;
}

bool FitsAll(ImplicantMemo& memo, const Cube& c, const Outputs& o, int64_t& units) {
    const int k = memo.Problem().OutputCount();
    for (int j = 0; j < k; ++j)
        if (o.test(j) && !memo.Implicant(c, j, units)) return false;
    return true;
}

// Raises the literals of c one at a time while it fits every output of `outs`, preferring the
// literal that moves it towards the most products of `near` sharing an output with it.
Cube RaiseLiterals(ImplicantMemo& memo, const std::vector<MultiCube>& cover,
                   const std::vector<int>& near, Cube c, const Outputs& outs, int64_t& units) {
    const std::vector<int> feeds = Members(outs, memo.Problem().OutputCount());
    uint32_t open = 0;
    for (uint32_t m = c.mask; m; m &= m - 1) {
        const int v = std::countr_zero(m);
        if (Fits(memo, c.Without(v), feeds, units)) open |= 1u << v;
    }
    while (open) {
        std::array<int, 32> score{};
        units += static_cast<int64_t>(near.size());
        for (int j : near) {
            const uint32_t r = c.RaiseToContain(cover[j].in);
            if (!r || (cover[j].out & outs).none()) continue;
            const bool reachable = (r & ~open) == 0;
            const int weight = reachable ? 4096 / std::popcount(r) : 1;
            for (uint32_t m = r & open; m; m &= m - 1) score[std::countr_zero(m)] += weight;
        }
        int best = std::countr_zero(open);
        for (uint32_t m = open; m; m &= m - 1) {
            const int v = std::countr_zero(m);
            if (score[v] > score[best]) best = v;
        }
        open &= ~(1u << best);
        const Cube raised = c.Without(best);
        if (Fits(memo, raised, feeds, units)) c = raised;
    }
    return c;
}

// The products other than idx, nearest first; only so many.
// `ins`: the products' input parts, apart for a faster scan; `distance` scratch kept by the
// caller from one product to the next.
std::vector<int> Near(const std::vector<Cube>& ins, const std::vector<char>& gone, int idx,
                      int64_t& units, std::vector<uint8_t>& distance) {
    const Cube c = ins[idx];
    // Distances are at most 32, so the nearest come out of a count per distance in two linear
    // passes, ties to the earlier product as a sort by (distance, index) would give them.
    // Products left out get distance 33; four counters per distance, summed after, keep
    // consecutive products from waiting on one another's count.
    constexpr uint8_t kOut = 33;
    const std::size_t size = ins.size();
    distance.resize(size);
    std::array<std::array<uint32_t, 4>, 34> counts{};
    for (std::size_t j = 0; j < size; ++j) {
        const auto d =
            static_cast<uint8_t>(gone[j] ? kOut : std::popcount(c.RaiseToContain(ins[j])));
        distance[j] = d;
        ++counts[d][j & 3];
    }
    --counts[distance[idx]][idx & 3];
    distance[idx] = kOut;
    std::array<std::size_t, 34> perDistance{};
    std::size_t others = 0;
    for (int d = 0; d < kOut; ++d) {
        perDistance[d] = counts[d][0] + counts[d][1] + counts[d][2] + counts[d][3];
        others += perDistance[d];
    }
    units += static_cast<int64_t>(others) * 2;
    const std::size_t take = std::min(others, kMergeCandidates);
    // The farthest distance taken, and how many of it.
    int last = 0;
    std::size_t below = 0;
    while (below + perDistance[last] < take) below += perDistance[last++];
    std::array<std::size_t, 34> start{};
    for (int d = 1; d <= last; ++d) start[d] = start[d - 1] + perDistance[d - 1];
    std::vector<int> near(take);
    std::size_t atLast = take - below;
    std::size_t placed = 0;
    // Eight distances at a time where none is taken: each byte above `last` sets its top bit.
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    const uint64_t beyond = kOnes * static_cast<uint64_t>(last + 1);
    std::size_t j = 0;
    while (placed < take && j < size) {
        if (j + 8 <= size) {
            uint64_t eight;
            std::memcpy(&eight, distance.data() + j, 8);
            if ((((eight | kOnes << 7) - beyond) & kOnes << 7) == kOnes << 7) {
                j += 8;
                continue;
            }
        }
        const std::size_t end = std::min(size, j + 8);
        for (; j < end; ++j) {
            const int d = distance[j];
            if (d > last) continue;
            if (d == last) {
                if (!atLast) continue;
                --atLast;
            }
            near[start[d]++] = static_cast<int>(j);
            ++placed;
        }
    }
    return near;
}

// Grows cover[idx] as espresso does in its multiple-valued form: first it merges with the
// product that makes it swallow the most others (the supercube of inputs and the union of
// outputs, where every output can take it), as long as some merge fits; then it raises its
// remaining inputs one at a time while it fits every output it feeds, preferring the literal
// that moves it towards the most products; last it feeds every output that can take it.
MultiCube ExpandOne(ImplicantMemo& memo, const std::vector<MultiCube>& cover,
                    const std::vector<Cube>& ins, const std::vector<char>& gone, int idx,
                    bool outputsFirst, int64_t& units, std::vector<uint8_t>& distance) {
    memo.Clear();
    Cube c = cover[idx].in;
    Outputs outs = cover[idx].out;
    if (outputsFirst) outs |= memo.UsefulOutputs(c, units);
    const std::vector<int> near = Near(ins, gone, idx, units, distance);
    // A merge drops from c the literals that keep it off the other product, and the merged
    // cube holds a near product exactly when those include every literal keeping c off that
    // one: so what a merge swallows comes out of one mask per near product.
    const std::size_t n = near.size();
    static_assert(kMergeCandidates <= 32);
    std::array<uint32_t, kMergeCandidates> raises{};
    for (;;) {
        units += static_cast<int64_t>(n * n);
        uint32_t outsWithin = 0;  // the near products feeding no output beyond outs
        for (std::size_t k = 0; k < n; ++k) {
            raises[k] = c.RaiseToContain(cover[near[k]].in);
            if ((cover[near[k]].out & ~outs).none()) outsWithin |= 1u << k;
        }
        const uint32_t all = n == 32 ? ~0u : (1u << n) - 1;
        int best = -1, bestCount = 0, bestRaise = 99;
        MultiCube bestCube;
        for (std::size_t a = 0; a < n; ++a) {
            const int j = near[a];
            const uint32_t r = raises[a];
            const Outputs o = outs | cover[j].out;
            if (r == 0 && o == outs) continue;  // already swallowed
            const Cube in{c.mask & ~r, c.val & ~r};
            const int raise = std::popcount(r);
            uint32_t held = 0;
            for (std::size_t k = 0; k < n; ++k)
                held |= static_cast<uint32_t>((raises[k] & ~r) == 0) << k;
            uint32_t fed = outsWithin;
            for (uint32_t m = held & ~outsWithin & all; m; m &= m - 1) {
                const int k = std::countr_zero(m);
                if ((cover[near[k]].out & ~o).none()) fed |= 1u << k;
            }
            const int count = std::popcount(held & fed);
            if (count < bestCount || (count == bestCount && raise >= bestRaise)) continue;
            if (!FitsAll(memo, in, o, units)) continue;
            best = j;
            bestCount = count;
            bestRaise = raise;
            bestCube = {in, o};
        }
        if (best < 0) break;
        c = bestCube.in;
        outs = bestCube.out;
    }
    c = RaiseLiterals(memo, cover, near, c, outs, units);
    return {c, outs | memo.UsefulOutputs(c, units)};
}

}  // namespace

void MultiExpand(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work,
                 bool outputsFirst) {
    if (work.Halted()) return;
    std::vector<char> gone(cover.size(), 0);
    std::vector<Cube> ins;
    for (const MultiCube& c : cover) ins.push_back(c.in);
    ImplicantMemo memo(p);
    std::vector<uint8_t> distance;
    for (int idx : ByLiterals(cover, true)) {
        if (gone[idx]) continue;
        int64_t units = static_cast<int64_t>(cover.size());
        const MultiCube c = ExpandOne(memo, cover, ins, gone, idx, outputsFirst, units, distance);
        if (!work.Spend(units)) break;
        cover[idx] = c;
        ins[idx] = c.in;
        for (std::size_t j = 0; j < ins.size(); ++j)
            if (c.in.Contains(ins[j]) && !gone[j] && static_cast<int>(j) != idx &&
                (cover[j].out & ~c.out).none())
                gone[j] = 1;
    }
    Compact(cover, gone);
}

void DropSpareOutputs(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work) {
    if (work.Halted()) return;
    Counts count(p, cover, work);
    for (int idx : ByLiterals(cover, false)) {
        if (work.Over()) break;
        MultiCube& c = cover[idx];
        for (int j = 0; j < p.OutputCount(); ++j)
            if (c.out.test(j) && !count.Needed(c.in, j)) {
                count.Remove(c.in, j);
                c.out.reset(j);
            }
    }
    std::erase_if(cover, [](const MultiCube& c) { return c.out.none(); });
}

namespace {

// The fewest literals of c that keep it off every off-set cube of the outputs in `outs`
// (greedily: the literal keeping it off the most cubes not yet kept off, then any literal the
// others make spare dropped): the widest cube containing c that those outputs can take, as
// espresso finds it from its blocking matrix. Nothing where an output keeps no off-set cubes.
// `rows` and `open` are scratch, kept by the caller from one product to the next.
std::optional<Cube> WidestWithin(const MultiProblem& p, const Cube& c, const Outputs& outs,
                                 int64_t& units, std::vector<uint32_t>& rows,
                                 std::vector<uint32_t>& open) {
    rows.clear();
    for (int j = 0; j < p.OutputCount(); ++j) {
        if (!outs.test(j)) continue;
        if (!p.HasOffCubes(j)) return std::nullopt;
        const std::vector<Cube>& off = p.OffCubes(j);
        units += static_cast<int64_t>(off.size());
        for (const Cube& o : off) {
            const uint32_t blocking = c.mask & o.mask & (c.val ^ o.val);
            if (!blocking) return std::nullopt;  // c is no implicant of j
            rows.push_back(blocking);
        }
    }
    units += static_cast<int64_t>(rows.size()) * 4;
    uint32_t kept = 0;
    open.assign(rows.begin(), rows.end());  // the rows no kept literal blocks yet
    while (!open.empty()) {
        // Counted a literal at a time over every row: a loop the compiler runs on several
        // rows at once, where a count per set bit would wait on its own last increment.
        uint32_t present = 0;
        for (uint32_t r : open) present |= r;
        std::array<int, 32> count{};
        for (uint32_t m = present; m; m &= m - 1) {
            const int v = std::countr_zero(m);
            int n = 0;
            for (uint32_t r : open) n += static_cast<int>(r >> v & 1);
            count[v] = n;
        }
        int best = -1;
        for (int v = 0; v < 32; ++v)
            if (count[v] > 0 && (best < 0 || count[v] > count[best])) best = v;
        kept |= 1u << best;
        std::size_t left = 0;
        for (uint32_t r : open) {
            open[left] = r;
            left += (r >> best & 1) ^ 1;
        }
        open.resize(left);
        units += static_cast<int64_t>(rows.size());
    }
    for (uint32_t m = kept; m; m &= m - 1) {
        const uint32_t without = kept & ~(m & -m);
        if (std::all_of(rows.begin(), rows.end(), [&](uint32_t r) { return (r & without) != 0; }))
            kept = without;
    }
    return Cube{kept, c.val & kept};
}

}  // namespace

void MultiMakeSparse(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work) {
    for (;;) {
        if (work.Halted()) return;
        const CoverCost before = CostOf(cover);
        DropSpareOutputs(p, cover, work);
        // Each product in turn shrinks to what it alone covers, then grows back to the widest
        // cube its outputs allow; the cover stays a cover at every step.
        Counts count(p, cover, work);
        std::vector<char> gone(cover.size(), 0);
        std::vector<int> changed;
        ImplicantMemo memo(p);
        std::vector<uint32_t> rows, open;
        for (int idx : ByLiterals(cover, false)) {
            if (work.Over()) break;
            MultiCube& c = cover[idx];
            int64_t units = 1;
            Outputs kept;
            Cube best = c.in;
            if (const auto smaller = AloneOfAll(p, count, c, kept)) {
                if (const auto widest = WidestWithin(p, *smaller, c.out, units, rows, open);
                    widest && widest->Literals() < best.Literals())
                    best = *widest;
            }
            std::vector<int> near;
            memo.Clear();
            const Cube raised = RaiseLiterals(memo, cover, near, c.in, c.out, units);
            if (raised.Literals() < best.Literals()) best = raised;
            work.Spend(units);
            if (best == c.in) continue;
            count.Remove(c.in, c.out);
            count.Add(best, c.out);
            c.in = best;
            changed.push_back(idx);
        }
        // A product grown over another that feeds no other output makes it spare. Only where
        // a product changed can one hold another now, and each such scan is paid for.
        const auto holds = [&](std::size_t i, std::size_t j) {
            return cover[i].in.Contains(cover[j].in) && (cover[j].out & ~cover[i].out).none();
        };
        for (int k : changed) {
            if (!work.Spend(2 * static_cast<int64_t>(cover.size()))) break;
            const auto i = static_cast<std::size_t>(k);
            for (std::size_t j = 0; j < cover.size() && !gone[i]; ++j) {
                if (j == i || gone[j]) continue;
                if (holds(i, j))
                    gone[j] = 1;
                else if (holds(j, i))
                    gone[i] = 1;
            }
        }
        Compact(cover, gone);
        if (!(CostOf(cover) < before) || work.Over()) return;
    }
}

}  // namespace mwcore
