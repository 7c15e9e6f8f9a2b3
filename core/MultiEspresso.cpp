#include "core/MultiEspresso.h"

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>

#include "core/CoverCounter.h"
#include "core/CoveringRows.h"
#include "core/Mincov.h"

namespace mwcore {

namespace {

constexpr std::size_t kExactIrredundantRows = 20000;

// Products tried for a merge with the one being expanded, nearest first.
constexpr std::size_t kMergeCandidates = 64;

std::vector<int> Members(const Outputs& o, int outputs) {
    std::vector<int> list;
    for (int j = 0; j < outputs; ++j)
        if (o.test(j)) list.push_back(j);
    return list;
}

std::vector<int> ByLiterals(const std::vector<MultiCube>& cover, bool fewestFirst) {
    std::vector<int> order(cover.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return fewestFirst ? cover[a].in.Literals() < cover[b].in.Literals()
                           : cover[a].in.Literals() > cover[b].in.Literals();
    });
    return order;
}

void Compact(std::vector<MultiCube>& cover, const std::vector<char>& gone) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < cover.size(); ++i)
        if (!gone[i]) cover[k++] = cover[i];
    cover.resize(k);
}

// Per output, how many products feeding it hold each point.
class Counts {
public:
    Counts(const MultiProblem& p, const std::vector<MultiCube>& cover) : vars_(p.Vars()) {
        std::vector<int> feeding(p.OutputCount(), 0);
        for (const MultiCube& c : cover)
            for (int j = 0; j < p.OutputCount(); ++j) feeding[j] += c.out.test(j);
        for (int j = 0; j < p.OutputCount(); ++j) counters_.emplace_back(vars_, feeding[j]);
        for (const MultiCube& c : cover) Add(c.in, c.out);
    }
    void Add(const Cube& c, const Outputs& o) {
        for (std::size_t j = 0; j < counters_.size(); ++j)
            if (o.test(j)) counters_[j].Add(c);
    }
    void Remove(const Cube& c, const Outputs& o) {
        for (std::size_t j = 0; j < counters_.size(); ++j)
            if (o.test(j)) counters_[j].Remove(c);
    }
    CoverCounter& operator[](int j) { return counters_[j]; }

private:
    int vars_;
    std::vector<CoverCounter> counters_;
};

bool Fits(const MultiProblem& p, const Cube& c, const std::vector<int>& outputs) {
    for (int j : outputs)
        if (!p.Implicant(c, j)) return false;
    return true;
}

bool FitsAll(const MultiProblem& p, const Cube& c, const Outputs& o) {
    for (int j = 0; j < p.OutputCount(); ++j)
        if (o.test(j) && !p.Implicant(c, j)) return false;
    return true;
}

// How many of `near` the product (c, o) would swallow.
int Swallowed(const std::vector<MultiCube>& cover, const std::vector<int>& near, const Cube& c, const Outputs& o) {
    int n = 0;
    for (int j : near) n += c.Contains(cover[j].in) && (cover[j].out & ~o).none();
    return n;
}

