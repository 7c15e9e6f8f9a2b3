#include <algorithm>
#include <array>
#include <bit>
#include <numeric>

#include "core/Espresso.h"
#include "core/Helpers.h"
#include "core/Raise.h"

namespace mwcore {

uint32_t RaisableAlone(const Problem& p, const Cube& c, uint32_t among, int64_t& spent) {
    uint32_t open = 0;
    for (uint32_t m = among & c.mask; m; m &= m - 1) {
        const int v = std::countr_zero(m);
        const Cube raised = c.Without(v);
        spent += CubeWords(raised, p.vars);
        if (!p.off.Intersects(raised)) open |= 1u << v;
    }
    return open;
}

void RaiseUnopposed(const Problem& p, Cube& c, uint32_t& free, int64_t& spent) {
    const Cube over{c.mask & ~free, c.val & ~free};
    for (uint32_t m = free; m; m &= m - 1) {
        const uint32_t bit = m & -m;
        const Cube opposite{over.mask | bit, over.val | (~c.val & bit)};
        spent += CubeWords(opposite, p.vars);
        if (!p.off.Intersects(opposite)) {
            c = c.Without(std::countr_zero(bit));
            free &= ~bit;
        }
    }
}

namespace {

constexpr int kMaxExactRaise = 10;

Cube Raised(Cube c, uint32_t vars) {
    return {c.mask & ~vars, c.val & ~vars};
}

Cube GreedyPrime(const Problem& p, Cube c, uint32_t open, int64_t& spent) {
    while (open) {
        int pick = -1, pickLeft = -1;
        for (uint32_t m = open; m; m &= m - 1) {
            const int v = std::countr_zero(m);
            const int left =
                std::popcount(RaisableAlone(p, c.Without(v), open & ~(1u << v), spent));
            if (left > pickLeft) {
                pick = v;
                pickLeft = left;
            }
        }
        c = c.Without(pick);
        open = RaisableAlone(p, c, open & ~(1u << pick), spent);
    }
    return c;
}

// The largest subset of `vars` (indices into bits) that c can raise together. Subsets of a
// raisable set are raisable, so a set grows only by literals compatible with each member.
struct RaiseSearch {
    const Problem& p;
    Cube c;
    std::array<uint32_t, 32> bitOf{}, compatible{};
    uint32_t best = 0;
    int64_t& spent;

    void Run(uint32_t chosen, uint32_t candidates) {
        if (std::popcount(chosen) + std::popcount(candidates) <= std::popcount(best)) return;
        if (!candidates) {
            best = chosen;
            return;
        }
        const uint32_t bit = candidates & -candidates;
        const int v = std::countr_zero(bit);
        const uint32_t with = chosen | bit;
        bool fits = true;
        if (std::popcount(with) > 2) {
            spent += CubeWords(Raised(c, with), p.vars);
            fits = !p.off.Intersects(Raised(c, with));
        }
        if (fits) Run(with, candidates & compatible[v] & ~bit);
        Run(chosen, candidates & ~bit);
    }
};

}  // namespace

Cube LargestPrime(const Problem& p, Cube c, uint32_t free, int64_t& spent) {
    if (std::popcount(free) > kMaxExactRaise) return GreedyPrime(p, c, free, spent);
    RaiseSearch search{p, c, {}, {}, 0, spent};
    for (uint32_t m = free; m; m &= m - 1) {
        const int v = std::countr_zero(m);
        search.compatible[v] = RaisableAlone(p, c.Without(v), free & ~(1u << v), spent);
    }
    search.Run(0, free);
    return Raised(c, search.best);
}

std::vector<int> MiniOrder(const std::vector<Cube>& cover, int vars, bool ascending) {
    std::array<std::array<int64_t, 2>, 32> count{};
    for (const Cube& c : cover)
        for (int v = 0; v < vars; ++v) {
            const uint32_t bit = 1u << v;
            if (!(c.mask & bit) || !(c.val & bit)) ++count[v][0];
            if (!(c.mask & bit) || (c.val & bit)) ++count[v][1];
        }
    std::vector<int64_t> weight(cover.size(), 0);
    for (std::size_t i = 0; i < cover.size(); ++i)
        for (int v = 0; v < vars; ++v) {
            const uint32_t bit = 1u << v;
            if (!(cover[i].mask & bit))
                weight[i] += count[v][0] + count[v][1];
            else
                weight[i] += count[v][(cover[i].val & bit) ? 1 : 0];
        }
    std::vector<int> order(cover.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return ascending ? weight[a] < weight[b] : weight[a] > weight[b];
    });
    return order;
}

