#include "core/MultiEspresso.h"

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
#include "core/MultiCubes.h"

namespace mwcore {

namespace {

constexpr std::size_t kExactIrredundantRows = 20000;
// What the covering search of one irredundant step may spend before the greedy choice.
constexpr int64_t kIrredundantCovering = 200000;

// Products tried for a merge with the one being expanded, nearest first.
constexpr std::size_t kMergeCandidates = 32;

std::vector<int> Members(const Outputs& o, int outputs) {
    std::vector<int> list;
    for (int j = 0; j < outputs; ++j)
        if (o.test(j)) list.push_back(j);
    return list;
}

// Which on points of an output a product alone holds among the products feeding it: per output
// a count of the products holding each point, or where tables are large (CubesOnly), the
// products themselves, asked by cofactor and tautology against them and the output's not-on
// cubes.
class Counts {
  public:
    Counts(const MultiProblem& p, const std::vector<MultiCube>& cover, Work& work)
        : p_(p), work_(work), cubes_(p.CubesOnly()) {
        const int k = p.OutputCount();
        if (cubes_) {
            lists_.resize(k);
            for (const MultiCube& c : cover) Add(c.in, c.out);
            work.Spend(static_cast<int64_t>(cover.size()) + k);
            return;
        }
        int64_t units = 0;
        for (const MultiCube& c : cover)
            units += p.Span(c.in) * static_cast<int64_t>(c.out.count());
        work.Spend(units + static_cast<int64_t>(k) * p.Span(Cube{}) / 8);
        std::vector<int> feeding(k, 0);
        for (const MultiCube& c : cover)
            for (int j = 0; j < k; ++j) feeding[j] += c.out.test(j);
        for (int j = 0; j < k; ++j) counters_.emplace_back(p.Vars(), feeding[j]);
        once_ = TruthTable(p.Vars());
        for (const MultiCube& c : cover) Add(c.in, c.out);
    }
    void Add(const Cube& c, const Outputs& o) {
        for (int j = 0; j < p_.OutputCount(); ++j)
            if (o.test(j)) {
                if (cubes_)
                    lists_[j].push_back(c);
                else
                    counters_[j].Add(c);
            }
    }
    void Remove(const Cube& c, const Outputs& o) {
        for (int j = 0; j < p_.OutputCount(); ++j)
            if (o.test(j)) Remove(c, j);
    }
    void Remove(const Cube& c, int j) {
        if (!cubes_) {
            counters_[j].Remove(c);
            return;
        }
        auto& list = lists_[j];
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i] == c) {
                list[i] = list.back();
                list.pop_back();
                return;
            }
    }
    // c (one of the products feeding j) alone holds some on point of j.
    bool Needed(const Cube& c, int j) {
        if (!cubes_) {
            work_.Spend(1 + 2 * p_.Span(c));
            return counters_[j].HoldsOnceSomewhere(c, p_.On(j));
        }
        int64_t units = 0;
        const bool covered = Tautology(Others(c, j), Free(c), units);
        work_.Spend(units);
        return !covered;
    }
    // The smallest cube holding the on points of j that c alone holds; nothing when none.
    std::optional<Cube> Alone(const Cube& c, int j) {
        if (!cubes_) {
            work_.Spend(1 + 3 * p_.Span(c));
            counters_[j].HeldOnce(c, p_.On(j), once_);
            Cube part;
            if (!once_.SupercubeWithin(c, part)) return std::nullopt;
            return part;
        }
        int64_t units = 0;
        const auto part = UncoveredSupercube(Others(c, j), Free(c), units);
        work_.Spend(units);
        if (!part) return std::nullopt;
        return Cube{c.mask | part->mask, c.val | part->val};
    }

  private:
    uint32_t Free(const Cube& c) const { return ~c.mask & ((1u << p_.Vars()) - 1); }
    // Inside c: every other product feeding j and every point where j is not on.
    std::vector<Cube> Others(const Cube& c, int j) const {
        std::vector<Cube> within = Cofactor(p_.NotOnCubes(j), c);
        bool self = false;
        for (const Cube& q : lists_[j]) {
            if (!self && q == c) {
                self = true;
                continue;
            }
            if (q.Intersects(c)) within.push_back({q.mask & ~c.mask, q.val & ~c.mask});
        }
        return within;
    }

    const MultiProblem& p_;
    Work& work_;
    bool cubes_;
    std::vector<CoverCounter> counters_;
    TruthTable once_;
    std::vector<std::vector<Cube>> lists_;
};

// The smallest cube holding what c alone holds of every output it feeds; `kept` the outputs
// where it holds something. Nothing when it holds nothing alone.
std::optional<Cube> AloneOfAll(const MultiProblem& p, Counts& count, const MultiCube& c,
                               Outputs& kept) {
    std::optional<Cube> all;
    kept.reset();
    for (int j = 0; j < p.OutputCount(); ++j) {
        if (!c.out.test(j)) continue;
        const auto part = count.Alone(c.in, j);
        if (!part) continue;
        kept.set(j);
        all = all ? Cube::Supercube(*all, *part) : *part;
    }
    return all;
}

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

