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
#include "core/MultiCounts.h"
#include "core/MultiCubes.h"

namespace mwcore {

namespace {

using multi::AloneOfAll;
using multi::Counts;

constexpr std::size_t kExactIrredundantRows = 20000;
// What the covering search of one irredundant step may spend before the greedy choice.
constexpr int64_t kIrredundantCovering = 200000;

}  // namespace

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
