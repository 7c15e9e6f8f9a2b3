#include "core/MultiExact.h"

#include <algorithm>
#include <array>
#include <bit>
#include <map>
#include <optional>

#include "core/CoveringRows.h"
#include "core/Mincov.h"
#include "core/Primes.h"

namespace mwcore {

namespace {

constexpr std::size_t kMaxPrimes = 50000;
constexpr std::size_t kMaxRows = 100000;

// The distinct rows of the points of `on`, found by cutting the space into regions until every
// cube meeting a region holds all of it: the cost follows the number of regions the cubes make
// rather than the size of the table. Nothing past maxRows or when the work runs out.
class RegionRows {
  public:
    RegionRows(const MultiProblem& p, const TruthTable& on, const std::vector<Cube>& cubes,
               Work& work)
        : p_(p), on_(on), cubes_(cubes), work_(work) {}

    std::optional<std::vector<std::vector<int>>> Run(std::size_t maxRows) {
        maxRows_ = maxRows;
        std::vector<int> live(cubes_.size());
        for (std::size_t i = 0; i < live.size(); ++i) live[i] = static_cast<int>(i);
        if (!Split(Cube{}, live)) return std::nullopt;
        std::sort(rows_.begin(), rows_.end());
        rows_.erase(std::unique(rows_.begin(), rows_.end()), rows_.end());
        return std::move(rows_);
    }

  private:
    bool Split(const Cube& region, const std::vector<int>& live) {
        if (!work_.Spend(static_cast<int64_t>(live.size()) + p_.Span(region) / 16 + 1))
            return false;
        if (!on_.Intersects(region)) return true;
        std::array<int, 32> count{};
        bool whole = true;
        for (int i : live)
            if (!cubes_[i].Contains(region)) {
                whole = false;
                for (uint32_t m = cubes_[i].mask & ~region.mask; m; m &= m - 1)
                    ++count[std::countr_zero(m)];
            }
        if (whole) {
            rows_.push_back(live);
            return rows_.size() <= 4 * maxRows_;
        }
        int v = 0;
        for (int i = 1; i < 32; ++i)
            if (count[i] > count[v]) v = i;
        for (uint32_t value : {0u, 1u << v}) {
            const Cube half{region.mask | 1u << v, region.val | value};
            std::vector<int> inside;
            for (int i : live)
                if (cubes_[i].Intersects(half)) inside.push_back(i);
            if (!Split(half, inside)) return false;
        }
        return true;
    }

    const MultiProblem& p_;
    const TruthTable& on_;
    const std::vector<Cube>& cubes_;
    Work& work_;
    std::size_t maxRows_ = 0;
    std::vector<std::vector<int>> rows_;
};

}  // namespace

MultiExactResult MultiExactMinimum(const MultiProblem& p, const std::vector<MultiCube>& bound,
                                   Work& work) {
    MultiExactResult result;
    const int k = p.OutputCount();
    if (k > kMaxExactOutputs) return result;
    std::map<Cube, Outputs> primes;
    PrimeLimits limits;
    limits.maxPrimes = kMaxPrimes;
    limits.work = &work;
    for (uint32_t subset = 1; subset < (1u << k); ++subset) {
        if (!work.Spend(static_cast<int64_t>(std::popcount(subset) + 3) * p.Span(Cube{})))
            return result;
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
        if (const Outputs out = p.UsefulOutputs(in, &units); out.any())
            columns.push_back({in, out});
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
        // Many inputs: regions of the cubes rather than points of the table.
        auto some = p.CubesOnly() ? RegionRows(p, p.On(j), cubes, work).Run(kMaxRows)
                                  : DistinctCoveringRows(p.On(j), cubes, kMaxRows, work);
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
