#include "core/Espresso.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <numeric>
#include <random>

#include "core/CoverCounter.h"
#include "core/CoveringRows.h"
#include "core/Helpers.h"
#include "core/Invariant.h"
#include "core/Mincov.h"
#include "core/Raise.h"
#include "core/Verify.h"

namespace mwcore {

namespace {

constexpr uint64_t kExactIrredundantRows = 20000;
// The exact choice of a redundant subset gets this much work, then the greedy one decides.
constexpr int64_t kIrredundantWork = 2000000;

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
void Irredundant(const Problem& p, std::vector<Cube>& cover, Work& outer) {
    // Stopped by Cancel, the cover stays as it is: it is still a cover.
    CoverCounter count(p.vars, static_cast<int>(cover.size()));
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (outer.HaltedAt(i)) return;
        count.Add(cover[i]);
    }
    std::vector<char> gone(cover.size(), 0);
    std::vector<int> optional;
    TruthTable need = p.on;
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (outer.HaltedAt(i)) return;
        if (count.HoldsOnceSomewhere(cover[i], p.on))
            ForEachCubeWord(cover[i], p.vars,
                            [&](std::size_t w, uint64_t m) { need.Words()[w] &= ~m; });
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
        Work work = outer.Part(kIrredundantWork);
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
                outer.Absorb(work);
                return;
            }
        } catch (const CoveringTimeout&) {
        }
        outer.Absorb(work);
    }
    GreedyIrredundant(p, cover, count, gone);
    Compact(cover, gone);
}

namespace {

// Espresso's other order of reduction: the largest cube first, then the cubes nearest to it,
// larger before smaller at equal distance.
std::vector<int> NearLargestOrder(const std::vector<Cube>& cover, int vars) {
    std::vector<int> order(cover.size());
    std::iota(order.begin(), order.end(), 0);
    if (cover.empty()) return order;
    const Cube largest =
        *std::min_element(cover.begin(), cover.end(),
                          [](const Cube& a, const Cube& b) { return a.Literals() < b.Literals(); });
    std::vector<int> key(cover.size());
    for (std::size_t i = 0; i < cover.size(); ++i) {
        const int distance =
            std::popcount((largest.val ^ cover[i].val) & largest.mask & cover[i].mask);
        key[i] = ((vars - distance) << 7) + (2 * vars - cover[i].Literals());
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key[a] > key[b]; });
    return order;
}

}  // namespace

