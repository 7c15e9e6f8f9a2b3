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

// The steps of one exact search, in order; each ends the search early by returning false.
class ExactSearch {
  public:
    ExactSearch(const Problem& p, const std::vector<Cube>& bound, const ExactLimits& limits)
        : p_(p),
          bound_(bound),
          limits_(limits),
          guard_(limits.deadline),
          productsGuard_(std::min(limits.productsDeadline, limits.deadline)),
          byDeadline_(Work::kUnlimited, &guard_),
          productsByDeadline_(Work::kUnlimited, &productsGuard_),
          work_(limits.work ? *limits.work : byDeadline_),
          productsWork_(limits.work ? *limits.work : productsByDeadline_),
          started_(work_.Spent()) {}

    ExactResult Run() {
        if (PrimesAndEssentials() && CyclicCore() && FewestProducts() && FewestLiterals())
            ListEqualCovers();
        return std::move(result_);
    }

  private:
    bool PrimesAndEssentials();
    bool CyclicCore();
    bool FewestProducts();
    bool FewestLiterals();
    void ListEqualCovers();
    std::vector<Cube> WithEssentials(const std::vector<int>& chosen) const {
        std::vector<Cube> cover = essentials_;
        for (int c : chosen) cover.push_back(columns_[c]);
        return cover;
    }

    const Problem& p_;
    const std::vector<Cube>& bound_;
    const ExactLimits& limits_;
    // Without an allowance the deadlines stand guard, read as the work goes.
    Guard guard_, productsGuard_;
    Work byDeadline_, productsByDeadline_;
    Work& work_;
    Work& productsWork_;
    const int64_t started_;
    std::vector<Cube> primes_, essentials_, columns_;
    TruthTable rest_;  // the on minterms no essential prime holds
    Matrix m_;
    int boundProducts_ = 0;  // of the bound, beyond the essentials
    int minProducts_ = 0;    // the fewest products, beyond the essentials
    std::optional<std::vector<int>> fewest_;
    std::vector<int> optimum_;  // empty: the bound's own cover is the optimum
    int64_t productWeight_ = 0;
    int64_t best_ = 0;  // the optimum's weighted cost
    ExactResult result_;
};

// Every prime, and those that alone hold some on minterm; where they hold all, the answer.
bool ExactSearch::PrimesAndEssentials() {
    PrimeLimits primeLimits;
    primeLimits.maxPrimes = limits_.maxPrimes;
    primeLimits.work = &work_;
    auto maybePrimes = UsefulPrimes(p_, primeLimits);
    result_.gaveUp = !maybePrimes;
    if (!maybePrimes) return false;
    primes_ = std::move(*maybePrimes);
    CoverCounter count(p_.vars, static_cast<int>(primes_.size()));
    for (const Cube& c : primes_) count.Add(c);
    rest_ = p_.on;
    for (const Cube& prime : primes_) {
        if (count.HoldsOnceSomewhere(prime, p_.on)) {
            essentials_.push_back(prime);
            ForEachCubeWord(prime, p_.vars,
                            [&](std::size_t w, uint64_t m) { rest_.Words()[w] &= ~m; });
        }
    }
    if (!rest_.Empty()) return true;
    result_.proven = true;
    result_.lowerProducts = static_cast<int>(essentials_.size());
    if (!(CostOf(bound_) < CostOf(essentials_))) result_.covers.push_back(essentials_);
    return false;
}

// The covering matrix of what the essentials leave, shrunk by dominance.
bool ExactSearch::CyclicCore() {
    for (const Cube& c : primes_) {
        if (!rest_.Intersects(c)) continue;
        columns_.push_back(c);
        m_.cost.push_back(CostOfCube(c));
    }
    auto rows = DistinctCoveringRows(rest_, columns_, limits_.maxRows, work_);
    result_.gaveUp = !rows;
    if (!rows) return false;
    m_.rows = std::move(*rows);
    DropDominatedRows(m_.rows);
    DropDominatedColumns(m_, columns_.size());
    DropDominatedRows(m_.rows);
    return true;
}