// Grows cover[idx] as espresso does in its multiple-valued form: first it merges with the
// product that makes it swallow the most others (the supercube of inputs and the union of
// outputs, where every output can take it), as long as some merge fits; then it raises its
// remaining inputs one at a time while it fits every output it feeds, preferring the literal
// that moves it towards the most products; last it feeds every output that can take it.
MultiCube ExpandOne(const MultiProblem& p, const std::vector<MultiCube>& cover,
                    const std::vector<char>& gone, int idx) {
    Cube c = cover[idx].in;
    Outputs outs = cover[idx].out;
    std::vector<int> near;
    for (std::size_t j = 0; j < cover.size(); ++j)
        if (!gone[j] && static_cast<int>(j) != idx) near.push_back(static_cast<int>(j));
    // The nearest products first; only so many are tried for a merge at each step.
    std::stable_sort(near.begin(), near.end(), [&](int a, int b) {
        return std::popcount(c.RaiseToContain(cover[a].in)) < std::popcount(c.RaiseToContain(cover[b].in));
    });
    if (near.size() > kMergeCandidates) near.resize(kMergeCandidates);
    for (;;) {
        int best = -1, bestCount = 0, bestRaise = 99;
        MultiCube bestCube;
        for (int j : near) {
            const Cube in = Cube::Supercube(c, cover[j].in);
            const Outputs o = outs | cover[j].out;
            if (in == c && o == outs) continue;  // already swallowed
            const int raise = std::popcount(c.mask & ~in.mask);
            const int count = Swallowed(cover, near, in, o);
            if (count < bestCount || (count == bestCount && raise >= bestRaise)) continue;
            if (!FitsAll(p, in, o)) continue;
            best = j;
            bestCount = count;
            bestRaise = raise;
            bestCube = {in, o};
        }
        if (best < 0) break;
        c = bestCube.in;
        outs = bestCube.out;
    }
    const std::vector<int> feeds = Members(outs, p.OutputCount());
    uint32_t open = 0;
    for (uint32_t m = c.mask; m; m &= m - 1) {
        const int v = std::countr_zero(m);
        if (Fits(p, c.Without(v), feeds)) open |= 1u << v;
    }
    while (open) {
        std::array<int, 32> score{};
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
        if (Fits(p, raised, feeds)) c = raised;
    }
    return {c, outs | p.UsefulOutputs(c)};
}

}  // namespace

void MultiExpand(const MultiProblem& p, std::vector<MultiCube>& cover, Deadline until) {
    std::vector<char> gone(cover.size(), 0);
    int done = 0;
    for (int idx : ByLiterals(cover, true)) {
        if (gone[idx]) continue;
        if (++done % 8 == 0 && std::chrono::steady_clock::now() > until) break;
        const MultiCube c = ExpandOne(p, cover, gone, idx);
        cover[idx] = c;
        for (std::size_t j = 0; j < cover.size(); ++j)
            if (!gone[j] && static_cast<int>(j) != idx && c.in.Contains(cover[j].in) &&
                (cover[j].out & ~c.out).none())
                gone[j] = 1;
    }
    Compact(cover, gone);
}

// Products that alone hold some on point of an output they feed stay; among the others the
// fewest that cover what they must are chosen by the covering search where the rows are few,
// greedily otherwise (the smallest products are tried for removal first).
void MultiIrredundant(const MultiProblem& p, std::vector<MultiCube>& cover) {
    Counts count(p, cover);
    std::vector<char> gone(cover.size(), 0);
    std::vector<int> optional;
    std::vector<char> essential(cover.size(), 0);
    for (std::size_t i = 0; i < cover.size(); ++i) {
        for (int j = 0; j < p.OutputCount() && !essential[i]; ++j)
            essential[i] = cover[i].out.test(j) && count[j].HoldsOnceSomewhere(cover[i].in, p.On(j));
        if (!essential[i]) optional.push_back(static_cast<int>(i));
    }
    if (optional.empty()) return;
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
        for (const Cube& c : cubes) need.Paint(c);
        need &= p.On(j);
        for (std::size_t i = 0; i < cover.size(); ++i)
            if (essential[i] && cover[i].out.test(j))
                ForEachCubeWord(cover[i].in, p.Vars(), [&](std::size_t w, uint64_t m) { need.Words()[w] &= ~m; });
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
        try {
            DropDominatedRows(rows);
            Mincov solver(cost, std::chrono::steady_clock::now() + std::chrono::milliseconds(20));
            if (auto keep = solver.Solve(rows, all + 1)) {
                std::vector<char> kept(optional.size(), 0);
                for (int k : *keep) kept[k] = 1;
                for (std::size_t k = 0; k < optional.size(); ++k)
                    if (!kept[k]) gone[optional[k]] = 1;
                Compact(cover, gone);
                return;
            }
        } catch (const CoveringTimeout&) {
        }
    }
    for (int idx : ByLiterals(cover, false)) {
        if (essential[idx]) continue;
        const MultiCube& c = cover[idx];
        bool needed = false;
        for (int j = 0; j < p.OutputCount() && !needed; ++j)
            needed = c.out.test(j) && count[j].HoldsOnceSomewhere(c.in, p.On(j));
        if (!needed) {
            count.Remove(c.in, c.out);
            gone[idx] = 1;
        }
    }
    Compact(cover, gone);
}