void Reduce(const Problem& p, std::vector<Cube>& cover, Work& work, ReduceOrder order) {
    if (work.Halted()) return;
    CoverCounter count(p.vars, static_cast<int>(cover.size()));
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (work.HaltedAt(i)) return;
        count.Add(cover[i]);
    }
    TruthTable once(p.vars);
    std::vector<char> gone(cover.size(), 0);
    const std::vector<int> sequence =
        order == ReduceOrder::NearLargest ? NearLargestOrder(cover, p.vars)
        : order == ReduceOrder::Heaviest  ? MiniOrder(cover, p.vars, false)
                                          : ByLiterals(cover, false);
    for (std::size_t k = 0; k < sequence.size(); ++k) {
        // Every cube reduced so far leaves a cover; Cancel keeps it.
        if (work.HaltedAt(k)) break;
        const int idx = sequence[k];
        work.Spend(CubeWords(cover[idx], p.vars) * 4);
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

// Espresso's last gasp: every cube reduced against all the others left as they are. A reduced
// cube c1 that can grow to hold, besides what only it holds, what another reduced cube c2
// would alone hold once c1 is gone, gives a cube that replaces both; those cubes, grown to
// primes, join the cover, and irredundant chooses.
bool LastGasp(const Problem& p, std::vector<Cube>& cover, Work& work) {
    if (work.Halted()) return false;
    CoverCounter count(p.vars, static_cast<int>(cover.size()));
    for (const Cube& c : cover) count.Add(c);
    TruthTable once(p.vars);
    std::vector<int> which;  // the cubes that reduce
    std::vector<Cube> reduced;
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (work.HaltedAt(i)) return false;
        work.Spend(CubeWords(cover[i], p.vars) * 4);
        count.HeldOnce(cover[i], p.on, once);
        Cube smaller;
        if (once.SupercubeWithin(cover[i], smaller) && !(smaller == cover[i])) {
            which.push_back(static_cast<int>(i));
            reduced.push_back(smaller);
        }
    }
    if (reduced.size() < 2) return false;
    std::vector<Cube> fresh;
    for (std::size_t i = 0; i < reduced.size(); ++i) {
        int64_t spent = 1;
        Cube c = reduced[i];
        uint32_t free = RaisableAlone(p, c, c.mask, spent);
        RaiseUnopposed(p, c, free, spent);
        for (std::size_t j = 0; j < reduced.size(); ++j) {
            if (j == i || (c.RaiseToContain(reduced[j]) & ~free) != 0) continue;
            const Cube both = Cube::Supercube(c, reduced[j]);
            spent += CubeWords(both, p.vars);
            if (p.off.Intersects(both)) continue;
            const Cube& c2 = cover[which[j]];
            spent += CubeWords(c2, p.vars) * 2;
            count.HeldOnlyWith(c2, cover[which[i]], p.on, once);
            Cube needed;
            if (!once.SupercubeWithin(c2, needed)) {
                fresh.push_back(c);
                continue;
            }
            if ((c.RaiseToContain(needed) & ~free) != 0) continue;
            const Cube grown = Cube::Supercube(c, needed);
            spent += CubeWords(grown, p.vars);
            if (!p.off.Intersects(grown)) fresh.push_back(grown);
        }
        spent += static_cast<int64_t>(reduced.size() / 8);
        if (!work.Spend(spent)) return false;
    }
    if (fresh.empty()) return false;
    std::sort(fresh.begin(), fresh.end());
    fresh.erase(std::unique(fresh.begin(), fresh.end()), fresh.end());
    Expand(p, fresh, work);
    // Old cubes first: irredundant tries them for removal before the new primes.
    std::vector<Cube> trial = cover;
    std::vector<Cube> old = cover;
    std::sort(old.begin(), old.end());
    for (const Cube& c : fresh)
        if (!std::binary_search(old.begin(), old.end(), c)) trial.push_back(c);
    if (trial.size() == cover.size()) return false;
    Irredundant(p, trial, work);
    if (CostOf(trial) < CostOf(cover)) {
        cover = std::move(trial);
        return true;
    }
    return false;
}

// The on minterms of c that no other prime can hold: every neighbour across one of c's
// literals is off. A prime with such a minterm is in every cover of primes.
bool IsEssential(const Problem& p, const Cube& c) {
    const uint64_t* on = p.on.Words();
    const uint64_t* off = p.off.Words();
    return AnyCubeWord(c, p.vars, [&](std::size_t w, uint64_t m) {
        uint64_t alone = on[w] & m;
        for (uint32_t lits = c.mask; lits && alone; lits &= lits - 1) {
            const int v = std::countr_zero(lits);
            if (v >= 6) {
                alone &= off[w ^ (std::size_t{1} << (v - 6))];
            } else {
                const int s = 1 << v;
                const uint64_t x = off[w];
                alone &= ((x & kVarPattern[v]) >> s) | ((x & ~kVarPattern[v]) << s);
            }
        }
        return alone != 0;
    });
}

// Each cube replaced by the prime of fewest literals that holds what only it holds, dearest
// cubes first: the products stay, the literals can only fall. Espresso's make_sparse does this
// work for many outputs; for one, the choice among primes is where literals are saved.
void FewerLiterals(const Problem& p, std::vector<Cube>& cover, Work& work) {
    if (work.Halted()) return;
    CoverCounter count(p.vars, static_cast<int>(cover.size()));
    for (const Cube& c : cover) count.Add(c);
    TruthTable once(p.vars);
    for (int idx : ByLiterals(cover, false)) {
        int64_t spent = CubeWords(cover[idx], p.vars) * 4;
        count.HeldOnce(cover[idx], p.on, once);
        Cube needed;
        if (once.SupercubeWithin(cover[idx], needed)) {
            const Cube prime =
                LargestPrime(p, needed, RaisableAlone(p, needed, needed.mask, spent), spent);
            if (prime.Literals() < cover[idx].Literals()) {
                count.Remove(cover[idx]);
                count.Add(prime);
                cover[idx] = prime;
            }
        }
        if (!work.Spend(spent)) return;
    }
}

}  // namespace

