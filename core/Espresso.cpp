#include "core/Espresso.h"

#include <algorithm>
#include <array>
#include <numeric>

#include <chrono>

#include "core/CoverCounter.h"
#include "core/CoveringRows.h"
#include "core/Invariant.h"
#include "core/Mincov.h"
#include "core/Verify.h"

namespace mwcore {

namespace {

constexpr uint64_t kExactIrredundantRows = 20000;
// The exact choice of a redundant subset gets this much work, then the greedy one decides.
constexpr int64_t kIrredundantWork = 2000000;

// Words of the table a cube spans: what a containment test of it costs.
int64_t CubeWords(const Cube& c, int vars) {
    const int free = vars - c.Literals();
    return free > 6 ? int64_t{1} << (free - 6) : 1;
}

// Larger cubes first: they are the likeliest to swallow others when expanded.
std::vector<int> ByLiterals(const std::vector<Cube>& cover, bool fewestFirst) {
    std::vector<int> order(cover.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return fewestFirst ? cover[a].Literals() < cover[b].Literals()
                           : cover[a].Literals() > cover[b].Literals();
    });
    return order;
}

void Compact(std::vector<Cube>& cover, const std::vector<char>& gone) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < cover.size(); ++i)
        if (!gone[i]) cover[k++] = cover[i];
    cover.resize(k);
}

// Raises literals of cover[idx] in two phases, as espresso's expansion does. First, while
// some other cube can be swallowed whole without meeting the off-set, the cube grows to
// swallow one: of the few that need the fewest raised literals, the one whose growth
// swallows the most others. Then, to end on a prime of few literals, each step raises the
// literal that leaves the most other literals still raisable. `spent` counts off-set tests.
Cube ExpandOne(const Problem& p, const std::vector<Cube>& cover, const std::vector<char>& gone,
               int idx, int64_t& spent) {
    Cube c = cover[idx];
    const int64_t test = CubeWords(c, p.vars);
    uint32_t open = 0;  // literals that can go one at a time
    const auto prune = [&] {
        open = 0;
        for (uint32_t m = c.mask; m; m &= m - 1) {
            const int v = std::countr_zero(m);
            spent += test;
            if (!p.off.Intersects(c.Without(v))) open |= 1u << v;
        }
    };
    prune();
    std::vector<int> near;  // cubes that every needed literal of may go
    for (std::size_t j = 0; j < cover.size(); ++j) {
        if (gone[j] || static_cast<int>(j) == idx) continue;
        const uint32_t r = c.RaiseToContain(cover[j]);
        if (r && (r & ~open) == 0) near.push_back(static_cast<int>(j));
    }
    spent += static_cast<int64_t>(cover.size() / 8);
    constexpr int kTried = 6;
    while (open && !near.empty()) {
        std::erase_if(near, [&](int j) {
            const uint32_t r = c.RaiseToContain(cover[j]);
            return r == 0 || (r & ~open) != 0;
        });
        std::stable_sort(near.begin(), near.end(), [&](int a, int b) {
            return std::popcount(c.RaiseToContain(cover[a])) < std::popcount(c.RaiseToContain(cover[b]));
        });
        Cube best = c;
        int bestCount = -1, tried = 0;
        for (std::size_t k = 0; k < near.size() && tried < kTried; ++k) {
            const Cube grown = Cube::Supercube(c, cover[near[k]]);
            spent += CubeWords(grown, p.vars);
            if (p.off.Intersects(grown)) continue;
            ++tried;
            int count = 0;
            for (int j : near) count += grown.Contains(cover[j]);
            spent += static_cast<int64_t>(near.size() / 16);
            if (count > bestCount) {
                bestCount = count;
                best = grown;
            }
        }
        if (bestCount < 0) break;  // none can be swallowed whole
        c = best;
        prune();
    }
    while (open) {
        int pick = -1, pickLeft = -1;
        for (uint32_t m = open; m; m &= m - 1) {
            const int v = std::countr_zero(m);
            const Cube raised = c.Without(v);
            int left = 0;
            for (uint32_t o = open & ~(1u << v); o; o &= o - 1) {
                spent += test;
                left += !p.off.Intersects(raised.Without(std::countr_zero(o)));
            }
            if (left > pickLeft) {
                pick = v;
                pickLeft = left;
            }
        }
        c = c.Without(pick);
        prune();
    }
    return c;
}

}  // namespace

void Expand(const Problem& p, std::vector<Cube>& cover, Deadline until) {
    Guard guard(until);
    Work work(Work::kUnlimited, &guard);
    Expand(p, cover, work);
}

void Expand(const Problem& p, std::vector<Cube>& cover, Work& work) {
    std::vector<char> gone(cover.size(), 0);
    for (int idx : ByLiterals(cover, true)) {
        if (gone[idx]) continue;
        int64_t spent = 1;
        const Cube c = ExpandOne(p, cover, gone, idx, spent);
        cover[idx] = c;
        for (std::size_t j = 0; j < cover.size(); ++j)
            if (!gone[j] && static_cast<int>(j) != idx && c.Contains(cover[j])) gone[j] = 1;
        if (!work.Spend(spent)) break;
    }
    Compact(cover, gone);
}

namespace {

// Greedy fallback: the smallest cubes are tried for removal first, dropping them saves the
// most literals.
void GreedyIrredundant(const Problem& p, std::vector<Cube>& cover, CoverCounter& count,
                       std::vector<char>& gone) {
    for (int idx : ByLiterals(cover, false)) {
        if (gone[idx]) continue;
        if (!count.HoldsOnceSomewhere(cover[idx], p.on)) {
            count.Remove(cover[idx]);
            gone[idx] = 1;
        }
    }
}

}  // namespace