namespace {

// Grows cover[idx] to a prime as espresso's expand1 does. The cubes it may swallow are those
// still to be expanded that the over-expanded cube holds. First, while some can be swallowed
// whole, it raises to the one whose swallowing leaves the most of the others still within
// reach; then it raises the literal that most of the ones left need; last, it raises as many
// of the remaining literals as it can.
Cube ExpandOne(const Problem& p, const std::vector<Cube>& cover, std::vector<char>& skip, int idx,
               int64_t& spent, std::vector<int>& swallowed) {
    Cube c = cover[idx];
    uint32_t free = RaisableAlone(p, c, c.mask, spent);
    std::vector<int> reach;
    for (std::size_t j = 0; j < cover.size(); ++j) {
        if (skip[j] || static_cast<int>(j) == idx) continue;
        if ((c.RaiseToContain(cover[j]) & ~free) == 0) reach.push_back(static_cast<int>(j));
    }
    spent += static_cast<int64_t>(cover.size() / 8);
    const auto within = [&](int j) { return (c.RaiseToContain(cover[j]) & ~free) == 0; };
    std::vector<int> feasible = reach;
    for (;;) {
        RaiseUnopposed(p, c, free, spent);
        std::erase_if(feasible, [&](int j) {
            if (!within(j)) return true;
            if (c.Contains(cover[j])) {
                swallowed.push_back(j);
                skip[j] = 1;
                return true;
            }
            const Cube s = Cube::Supercube(c, cover[j]);
            spent += CubeWords(s, p.vars);
            return p.off.Intersects(s);
        });
        if (feasible.empty()) break;
        int bestCount = -1, bestRaised = 0;
        Cube bestCube = c;
        uint32_t bestFree = 0;
        for (int i : feasible) {
            const Cube s = Cube::Supercube(c, cover[i]);
            const uint32_t stays = RaisableAlone(p, s, free, spent);
            int count = 0;
            for (int j : feasible) count += (s.RaiseToContain(cover[j]) & ~stays) == 0;
            spent += static_cast<int64_t>(feasible.size() / 16);
            const int raised = c.Literals() - s.Literals();
            if (count > bestCount || (count == bestCount && raised < bestRaised)) {
                bestCount = count;
                bestRaised = raised;
                bestCube = s;
                bestFree = stays;
            }
        }
        c = bestCube;
        free = bestFree;
    }
    // Cubes swallowed from here on are left to be expanded in their turn: they may reach
    // other primes, and irredundant chooses.
    std::erase_if(reach, [&](int j) { return skip[j] || !within(j); });
    while (!reach.empty()) {
        std::array<int, 32> often{};
        for (int j : reach)
            for (uint32_t m = c.RaiseToContain(cover[j]) & free; m; m &= m - 1)
                ++often[std::countr_zero(m)];
        int v = 31;
        for (int u = 31; u >= 0; --u)
            if (often[u] > often[v]) v = u;
        if (often[v] == 0) break;
        c = c.Without(v);
        free = RaisableAlone(p, c, free & ~(1u << v), spent);
        std::erase_if(reach, [&](int j) { return !within(j) || c.Contains(cover[j]); });
    }
    return LargestPrime(p, c, free, spent);
}

}  // namespace

void Expand(const Problem& p, std::vector<Cube>& cover, Work& work) {
    // Cubes already prime are neither expanded nor aimed at: no other prime can hold them.
    {  // every scan follows the order of expansion, so ties go as in espresso
        std::vector<Cube> sorted;
        for (int i : MiniOrder(cover, p.vars, true)) sorted.push_back(cover[i]);
        cover = std::move(sorted);
    }
    std::vector<char> skip(cover.size(), 0), covered(cover.size(), 0);
    int64_t spent = 0;
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (work.HaltedAt(i)) return;  // the cover as it came, in another order
        skip[i] = RaisableAlone(p, cover[i], cover[i].mask, spent) == 0;
    }
    work.Spend(spent);
    std::vector<int> swallowed;
    for (int idx = 0; idx < static_cast<int>(cover.size()); ++idx) {
        if (skip[idx]) continue;
        spent = 1;
        swallowed.clear();
        const Cube c = ExpandOne(p, cover, skip, idx, spent, swallowed);
        cover[idx] = c;
        skip[idx] = 1;
        for (int j : swallowed) covered[j] = 1;
        if (!work.Spend(spent)) break;
    }
    Compact(cover, covered);
}

void Expand(const Problem& p, std::vector<Cube>& cover) {
    Work unlimited;
    Expand(p, cover, unlimited);
}

}  // namespace mwcore