std::vector<Cube> Espresso(const Problem& p, std::vector<Cube> start) {
    Work unlimited;
    return Espresso(p, std::move(start), unlimited);
}

std::vector<Cube> Espresso(const Problem& p, std::vector<Cube> start, Work& work) {
    std::vector<Cube> best = start;
    std::vector<Cube> f = std::move(start);
    Expand(p, f, work);
    Irredundant(p, f, work);
    if (CostOf(f) < CostOf(best)) best = f;
    if (work.Over()) return best;
    // Essential primes are set aside, their minterms free for the rest: the loop neither
    // reduces them nor spends work on them, as espresso does.
    std::vector<Cube> essential;
    TruthTable held(p.vars);
    std::erase_if(f, [&](const Cube& c) {
        work.Spend(CubeWords(c, p.vars) * c.Literals());
        if (!IsEssential(p, c)) return false;
        essential.push_back(c);
        held.Paint(c);
        return true;
    });
    TruthTable on = p.on, dc = p.dc;
    on.AndNot(held);
    held &= p.on;
    dc |= held;
    const Problem rest(on, dc);
    const auto whole = [&] {
        std::vector<Cube> all = essential;
        all.insert(all.end(), f.begin(), f.end());
        return all;
    };
    bool nearLargest = true;  // espresso alternates its two orders of reduction
    for (;;) {
        CoverCost before = CostOf(f);
        for (;;) {
            Reduce(rest, f, work, nearLargest ? ReduceOrder::NearLargest : ReduceOrder::Heaviest);
            nearLargest = !nearLargest;
            MW_INVARIANT(CoverImplements(rest, f));
            Expand(rest, f, work);
            MW_INVARIANT(CoverImplements(rest, f));
            Irredundant(rest, f, work);
            MW_INVARIANT(CoverImplements(rest, f));
            if (work.Over()) break;
            const CoverCost now = CostOf(f);
            if (!(now < before)) break;
            before = now;
        }
        std::vector<Cube> all = whole();
        if (CostOf(all) < CostOf(best)) best = std::move(all);
        if (work.Over()) break;
        // Only a gain over the best cover so far earns another round, so this ends.
        if (!LastGasp(rest, f, work)) break;
        MW_INVARIANT(CoverImplements(rest, f));
        all = whole();
        if (!(CostOf(all) < CostOf(best))) break;
        best = std::move(all);
    }
    FewerLiterals(p, best, work);
    return best;
}

std::vector<Cube> Restarted(const Problem& p, std::vector<Cube> cover, uint32_t seed, int patience,
                            int rounds, Work& work) {
    std::vector<int> perm(p.vars), back(p.vars);
    std::iota(perm.begin(), perm.end(), 0);
    std::mt19937 rng(seed);
    for (int round = 0, idle = 0; round < rounds && idle < patience && !work.Over(); ++round) {
        std::shuffle(perm.begin(), perm.end(), rng);
        for (int i = 0; i < p.vars; ++i) back[perm[i]] = i;
        work.Spend(int64_t{1} << std::max(0, p.vars - 3));
        const Problem q = Permuted(p, perm);
        std::vector<Cube> start;
        for (const Cube& c : cover) start.push_back(PermutedCube(c, perm));
        std::vector<Cube> next = Espresso(q, std::move(start), work);
        for (Cube& c : next) c = PermutedCube(c, back);
        if (CostOf(next) < CostOf(cover)) {
            cover = std::move(next);
            idle = 0;
        } else {
            ++idle;
        }
    }
    return cover;
}

}  // namespace mwcore
