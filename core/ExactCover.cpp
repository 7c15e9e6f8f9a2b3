#include "core/ExactCover.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>

#include "core/CoverCounter.h"
#include "core/CoveringRows.h"
#include "core/Invariant.h"
#include "core/Mincov.h"
#include "core/Primes.h"
#include "core/TruthTable.h"

namespace mwcore {

namespace {

struct Timeout {};

struct Matrix {
    std::vector<std::vector<int>> rows;  // sorted column ids
    std::vector<int64_t> cost;           // per column
};

// Drops a column when a strictly cheaper one covers all its rows; such a column is in no
// minimum cover.
void DropDominatedColumns(Matrix& m, std::size_t columns) {
    std::vector<std::vector<int>> colRows(columns);
    for (std::size_t r = 0; r < m.rows.size(); ++r)
        for (int c : m.rows[r]) colRows[c].push_back(static_cast<int>(r));
    std::vector<char> dropped(columns, 0);
    for (std::size_t c1 = 0; c1 < columns; ++c1) {
        if (colRows[c1].empty()) continue;
        for (int c2 : m.rows[colRows[c1].front()]) {
            if (c2 == static_cast<int>(c1) || dropped[c2] || m.cost[c2] >= m.cost[c1]) continue;
            if (std::includes(colRows[c2].begin(), colRows[c2].end(), colRows[c1].begin(),
                              colRows[c1].end())) {
                dropped[c1] = 1;
                break;
            }
        }
    }
    for (auto& row : m.rows)
        row.erase(std::remove_if(row.begin(), row.end(), [&](int c) { return dropped[c]; }),
                  row.end());
}

class BranchAndBound {
  public:
    BranchAndBound(const Matrix& m, std::size_t columns, int64_t bound, int maxSolutions,
                   Work& work)
        : m_(m),
          colRows_(columns),
          covered_(m.rows.size(), 0),
          excluded_(columns, 0),
          mark_(columns, 0),
          best_(bound),
          maxSolutions_(maxSolutions),
          work_(work) {
        for (std::size_t r = 0; r < m.rows.size(); ++r)
            for (int c : m.rows[r]) colRows_[c].push_back(static_cast<int>(r));
        byLength_.resize(m.rows.size());
        for (std::size_t r = 0; r < m.rows.size(); ++r) byLength_[r] = static_cast<int>(r);
        std::stable_sort(byLength_.begin(), byLength_.end(),
                         [&](int a, int b) { return m.rows[a].size() < m.rows[b].size(); });
    }

    void Run() { Search(0); }
    int64_t Best() const { return best_; }
    const std::vector<std::vector<int>>& Solutions() const { return solutions_; }

  private:
    bool Full() const { return static_cast<int>(solutions_.size()) >= maxSolutions_; }

    // Rows sharing no open column each need a different column: a lower bound.
    int64_t IndependentRowsBound() {
        ++stamp_;
        int64_t bound = 0;
        for (int r : byLength_) {
            if (covered_[r]) continue;
            int64_t cheapest = std::numeric_limits<int64_t>::max();
            bool free = true;
            for (int c : m_.rows[r]) {
                if (excluded_[c]) continue;
                if (mark_[c] == stamp_) {
                    free = false;
                    break;
                }
                cheapest = std::min(cheapest, m_.cost[c]);
            }
            if (!free || cheapest == std::numeric_limits<int64_t>::max()) continue;
            for (int c : m_.rows[r])
                if (!excluded_[c]) mark_[c] = stamp_;
            bound += cheapest;
        }
        return bound;
    }