// Fewest products first, where dominance is strongest. When the search cannot finish, the
// cover it started from may still beat the bound: unproven, but kept.
bool ExactSearch::FewestProducts() {
    boundProducts_ = CostOf(bound_).products - static_cast<int>(essentials_.size());
    Mincov products(std::vector<int64_t>(columns_.size(), 1), productsWork_);
    try {
        fewest_ = products.Solve(m_.rows, boundProducts_ + 1);
        result_.nodes += products.Nodes();
    } catch (const CoveringTimeout&) {
        result_.nodes += products.Nodes();
        result_.lowerProducts = static_cast<int>(essentials_.size() + products.RootBound());
        result_.gaveUp = true;
        if (!products.Incumbent().empty())
            result_.covers.push_back(WithEssentials(products.Incumbent()));
        return false;
    }
    minProducts_ = fewest_ ? static_cast<int>(fewest_->size()) : boundProducts_;
    result_.lowerProducts = minProducts_ + static_cast<int>(essentials_.size());
    return true;
}

// Then fewest literals among covers of that many products. When only the product count is
// proven, the best cover of that count is returned unproven.
bool ExactSearch::FewestLiterals() {
    const auto literalsOf = [&](const std::vector<int>& chosen) {
        int l = 0;
        for (int c : chosen) l += columns_[c].Literals();
        return l;
    };
    int essentialLiterals = 0;
    for (const Cube& c : essentials_) essentialLiterals += c.Literals();
    const int boundLiterals = CostOf(bound_).literals - essentialLiterals;
    // The best known literal count at that many products; a product then weighs more than
    // all those literals, so every cheaper cover has that many products, and the weights stay
    // small enough for exact fractional bounds.
    int bestLiterals = std::numeric_limits<int>::max();
    if (fewest_) {
        bestLiterals = literalsOf(*fewest_);
        optimum_ = *fewest_;
    }
    if (boundProducts_ == minProducts_ && boundLiterals < bestLiterals) {
        bestLiterals = boundLiterals;
        optimum_.clear();  // the bound's own cover is the best known
    }
    productWeight_ = bestLiterals + 1;
    for (std::size_t c = 0; c < columns_.size(); ++c)
        m_.cost[c] = productWeight_ + columns_[c].Literals();
    const int64_t limit = minProducts_ * productWeight_ + bestLiterals;
    Mincov weighted(m_.cost, work_, productWeight_);
    try {
        if (auto cheaper = weighted.Solve(m_.rows, limit)) optimum_ = std::move(*cheaper);
        if (optimum_.empty()) {
            // The bound's cover is the optimum; find its like in the matrix for the listing.
            auto same = weighted.Solve(m_.rows, limit + 1);
            result_.nodes += weighted.Nodes();
            if (!same) return false;
            optimum_ = std::move(*same);
        } else {
            result_.nodes += weighted.Nodes();
        }
    } catch (const CoveringTimeout&) {
        result_.nodes += weighted.Nodes();
        result_.gaveUp = true;
        if (!optimum_.empty()) result_.covers.push_back(WithEssentials(optimum_));
        return false;
    }
    best_ = weighted.CostOf(optimum_);
    result_.proven = true;
    return true;
}

// Other covers of the same cost are a courtesy: a tenth of the work spent so far for the plain
// listing, as much again for finding more where it does not finish. Running out here leaves
// the proof standing.
void ExactSearch::ListEqualCovers() {
    const int64_t courtesy = (work_.Spent() - started_) / 10 + 20000;
    Work listing = work_.Part(courtesy);
    BranchAndBound search(m_, columns_.size(), best_, limits_.maxCovers, listing);
    bool listedAll = true;
    try {
        search.Run();
    } catch (const Timeout&) {
        listedAll = false;
    }
    work_.Absorb(listing);
    std::vector<std::vector<int>> chosenSets = search.Solutions();
    std::sort(optimum_.begin(), optimum_.end());
    for (auto& set : chosenSets) std::sort(set.begin(), set.end());
    if (std::find(chosenSets.begin(), chosenSets.end(), optimum_) == chosenSets.end()) {
        chosenSets.insert(chosenSets.begin(), optimum_);
        if (static_cast<int>(chosenSets.size()) > limits_.maxCovers) chosenSets.pop_back();
    }
    if (!listedAll) {
        Work more = work_.Part(courtesy);
        MoreEqualCovers(m_, best_, productWeight_, limits_.maxCovers, more, chosenSets);
        work_.Absorb(more);
    }
    for (const auto& chosen : chosenSets) result_.covers.push_back(WithEssentials(chosen));
}

}  // namespace

ExactResult ExactMinimum(const Problem& p, const std::vector<Cube>& bound,
                         const ExactLimits& limits) {
    return ExactSearch(p, bound, limits).Run();
}

}  // namespace mwcore
