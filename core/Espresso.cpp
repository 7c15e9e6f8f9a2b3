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

// Up to this many cubes, expansion weighs every other cube anew at every step.
constexpr std::size_t kExactScoring = 1024;

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

// Raises literals of cover[idx] one at a time; each step prefers the literal that lets the cube
// swallow the most other cubes, then the one that moves it towards the most cubes.
Cube ExpandOne(const Problem& p, const std::vector<Cube>& cover, const std::vector<char>& gone,
               int idx) {
    Cube c = cover[idx];
    uint32_t open = c.mask;
    for (uint32_t m = open; m; m &= m - 1) {
        const int v = std::countr_zero(m);
        if (p.off.Intersects(c.Without(v))) open &= ~(1u << v);
    }
    // A cube needing a literal that cannot be raised never becomes reachable (the literal
    // stays): in a large cover such cubes only break ties, counted once, and the reachable
    // ones are weighed anew at every step, so a step costs their number rather than the
    // cover's.
    const bool large = cover.size() > kExactScoring;
    std::array<int, 32> far{};
    std::vector<int> near;
    for (std::size_t j = 0; j < cover.size(); ++j) {
        if (gone[j] || static_cast<int>(j) == idx) continue;
        const uint32_t r = c.RaiseToContain(cover[j]);
        if (!r) continue;
        if (!large || (r & ~open) == 0)
            near.push_back(static_cast<int>(j));
        else
            for (uint32_t m = r & open; m; m &= m - 1) ++far[std::countr_zero(m)];
    }
    while (open) {
        std::array<int, 32> score = far;
        for (int j : near) {
            const uint32_t r = c.RaiseToContain(cover[j]);
            if (!r) continue;
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
        if (!p.off.Intersects(raised)) c = raised;
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
        // Each cube costs a pass over the cover and a test of every literal against the off-set.
        if (!work.Spend(static_cast<int64_t>(cover.size()) + CubeWords(cover[idx], p.vars) * cover[idx].Literals()))
            break;
        const Cube c = ExpandOne(p, cover, gone, idx);
        cover[idx] = c;
        for (std::size_t j = 0; j < cover.size(); ++j)
            if (!gone[j] && static_cast<int>(j) != idx && c.Contains(cover[j])) gone[j] = 1;
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

void Reduce(const Problem& p, std::vector<Cube>& cover, Work* work) {
    CoverCounter count(p.vars, static_cast<int>(cover.size()));
    for (const Cube& c : cover) count.Add(c);
    TruthTable once(p.vars);
    std::vector<char> gone(cover.size(), 0);
    for (int idx : ByLiterals(cover, true)) {
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