// Cubes that alone hold some on minterm stay; among the others the cheapest subset that
// covers what they must is chosen exactly when the problem is small, greedily otherwise.
void Irredundant(const Problem& p, std::vector<Cube>& cover, Work* outer) {
    CoverCounter count(p.vars, static_cast<int>(cover.size()));
    for (const Cube& c : cover) count.Add(c);
    std::vector<char> gone(cover.size(), 0);
    std::vector<int> optional;
    TruthTable need = p.on;
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (count.HoldsOnceSomewhere(cover[i], p.on))
            ForEachCubeWord(cover[i], p.vars, [&](std::size_t w, uint64_t m) { need.Words()[w] &= ~m; });
        else
            optional.push_back(static_cast<int>(i));
    }
    if (optional.empty()) return;
    if (need.Count() <= kExactIrredundantRows) {
        std::vector<Cube> cubes;
        std::vector<int64_t> cost;
        for (int i : optional) {
            cubes.push_back(cover[i]);
            cost.push_back(CostOfCube(cover[i]));
        }
        Work work = outer ? outer->Part(kIrredundantWork) : Work(kIrredundantWork);
        try {
            Mincov solver(cost, work);
            int64_t all = 0;
            for (int64_t c : cost) all += c;
            if (auto keep = solver.Solve(CoveringRows(need, cubes), all + 1)) {
                std::vector<char> kept(optional.size(), 0);
                for (int k : *keep) kept[k] = 1;
                for (std::size_t k = 0; k < optional.size(); ++k)
                    if (!kept[k]) gone[optional[k]] = 1;
                Compact(cover, gone);
                if (outer) outer->Absorb(work);
                return;
            }
        } catch (const CoveringTimeout&) {
        }
        if (outer) outer->Absorb(work);
    }
    GreedyIrredundant(p, cover, count, gone);
    Compact(cover, gone);
}

// Smallest cubes first: what they give up, the large ones may then take in other directions.
void Reduce(const Problem& p, std::vector<Cube>& cover, Work* work) {
    CoverCounter count(p.vars, static_cast<int>(cover.size()));
    for (const Cube& c : cover) count.Add(c);
    TruthTable once(p.vars);
    std::vector<char> gone(cover.size(), 0);
    for (int idx : ByLiterals(cover, false)) {
        if (work) work->Spend(CubeWords(cover[idx], p.vars) * 4);
        count.HeldOnce(cover[idx], p.on, once);
        Cube smaller;
        if (!once.SupercubeWithin(cover[idx], smaller)) {
            count.Remove(cover[idx]);
            gone[idx] = 1;
        } else if (!(smaller == cover[idx])) {
            count.Remove(cover[idx]);
            count.Add(smaller);
            cover[idx] = smaller;
        }
    }
    Compact(cover, gone);
}

namespace {

// Every cube reduced against all the others left as they are, then the reduced cubes expanded
// among themselves: a new prime that swallows two of them may replace two old ones.
bool LastGasp(const Problem& p, std::vector<Cube>& cover, Work& work) {
    CoverCounter count(p.vars, static_cast<int>(cover.size()));
    for (const Cube& c : cover) count.Add(c);
    TruthTable once(p.vars);
    std::vector<Cube> reduced;
    for (const Cube& c : cover) {
        work.Spend(CubeWords(c, p.vars) * 4);
        count.HeldOnce(c, p.on, once);
        Cube smaller;
        if (once.SupercubeWithin(c, smaller) && !(smaller == c)) reduced.push_back(smaller);
    }
    if (reduced.size() < 2) return false;
    const std::size_t before = reduced.size();
    Expand(p, reduced, work);
    if (reduced.size() == before) return false;
    // Old cubes first: irredundant tries them for removal before the new primes.
    std::vector<Cube> trial = cover;
    for (const Cube& c : reduced)
        if (std::find(trial.begin(), trial.end(), c) == trial.end()) trial.push_back(c);
    Irredundant(p, trial, &work);
    if (CostOf(trial) < CostOf(cover)) {
        cover = std::move(trial);
        return true;
    }
    return false;
}

}  // namespace

std::vector<Cube> Espresso(const Problem& p, std::vector<Cube> start, Deadline until) {
    Guard guard(until);
    Work work(Work::kUnlimited, &guard);
    return Espresso(p, std::move(start), work);
}

std::vector<Cube> Espresso(const Problem& p, std::vector<Cube> start, Work& work) {
    const auto late = [&] { return work.Over(); };
    std::vector<Cube> best = start;
    std::vector<Cube> f = std::move(start);
    const auto keepBetter = [&] {
        if (CostOf(f) < CostOf(best)) best = f;
        return best;
    };
    Expand(p, f, work);
    Irredundant(p, f, &work);
    for (;;) {
        if (late()) return keepBetter();
        CoverCost before = CostOf(f);
        for (;;) {
            Reduce(p, f, &work);
            MW_INVARIANT(CoverImplements(p, f));
            Expand(p, f, work);
            MW_INVARIANT(CoverImplements(p, f));
            Irredundant(p, f, &work);
            MW_INVARIANT(CoverImplements(p, f));
            if (late()) return keepBetter();
            const CoverCost now = CostOf(f);
            if (!(now < before)) break;
            before = now;
        }
        if (CostOf(f) < CostOf(best)) best = f;
        // Only a gain over the best cover so far earns another round, so this ends.
        if (!LastGasp(p, f, work) || !(CostOf(f) < CostOf(best))) break;
        MW_INVARIANT(CoverImplements(p, f));
        best = f;
    }
    return best;
}

}  // namespace mwcore