    void Search(int64_t cost) {
        if (!work_.Spend(static_cast<int64_t>(m_.rows.size() / 16) + 1)) throw Timeout{};
        int pick = -1;
        std::size_t pickOpen = std::numeric_limits<std::size_t>::max();
        for (std::size_t r = 0; r < m_.rows.size(); ++r) {
            if (covered_[r]) continue;
            std::size_t open = 0;
            for (int c : m_.rows[r]) open += !excluded_[c];
            if (open == 0) return;
            if (open < pickOpen) {
                pickOpen = open;
                pick = static_cast<int>(r);
            }
        }
        if (pick < 0) {
            Record(cost);
            return;
        }
        const int64_t lower = cost + IndependentRowsBound();
        if (lower > best_ || (lower == best_ && Full())) return;

        std::vector<std::pair<int, int>> order;  // (-newly covered rows, column)
        for (int c : m_.rows[pick]) {
            if (excluded_[c]) continue;
            int gain = 0;
            for (int r : colRows_[c]) gain += !covered_[r];
            order.push_back({-gain, c});
        }
        std::sort(order.begin(), order.end());
        std::vector<int> excludedHere;
        for (const auto& [negGain, c] : order) {
            (void)negGain;
            const int64_t next = cost + m_.cost[c];
            if (!(next > best_ || (next == best_ && Full()))) {
                for (int r : colRows_[c]) ++covered_[r];
                chosen_.push_back(c);
                Search(next);
                chosen_.pop_back();
                for (int r : colRows_[c]) --covered_[r];
            }
            excluded_[c] = 1;
            excludedHere.push_back(c);
        }
        for (int c : excludedHere) excluded_[c] = 0;
    }

    void Record(int64_t cost) {
        for ([[maybe_unused]] int c : covered_) MW_INVARIANT(c > 0);  // every row covered
        if (cost < best_) {
            best_ = cost;
            solutions_.clear();
        }
        if (cost == best_ && !Full()) solutions_.push_back(chosen_);
    }

