#include "core/Minimize.h"

#include <algorithm>
#include <chrono>
#include <numeric>
#include <random>

#include "core/CoveringRows.h"
#include "core/Espresso.h"
#include "core/ExactCover.h"
#include "core/Isop.h"
#include "core/Mincov.h"
#include "core/Verify.h"

namespace mwcore {

namespace {

// Extra starts cost a table pass and an espresso run each; beyond these sizes fewer suffice.
// Beyond this the exact search runs before the heuristic loop.
constexpr int kMaxVarsHeuristicFirst = 16;

// Distinct rows the covering of a pool of cubes may have.
constexpr std::size_t kMaxPoolRows = 100000;

// Small functions are settled by the exact search anyway.
int ExtraStarts(int vars) { return vars <= 6 ? 0 : vars <= 12 ? 11 : vars <= 16 ? 2 : 0; }

// perm[i] is where variable i goes.
uint32_t PermuteBits(uint32_t x, const std::vector<int>& perm) {
    uint32_t r = 0;
    for (std::size_t i = 0; i < perm.size(); ++i)
        if (x & (1u << i)) r |= 1u << perm[i];
    return r;
}

// A cover in a fixed order (most literals last) so that equal covers print alike.
void Canonical(std::vector<Cube>& cover) {
    std::sort(cover.begin(), cover.end(), [](const Cube& a, const Cube& b) {
        if (a.Literals() != b.Literals()) return a.Literals() < b.Literals();
        return b < a;
    });
}

// The same function over renumbered variables: the ISOP then splits in another order and the
// espresso loop starts from another local optimum. The orders are fixed (reversed, then
// seeded shuffles) so that a function always gets the same answer.
Problem Permuted(const Problem& p, const std::vector<int>& perm) {
    TruthTable on(p.vars), dc(p.vars);
    for (uint32_t m = 0; m < (1u << p.vars); ++m) {
        if (p.on.Get(m)) on.Set(PermuteBits(m, perm));
        if (p.dc.Get(m)) dc.Set(PermuteBits(m, perm));
    }
    return Problem(on, dc);
}

// Starts are made while `until` has not passed; every cover made goes to `pool`.
std::vector<Cube> BestOfSeveralStarts(const Problem& p, std::vector<Cube> best,
                                      std::chrono::steady_clock::time_point until,
                                      std::vector<std::vector<Cube>>& pool) {
    std::mt19937 rng(12345);
    std::vector<int> perm(p.vars), back(p.vars);
    for (int start = 0; start < ExtraStarts(p.vars) && std::chrono::steady_clock::now() < until; ++start) {
        std::iota(perm.begin(), perm.end(), 0);
        if (start == 0)
            std::reverse(perm.begin(), perm.end());
        else
            std::shuffle(perm.begin(), perm.end(), rng);
        for (int i = 0; i < p.vars; ++i) back[perm[i]] = i;
        const Problem q = Permuted(p, perm);
        std::vector<Cube> other = Espresso(q, Isop(q.on, q.Upper()), until);
        for (Cube& c : other) c = {PermuteBits(c.mask, back), PermuteBits(c.val, back)};
        pool.push_back(other);
        if (CostOf(other) < CostOf(best) && CoverImplements(p, other)) best = std::move(other);
    }
    return best;
}

// Each start keeps some good cubes another misses: the covering search, run on the cubes of
// all the covers made, often finds a cover better than any of them (its greedy start where it
// cannot finish in time).
std::vector<Cube> BestFromPool(const Problem& p, const std::vector<std::vector<Cube>>& pool,
                               std::vector<Cube> best, std::chrono::steady_clock::time_point until) {
    std::vector<Cube> cubes;
    for (const auto& cover : pool) cubes.insert(cubes.end(), cover.begin(), cover.end());
    std::sort(cubes.begin(), cubes.end());
    cubes.erase(std::unique(cubes.begin(), cubes.end()), cubes.end());
    if (cubes.size() <= best.size()) return best;
    auto rows = DistinctCoveringRows(p.on, cubes, kMaxPoolRows, until);
    if (!rows) return best;
    DropDominatedRows(*rows);
    const CoverCost b = CostOf(best);
    const int64_t weight = b.literals + 1;  // a product outweighs every literal of `best`
    std::vector<int64_t> cost;
    for (const Cube& c : cubes) cost.push_back(weight + c.Literals());
    Mincov solver(cost, until, weight);
    std::vector<int> chosen;
    try {
        if (auto cheaper = solver.Solve(*rows, b.products * weight + b.literals)) chosen = std::move(*cheaper);
    } catch (const CoveringTimeout&) {
        chosen = solver.Incumbent();
    }
    std::vector<Cube> cover;
    for (int i : chosen) cover.push_back(cubes[i]);
    if (!cover.empty() && CostOf(cover) < b && CoverImplements(p, cover)) return cover;
    return best;
}

}  // namespace

Minimization Minimize(const Problem& p, const MinimizeOptions& options) {
    Minimization result;
    result.minimum = true;
    if (p.on.Empty()) {
        result.kind = Minimization::Kind::Zero;
        return result;
    }
    if (p.off.Empty()) {
        result.kind = Minimization::Kind::One;
        return result;
    }
    const auto budget = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(options.exactSeconds));
    ExactLimits limits;
    limits.maxCovers = options.maxCovers;
    // Exact answers replace `bound` when they are proven or cheaper; says whether proven. The
    // search has the budget from its own start, however long the heuristic took.
    const auto tryExact = [&](const std::vector<Cube>& bound) {
        limits.deadline = std::chrono::steady_clock::now() + budget;
        ExactResult exact = ExactMinimum(p, bound, limits);
        std::erase_if(exact.covers, [&](const auto& c) { return !CoverImplements(p, c); });
        if (!exact.covers.empty() && CostOf(exact.covers.front()) <= CostOf(result.covers.front())) {
            result.covers = std::move(exact.covers);
            result.minimum = exact.proven;
        } else if (exact.proven && exact.covers.empty()) {
            result.minimum = true;  // the bound itself is a minimum
        }
        return result.minimum;
    };
    const std::vector<Cube> isop = Isop(p.on, p.Upper());
    result.minimum = false;
    result.covers = {isop};
    // Many variables: the heuristic loop is the costly part while the primes are usually few,
    // so the exact search goes first with the irredundant start as its bound.
    const bool exactFirst = p.vars > kMaxVarsHeuristicFirst && options.exactSeconds > 0;
    if (exactFirst && tryExact(isop)) {
        for (auto& cover : result.covers) Canonical(cover);
        return result;
    }
    // The heuristic loop is quadratic in the cover: on large random functions it gets a
    // deadline of its own, five exact budgets but at least a second.
    const auto heuristicStart = std::chrono::steady_clock::now();
    const auto loopUntil = heuristicStart + std::max<std::chrono::steady_clock::duration>(5 * budget, std::chrono::seconds(1));
    std::vector<Cube> heuristic = Espresso(p, isop, loopUntil);
    if (!CoverImplements(p, heuristic)) heuristic = isop;  // the start is correct by construction
    if (CostOf(heuristic) < CostOf(result.covers.front())) result.covers = {heuristic};
    const auto oneRun = std::chrono::steady_clock::now() - heuristicStart;
    // Other starts, and the covering of all their cubes together, only pay where the exact
    // search could not settle the function. Each gets two heuristic runs' time, at least half
    // the exact budget (50 ms at least) and at most the budget (a second at least), so that
    // the answer comes in a time that follows the budget.
    if (exactFirst || options.exactSeconds <= 0 || !tryExact(result.covers.front())) {
        const auto half = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double>(options.exactSeconds / 2));
        const auto most = std::max<std::chrono::steady_clock::duration>(budget, std::chrono::seconds(1));
        // Small functions finish every start well within the floor, so their answer never
        // depends on the machine's speed.
        const auto floor = std::max<std::chrono::steady_clock::duration>(half, std::chrono::milliseconds(50));
        const auto extra = std::clamp<std::chrono::steady_clock::duration>(2 * oneRun, floor, std::max(floor, most));
        std::vector<std::vector<Cube>> pool{heuristic, result.covers.front()};
        heuristic = BestOfSeveralStarts(p, std::move(heuristic), std::chrono::steady_clock::now() + extra, pool);
        if (CostOf(heuristic) < CostOf(result.covers.front())) result.covers = {heuristic};
        result.covers = {BestFromPool(p, pool, result.covers.front(), std::chrono::steady_clock::now() + extra)};
    }
    if (!CoverImplements(p, result.covers.front()))
        throw VerificationError("no verified cover for the function");
    for (auto& cover : result.covers) Canonical(cover);
    return result;
}

}  // namespace mwcore
