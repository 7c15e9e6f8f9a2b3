#include "core/MultiExact.h"

#include <algorithm>
#include <bit>
#include <map>

#include "core/CoveringRows.h"
#include "core/Mincov.h"
#include "core/Primes.h"

namespace mwcore {

namespace {

constexpr std::size_t kMaxPrimes = 50000;
constexpr std::size_t kMaxRows = 100000;

}  // namespace

MultiExactResult MultiExactMinimum(const MultiProblem& p, const std::vector<MultiCube>& bound, Work& work) {
    MultiExactResult result;
    const int k = p.OutputCount();
    if (k > kMaxExactOutputs) return result;
    std::map<Cube, Outputs> primes;
    PrimeLimits limits;
    limits.maxPrimes = kMaxPrimes;
    limits.work = &work;
    for (uint32_t subset = 1; subset < (1u << k); ++subset) {
        if (!work.Spend(static_cast<int64_t>(std::popcount(subset) + 3) * p.Span(Cube{}))) return result;
        TruthTable upper(p.Vars(), true), on(p.Vars());
        for (int j = 0; j < k; ++j)
            if (subset & (1u << j)) {
                upper &= p.Upper(j);
                on |= p.On(j);
            }
        on &= upper;
        if (on.Empty()) continue;
        TruthTable dc = upper;
        dc.AndNot(on);
        const auto found = UsefulPrimes(Problem(on, dc), limits);
        if (!found) return result;
        int64_t units = 0;
        for (const Cube& c : *found) {
            // Its widest output set: the outputs that can take it and need it.
            if (primes.contains(c)) continue;
            primes[c] = p.UsefulOutputs(c, &units);
            if (primes.size() > kMaxPrimes) return result;
        }
        if (!work.Spend(units)) return result;
    }
    std::vector<Cube> candidates;
    for (const auto& [in, out] : primes) candidates.push_back(in);
    return BestCoverOf(p, candidates, bound, work);
}

MultiExactResult BestCoverOf(const MultiProblem& p, const std::vector<Cube>& candidates,
                             const std::vector<MultiCube>& bound, Work& work) {
    MultiExactResult result;
    const int k = p.OutputCount();
    // The bound's own products keep the problem coverable.
    std::vector<Cube> ins = candidates;
    for (const MultiCube& c : bound) ins.push_back(c.in);
    std::sort(ins.begin(), ins.end());
    ins.erase(std::unique(ins.begin(), ins.end()), ins.end());
    std::vector<MultiCube> columns;
    int64_t units = 0;
    for (const Cube& in : ins)
        if (const Outputs out = p.UsefulOutputs(in, &units); out.any()) columns.push_back({in, out});
    if (!work.Spend(units)) return result;
    std::vector<std::vector<int>> rows;
    for (int j = 0; j < k; ++j) {
        std::vector<Cube> cubes;
        std::vector<int> ids;
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (columns[c].out.test(j)) {
                cubes.push_back(columns[c].in);
                ids.push_back(static_cast<int>(c));
            }
        auto some = DistinctCoveringRows(p.On(j), cubes, kMaxRows, work);
        if (!some) return result;
        for (auto& row : *some) {
            for (int& c : row) c = ids[c];
            rows.push_back(std::move(row));
        }
        if (rows.size() > kMaxRows) return result;
    }
    DropDominatedRows(rows);
    const CoverCost b = CostOf(bound);
    const int64_t weight = b.literals + 1;  // a product outweighs every literal of `bound`
    std::vector<int64_t> cost;
    for (const MultiCube& c : columns) cost.push_back(weight + c.in.Literals());
    Mincov solver(cost, work, weight);
    try {
        const auto cheaper = solver.Solve(rows, b.products * weight + b.literals);
        result.nodes = solver.Nodes();
        result.proven = true;
        if (cheaper)
            for (int c : *cheaper) result.cover.push_back(columns[c]);
    } catch (const CoveringTimeout&) {
        result.nodes = solver.Nodes();
        for (int c : solver.Incumbent()) result.cover.push_back(columns[c]);
        if (!result.cover.empty() && !(CostOf(result.cover) < b)) result.cover.clear();
    }
    return result;
}

}  // namespace mwcore