    const Matrix& m_;
    std::vector<std::vector<int>> colRows_;
    std::vector<int> covered_;
    std::vector<char> excluded_;
    std::vector<uint32_t> mark_;
    std::vector<int> byLength_;
    std::vector<int> chosen_;
    std::vector<std::vector<int>> solutions_;
    int64_t best_;
    int maxSolutions_;
    Work& work_;
    uint32_t stamp_ = 0;
};

// Where listing every cover of the best cost takes too long, more are found from the known
// ones: first by swapping one column for another of the same cost that also covers every row
// only it covered (cheap, and plentiful in symmetric functions), then by the covering search
// with one column of a known cover left out.
void MoreEqualCovers(const Matrix& m, int64_t best, int64_t productWeight, int maxCovers,
                     Work& work, std::vector<std::vector<int>>& sets) {
    const auto full = [&] { return static_cast<int>(sets.size()) >= maxCovers; };
    const auto add = [&](std::vector<int> set) {
        std::sort(set.begin(), set.end());
        if (std::find(sets.begin(), sets.end(), set) == sets.end()) sets.push_back(std::move(set));
    };
    std::vector<int> count(m.rows.size());
    for (std::size_t k = 0; k < sets.size() && !full(); ++k) {
        const std::vector<int> known = sets[k];
        std::fill(count.begin(), count.end(), 0);
        for (std::size_t r = 0; r < m.rows.size(); ++r)
            for (int c : known)
                count[r] += std::binary_search(m.rows[r].begin(), m.rows[r].end(), c);
        for (std::size_t i = 0; i < known.size() && !full(); ++i) {
            if (!work.Spend(static_cast<int64_t>(m.rows.size() / 8) + 1)) return;
            std::vector<int> alone;  // rows only known[i] covers
            for (std::size_t r = 0; r < m.rows.size(); ++r)
                if (count[r] == 1 &&
                    std::binary_search(m.rows[r].begin(), m.rows[r].end(), known[i]))
                    alone.push_back(static_cast<int>(r));
            if (alone.empty()) continue;
            for (int d : m.rows[alone.front()]) {
                if (d == known[i] || m.cost[d] != m.cost[known[i]] ||
                    std::binary_search(known.begin(), known.end(), d))
                    continue;
                bool covers = true;
                for (int r : alone)
                    covers = covers && std::binary_search(m.rows[r].begin(), m.rows[r].end(), d);
                if (!covers) continue;
                std::vector<int> swapped = known;
                swapped[i] = d;
                add(std::move(swapped));
                if (full()) return;
            }
        }
    }
    for (std::size_t k = 0; k < sets.size() && !full(); ++k) {
        const std::vector<int> known = sets[k];
        for (int left : known) {
            if (full() || !work.Spend(static_cast<int64_t>(m.rows.size() / 8) + 1)) return;
            std::vector<std::vector<int>> rows = m.rows;
            bool coverable = true;
            for (auto& row : rows) {
                std::erase(row, left);
                coverable = coverable && !row.empty();
            }
            if (!coverable) continue;
            try {
                Mincov other(m.cost, work, productWeight);
                if (std::optional<std::vector<int>> same = other.Solve(rows, best + 1))
                    add(std::move(*same));
            } catch (const CoveringTimeout&) {
                return;
            }
        }
    }
}

}  // namespace

ExactResult ExactMinimum(const Problem& p, const std::vector<Cube>& bound,
                         const ExactLimits& limits) {
    ExactResult result;
    // Without an allowance the deadlines stand guard, read as the work goes.
    Guard guard(limits.deadline), productsGuard(std::min(limits.productsDeadline, limits.deadline));
    Work byDeadline(Work::kUnlimited, &guard);
    Work& work = limits.work ? *limits.work : byDeadline;
    const int64_t started = work.Spent();
    PrimeLimits primeLimits;
    primeLimits.maxPrimes = limits.maxPrimes;
    primeLimits.work = &work;
    const auto maybePrimes = UsefulPrimes(p, primeLimits);
    result.gaveUp = !maybePrimes;
    if (!maybePrimes) return result;
    const std::vector<Cube>& primes = *maybePrimes;

    CoverCounter count(p.vars, static_cast<int>(primes.size()));
    for (const Cube& c : primes) count.Add(c);
    std::vector<Cube> essentials;
    std::vector<int> others;
    TruthTable rest = p.on;
    for (std::size_t i = 0; i < primes.size(); ++i) {
        if (count.HoldsOnceSomewhere(primes[i], p.on)) {
            essentials.push_back(primes[i]);
            ForEachCubeWord(primes[i], p.vars,
                            [&](std::size_t w, uint64_t m) { rest.Words()[w] &= ~m; });
        }
    }
    if (rest.Empty()) {
        result.proven = true;
        result.lowerProducts = static_cast<int>(essentials.size());
        if (!(CostOf(bound) < CostOf(essentials))) result.covers.push_back(essentials);
        return result;
    }

    Matrix m;
    std::vector<Cube> columns;
    for (const Cube& c : primes) {
        if (!rest.Intersects(c)) continue;
        columns.push_back(c);
        m.cost.push_back(CostOfCube(c));
    }
    auto rows = DistinctCoveringRows(rest, columns, limits.maxRows, work);
    result.gaveUp = !rows;
    if (!rows) return result;
    m.rows = std::move(*rows);
    DropDominatedRows(m.rows);
    DropDominatedColumns(m, columns.size());
    DropDominatedRows(m.rows);

    int essentialLiterals = 0;
    for (const Cube& c : essentials) essentialLiterals += c.Literals();
    const CoverCost b = CostOf(bound);
    // Fewest products first, where dominance is strongest; then fewest literals among covers
    // of that many products; then, briefly, the other covers of the same cost. When only the
    // product count is proven in time, the best cover of that count is returned unproven.
    const auto withEssentials = [&](const std::vector<int>& chosen) {
        std::vector<Cube> cover = essentials;
        for (int c : chosen) cover.push_back(columns[c]);
        return cover;
    };
    std::optional<std::vector<int>> fewest;
    const int boundProducts = b.products - static_cast<int>(essentials.size());
    Work productsByDeadline(Work::kUnlimited, &productsGuard);
    Work& productsWork = limits.work ? *limits.work : productsByDeadline;
    Mincov products(std::vector<int64_t>(columns.size(), 1), productsWork);
    try {
        fewest = products.Solve(m.rows, boundProducts + 1);
        result.nodes += products.Nodes();
    } catch (const CoveringTimeout&) {
        result.nodes += products.Nodes();
        result.lowerProducts = static_cast<int>(essentials.size() + products.RootBound());
        result.gaveUp = true;
        // The cover the search started from may still beat the bound: unproven, but kept.
        if (!products.Incumbent().empty())
            result.covers.push_back(withEssentials(products.Incumbent()));
        return result;
    }
    const int minProducts = fewest ? static_cast<int>(fewest->size()) : boundProducts;
    result.lowerProducts = minProducts + static_cast<int>(essentials.size());
    const auto literalsOf = [&](const std::vector<int>& chosen) {
        int l = 0;
        for (int c : chosen) l += columns[c].Literals();
        return l;
    };
    // The best known literal count at that many products; a product then weighs more than
    // all those literals, so every cheaper cover has that many products, and the weights stay
    // small enough for exact fractional bounds.
    int bestLiterals = std::numeric_limits<int>::max();
    std::vector<int> optimum;
    if (fewest) {
        bestLiterals = literalsOf(*fewest);
        optimum = *fewest;
    }
    if (boundProducts == minProducts && b.literals - essentialLiterals < bestLiterals) {
        bestLiterals = b.literals - essentialLiterals;
        optimum.clear();  // the bound's own cover is the best known
    }
    const int64_t productWeight = bestLiterals + 1;
    for (std::size_t c = 0; c < columns.size(); ++c)
        m.cost[c] = productWeight + columns[c].Literals();
    const int64_t limit = minProducts * productWeight + bestLiterals;
    Mincov weighted(m.cost, work, productWeight);
    const auto countNodes = [&] { result.nodes += weighted.Nodes(); };
    try {
        if (auto cheaper = weighted.Solve(m.rows, limit)) optimum = std::move(*cheaper);
        if (optimum.empty()) {
            // The bound's cover is the optimum; find its like in the matrix for the enumeration.
            auto same = weighted.Solve(m.rows, limit + 1);
            if (!same) {
                countNodes();
                return result;
            }
            optimum = std::move(*same);
        }
        countNodes();
    } catch (const CoveringTimeout&) {
        countNodes();
        result.gaveUp = true;
        if (!optimum.empty()) result.covers.push_back(withEssentials(optimum));
        return result;
    }
    const int64_t best = weighted.CostOf(optimum);
    result.proven = true;
    // Other covers of the same cost are a courtesy: a tenth of the work spent so far for the
    // plain listing, as much again for finding more where it does not finish. Running out
    // here leaves the proof standing.
    const int64_t courtesy = (work.Spent() - started) / 10 + 20000;
    Work listing = work.Part(courtesy);
    BranchAndBound search(m, columns.size(), best, limits.maxCovers, listing);
    bool listedAll = true;
    try {
        search.Run();
    } catch (const Timeout&) {
        listedAll = false;
    }
    work.Absorb(listing);
    std::vector<std::vector<int>> chosenSets = search.Solutions();
    std::sort(optimum.begin(), optimum.end());
    for (auto& set : chosenSets) std::sort(set.begin(), set.end());
    if (std::find(chosenSets.begin(), chosenSets.end(), optimum) == chosenSets.end()) {
        chosenSets.insert(chosenSets.begin(), optimum);
        if (static_cast<int>(chosenSets.size()) > limits.maxCovers) chosenSets.pop_back();
    }
    if (!listedAll) {
        Work more = work.Part(courtesy);
        MoreEqualCovers(m, best, productWeight, limits.maxCovers, more, chosenSets);
        work.Absorb(more);
    }
    for (const auto& chosen : chosenSets) result.covers.push_back(withEssentials(chosen));
    return result;
}

}  // namespace mwcore