void MultiReduce(const MultiProblem& p, std::vector<MultiCube>& cover) {
    Counts count(p, cover);
    TruthTable once(p.Vars()), alone(p.Vars());
    std::vector<char> gone(cover.size(), 0);
    for (int idx : ByLiterals(cover, true)) {
        MultiCube& c = cover[idx];
        uint64_t* a = alone.Words();
        const uint64_t* o = once.Words();
        ForEachCubeWord(c.in, p.Vars(), [&](std::size_t w, uint64_t) { a[w] = 0; });
        for (int j = 0; j < p.OutputCount(); ++j) {
            if (!c.out.test(j)) continue;
            count[j].HeldOnce(c.in, p.On(j), once);
            uint64_t any = 0;
            ForEachCubeWord(c.in, p.Vars(), [&](std::size_t w, uint64_t) {
                a[w] |= o[w];
                any |= o[w];
            });
            if (!any) {
                count[j].Remove(c.in);
                c.out.reset(j);
            }
        }
        Cube smaller;
        if (c.out.none() || !alone.SupercubeWithin(c.in, smaller)) {
            count.Remove(c.in, c.out);
            gone[idx] = 1;
        } else if (!(smaller == c.in)) {
            count.Remove(c.in, c.out);
            count.Add(smaller, c.out);
            c.in = smaller;
        }
    }
    Compact(cover, gone);
}

std::vector<Cube> GaspCandidates(const MultiProblem& p, const std::vector<MultiCube>& cover, Deadline until) {
    Counts count(p, cover);
    TruthTable once(p.Vars()), alone(p.Vars());
    std::vector<MultiCube> reduced;
    for (const MultiCube& c : cover) {
        uint64_t* a = alone.Words();
        const uint64_t* o = once.Words();
        ForEachCubeWord(c.in, p.Vars(), [&](std::size_t w, uint64_t) { a[w] = 0; });
        Outputs kept;
        for (int j = 0; j < p.OutputCount(); ++j) {
            if (!c.out.test(j)) continue;
            count[j].HeldOnce(c.in, p.On(j), once);
            uint64_t any = 0;
            ForEachCubeWord(c.in, p.Vars(), [&](std::size_t w, uint64_t) {
                a[w] |= o[w];
                any |= o[w];
            });
            if (any) kept.set(j);
        }
        Cube smaller;
        if (kept.any() && alone.SupercubeWithin(c.in, smaller) && !(smaller == c.in && kept == c.out))
            reduced.push_back({smaller, kept});
    }
    MultiExpand(p, reduced, until);
    std::vector<Cube> cubes;
    for (const MultiCube& c : reduced) cubes.push_back(c.in);
    return cubes;
}

void DropSpareOutputs(const MultiProblem& p, std::vector<MultiCube>& cover) {
    Counts count(p, cover);
    for (int idx : ByLiterals(cover, false)) {
        MultiCube& c = cover[idx];
        for (int j = 0; j < p.OutputCount(); ++j)
            if (c.out.test(j) && !count[j].HoldsOnceSomewhere(c.in, p.On(j))) {
                count[j].Remove(c.in);
                c.out.reset(j);
            }
    }
    std::erase_if(cover, [](const MultiCube& c) { return c.out.none(); });
}

std::vector<MultiCube> MultiEspresso(const MultiProblem& p, std::vector<MultiCube> start, Deadline until) {
    const auto late = [&] { return std::chrono::steady_clock::now() > until; };
    std::vector<MultiCube> best = start;
    std::vector<MultiCube> f = std::move(start);
    MultiExpand(p, f, until);
    MultiIrredundant(p, f);
    if (CostOf(f) < CostOf(best)) best = f;
    while (!late()) {
        MultiReduce(p, f);
        MultiExpand(p, f, until);
        MultiIrredundant(p, f);
        // Only a gain over the best cover so far earns another round, so this ends.
        if (!(CostOf(f) < CostOf(best))) break;
        best = f;
    }
    return best;
}

}  // namespace mwcore