// Products that alone hold some on point of an output they feed stay; among the others the
// fewest that cover what they must are chosen by the covering search where the rows are few,
// greedily otherwise (the smallest products are tried for removal first).
void MultiIrredundant(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work) {
    // After Cancel no step builds its counts, which cost a pass over every product.
    if (work.Halted()) return;
    Counts count(p, cover, work);
    std::vector<char> gone(cover.size(), 0);
    std::vector<int> optional;
    std::vector<char> essential(cover.size(), 0);
    for (std::size_t i = 0; i < cover.size(); ++i) {
        // Out of work, the cover stays as it is: every product kept is still a cover.
        if (work.Over()) return;
        for (int j = 0; j < p.OutputCount() && !essential[i]; ++j)
            essential[i] = cover[i].out.test(j) && count.Needed(cover[i].in, j);
        if (!essential[i]) optional.push_back(static_cast<int>(i));
    }
    if (optional.empty() || work.Over()) return;
    std::vector<std::vector<int>> rows;
    std::size_t points = 0;
    for (int j = 0; j < p.OutputCount() && points <= kExactIrredundantRows; ++j) {
        std::vector<Cube> cubes;
        std::vector<int> ids;
        for (std::size_t k = 0; k < optional.size(); ++k)
            if (cover[optional[k]].out.test(j)) {
                cubes.push_back(cover[optional[k]].in);
                ids.push_back(static_cast<int>(k));
            }
        if (cubes.empty()) continue;
        TruthTable need(p.Vars());
        int64_t units = static_cast<int64_t>(need.WordCount());
        for (const Cube& c : cubes) {
            need.Paint(c);
            units += 2 * p.Span(c);
        }
        work.Spend(units);
        need &= p.On(j);
        for (std::size_t i = 0; i < cover.size(); ++i)
            if (essential[i] && cover[i].out.test(j))
                ForEachCubeWord(cover[i].in, p.Vars(),
                                [&](std::size_t w, uint64_t m) { need.Words()[w] &= ~m; });
        points += need.Count();
        if (points > kExactIrredundantRows) break;
        for (auto& row : CoveringRows(need, cubes)) {
            for (int& c : row) c = ids[c];
            rows.push_back(std::move(row));
        }
    }
    if (points <= kExactIrredundantRows) {
        std::vector<int64_t> cost;
        int64_t all = 0;
        for (int i : optional) {
            cost.push_back(CostOfCube(cover[i].in));
            all += cost.back();
        }
        Work covering = work.Part(kIrredundantCovering);
        try {
            DropDominatedRows(rows);
            Mincov solver(cost, covering);
            const auto keep = solver.Solve(rows, all + 1);
            work.Absorb(covering);
            if (keep) {
                std::vector<char> kept(optional.size(), 0);
                for (int k : *keep) kept[k] = 1;
                for (std::size_t k = 0; k < optional.size(); ++k)
                    if (!kept[k]) gone[optional[k]] = 1;
                Compact(cover, gone);
                return;
            }
        } catch (const CoveringTimeout&) {
            work.Absorb(covering);
        }
    }
    for (int idx : ByLiterals(cover, false)) {
        if (work.Over()) break;
        if (essential[idx]) continue;
        const MultiCube& c = cover[idx];
        bool needed = false;
        for (int j = 0; j < p.OutputCount() && !needed; ++j)
            needed = c.out.test(j) && count.Needed(c.in, j);
        if (!needed) {
            count.Remove(c.in, c.out);
            gone[idx] = 1;
        }
    }
    Compact(cover, gone);
}

void MultiReduce(const MultiProblem& p, std::vector<MultiCube>& cover, Work& work) {
    if (work.Halted()) return;
    Counts count(p, cover, work);
    std::vector<char> gone(cover.size(), 0);
    const std::vector<int> order = ByLiterals(cover, true);
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (work.HaltedAt(k)) break;  // every product reduced so far leaves a cover
        MultiCube& c = cover[order[k]];
        const int idx = order[k];
        Outputs kept;
        const auto smaller = AloneOfAll(p, count, c, kept);
        for (int j = 0; j < p.OutputCount(); ++j)
            if (c.out.test(j) && !kept.test(j)) count.Remove(c.in, j);
        c.out = kept;
        if (!smaller) {
            gone[idx] = 1;
        } else if (!(*smaller == c.in)) {
            count.Remove(c.in, c.out);
            count.Add(*smaller, c.out);
            c.in = *smaller;
        }
    }
    Compact(cover, gone);
}

std::vector<Cube> GaspCandidates(const MultiProblem& p, const std::vector<MultiCube>& cover,
                                 Work& work) {
    if (work.Halted()) return {};
    Counts count(p, cover, work);
    std::vector<MultiCube> reduced;
    for (const MultiCube& c : cover) {
        if (work.Over()) break;
        Outputs kept;
        const auto smaller = AloneOfAll(p, count, c, kept);
        if (smaller && !(*smaller == c.in && kept == c.out)) reduced.push_back({*smaller, kept});
    }
    MultiExpand(p, reduced, work);
    std::vector<Cube> cubes;
    for (const MultiCube& c : reduced) cubes.push_back(c.in);
    return cubes;
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

std::vector<MultiCube> MultiEspresso(const MultiProblem& p, std::vector<MultiCube> start,
                                     Work& work, bool outputsFirst) {
    std::vector<MultiCube> best = start;
    std::vector<MultiCube> f = std::move(start);
    MultiExpand(p, f, work, outputsFirst);
    MultiIrredundant(p, f, work);
    if (CostOf(f) < CostOf(best)) best = f;
    while (!work.Over()) {
        MultiReduce(p, f, work);
        MultiExpand(p, f, work, outputsFirst);
        MultiIrredundant(p, f, work);
        // Only a gain over the best cover so far earns another round, so this ends.
        if (!(CostOf(f) < CostOf(best))) break;
        best = f;
    }
    return best;
}

std::vector<MultiCube> MultiEspresso(const MultiProblem& p, std::vector<MultiCube> start) {
    Work unlimited;
    return MultiEspresso(p, std::move(start), unlimited);
}

}  // namespace mwcore
