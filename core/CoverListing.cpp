#include "core/CoverListing.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <set>

#include "core/Mincov.h"

namespace mwcore {

namespace {

constexpr uint64_t kSaturated = std::numeric_limits<uint64_t>::max();

uint64_t TimesSaturating(uint64_t a, uint64_t b) {
    if (a == 0 || b == 0) return 0;
    return a > kSaturated / b ? kSaturated : a * b;
}

// Rows joined by a shared column end in one block.
std::vector<std::vector<int>> BlocksOfRows(const std::vector<std::vector<int>>& rows) {
    std::vector<int> parent(rows.size());
    std::iota(parent.begin(), parent.end(), 0);
    const auto find = [&](int r) {
        while (parent[r] != r) r = parent[r] = parent[parent[r]];
        return r;
    };
    std::vector<int> rowOfColumn;
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c : rows[r]) {
            if (c >= static_cast<int>(rowOfColumn.size())) rowOfColumn.resize(c + 1, -1);
            if (rowOfColumn[c] < 0)
                rowOfColumn[c] = static_cast<int>(r);
            else
                parent[find(static_cast<int>(r))] = find(rowOfColumn[c]);
        }
    std::vector<std::vector<int>> blocks;
    std::vector<int> blockOf(rows.size(), -1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int root = find(static_cast<int>(r));
        if (blockOf[root] < 0) {
            blockOf[root] = static_cast<int>(blocks.size());
            blocks.emplace_back();
        }
        blocks[blockOf[root]].push_back(static_cast<int>(r));
    }
    return blocks;
}

// Repeatedly the column covering most open rows per cost: a cover where the search had no time.
std::vector<int> GreedyCover(const std::vector<std::vector<int>>& rows,
                             const std::vector<int64_t>& cost) {
    std::vector<char> covered(rows.size(), 0);
    std::vector<int> chosen;
    for (;;) {
        std::vector<int> gain(cost.size(), 0);
        bool open = false;
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (!covered[r]) {
                open = true;
                for (int c : rows[r]) ++gain[c];
            }
        if (!open) return chosen;
        int pick = -1;
        for (std::size_t c = 0; c < cost.size(); ++c)
            if (gain[c] > 0 && (pick < 0 || gain[c] * cost[pick] > gain[pick] * cost[c]))
                pick = static_cast<int>(c);
        chosen.push_back(pick);
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (std::binary_search(rows[r].begin(), rows[r].end(), pick)) covered[r] = 1;
    }
}

// Lists and counts the covers of one block whose cost is exactly `target`, the block's minimum.
class Lister {
  public:
    Lister(std::vector<std::vector<int>> rows, const std::vector<int64_t>& cost,
           int64_t productWeight, int64_t target, std::size_t maxList, uint64_t& nodesLeft,
           std::chrono::steady_clock::time_point countDeadline, Work* countWork)
        : rows_(std::move(rows)),
          cost_(cost),
          productWeight_(productWeight),
          target_(target),
          maxList_(maxList),
          nodesLeft_(nodesLeft),
          countDeadline_(countDeadline),
          countWork_(countWork) {
        int columns = 0;
        for (const auto& row : rows_)
            if (!row.empty()) columns = std::max(columns, row.back() + 1);
        colRows_.resize(columns);
        for (std::size_t r = 0; r < rows_.size(); ++r)
            for (int c : rows_[r]) colRows_[c].push_back(static_cast<int>(r));
        covered_.assign(rows_.size(), 0);
        excluded_.assign(columns, 0);
        mark_.assign(columns, 0);
    }

    // False when the node budget ran out before every cover was counted.
    bool Run() {
        Search(0);
        return !stopped_;
    }
    uint64_t Count() const { return count_; }
    // The covers listed; when the search stopped early, those the covering search met on
    // the way are added.
    std::vector<std::vector<int>>& Covers() {
        if (stopped_) {
            std::set<std::vector<int>> listed(covers_.begin(), covers_.end());
            for (const auto& cover : seen_) {
                if (covers_.size() >= maxList_) break;
                if (listed.insert(cover).second) covers_.push_back(cover);
            }
        }
        return covers_;
    }

  private:
    // Rows sharing no open column each need a column of their own.
    int64_t IndependentRowsBound() {
        ++stamp_;
        int64_t bound = 0;
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            if (covered_[r]) continue;
            int64_t cheapest = std::numeric_limits<int64_t>::max();
            bool free = true;
            for (int c : rows_[r]) {
                if (excluded_[c]) continue;
                if (mark_[c] == stamp_) {
                    free = false;
                    break;
                }
                cheapest = std::min(cheapest, cost_[c]);
            }
            if (!free || cheapest == std::numeric_limits<int64_t>::max()) continue;
            for (int c : rows_[r])
                if (!excluded_[c]) mark_[c] = stamp_;
            bound += cheapest;
        }
        return bound;
    }

    void Search(int64_t cost) {
        if (countWork_ ? !countWork_->Spend(1 + static_cast<int64_t>(rows_.size()))
                       : nodesLeft_ == 0) {
            stopped_ = true;
            return;
        }
        if (!countWork_) --nodesLeft_;
        int pick = -1;
        std::size_t pickOpen = std::numeric_limits<std::size_t>::max();
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            if (covered_[r]) continue;
            std::size_t open = 0;
            for (int c : rows_[r]) open += !excluded_[c];
            if (open == 0) return;
            if (open < pickOpen) {
                pickOpen = open;
                pick = static_cast<int>(r);
            }
        }
        if (pick < 0) {
            if (cost != target_) return;
            count_ = count_ == kSaturated ? count_ : count_ + 1;
            if (covers_.size() < maxList_) {
                std::vector<int> cover = chosen_;
                std::sort(cover.begin(), cover.end());
                covers_.push_back(std::move(cover));
            }
            return;
        }
        if (cost + IndependentRowsBound() > target_) return;
        if (!countWork_ && (nodes_++ & 63) == 0 &&
            std::chrono::steady_clock::now() > countDeadline_) {
            stopped_ = true;
            return;
        }
        int open = 0;
        for (std::size_t r = 0; r < rows_.size(); ++r) open += !covered_[r];
        // On a large rest the weak bound above lets the search wander far from any minimum;
        // there the covering search says first whether a branch still reaches one.
        const bool ask = open > kAskAbove;
        std::vector<int> excludedHere;
        for (int c : rows_[pick]) {
            if (excluded_[c]) continue;
            if (cost + cost_[c] <= target_ && (!ask || Reaches(c, target_ - cost - cost_[c]))) {
                for (int r : colRows_[c]) ++covered_[r];
                chosen_.push_back(c);
                Search(cost + cost_[c]);
                chosen_.pop_back();
                for (int r : colRows_[c]) --covered_[r];
                if (stopped_) break;
            }
            excluded_[c] = 1;
            excludedHere.push_back(c);
        }
        for (int c : excludedHere) excluded_[c] = 0;
    }

    // Whether the rows c leaves open can be covered, without excluded columns, within `budget`.
    bool Reaches(int c, int64_t budget) {
        std::vector<std::vector<int>> rest;
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            if (covered_[r] ||
                std::binary_search(colRows_[c].begin(), colRows_[c].end(), static_cast<int>(r)))
                continue;
            std::vector<int> row;
            for (int k : rows_[r])
                if (!excluded_[k] && k != c) row.push_back(k);
            if (row.empty()) return false;
            rest.push_back(std::move(row));
        }
        if (rest.empty()) return budget == 0;
        try {
            Mincov oracle = countWork_ ? Mincov(cost_, *countWork_, productWeight_)
                                       : Mincov(cost_, countDeadline_, productWeight_);
            const std::optional<std::vector<int>> cover = oracle.Solve(rest, budget + 1);
            if (!cover) return false;
            // A minimum cover in its own right: listed if the search stops before it.
            if (seen_.size() < maxList_) {
                std::vector<int> whole = chosen_;
                whole.push_back(c);
                whole.insert(whole.end(), cover->begin(), cover->end());
                std::sort(whole.begin(), whole.end());
                seen_.insert(std::move(whole));
            }
            return true;
        } catch (const CoveringTimeout&) {
            stopped_ = true;
            return false;
        }
    }

    static constexpr int kAskAbove = 12;
    std::vector<std::vector<int>> rows_;
    const std::vector<int64_t>& cost_;
    const int64_t productWeight_;
    const int64_t target_;
    const std::size_t maxList_;
    uint64_t& nodesLeft_;
    const std::chrono::steady_clock::time_point countDeadline_;
    Work* countWork_;
    uint64_t nodes_ = 0;
    std::vector<std::vector<int>> colRows_;
    std::vector<int> covered_;
    std::vector<char> excluded_;
    std::vector<uint32_t> mark_;
    uint32_t stamp_ = 0;
    std::vector<int> chosen_;
    std::vector<std::vector<int>> covers_;
    std::set<std::vector<int>> seen_;
    uint64_t count_ = 0;
    bool stopped_ = false;
};

}  // namespace

std::optional<CoverListing> ListMinimumCovers(const std::vector<std::vector<int>>& rows,
                                              const std::vector<int64_t>& cost,
                                              int64_t productWeight,
                                              const CoverListingLimits& limits) {
    for (const auto& row : rows)
        if (row.empty()) return std::nullopt;
    CoverListing result;
    result.count = 1;
    result.complete = true;
    result.covers.push_back({});
    uint64_t nodesLeft = limits.maxNodes;
    for (const std::vector<int>& blockRowIds : BlocksOfRows(rows)) {
        std::vector<std::vector<int>> blockRows;
        for (int r : blockRowIds) blockRows.push_back(rows[r]);
        int64_t all = 1;
        std::vector<char> seen(cost.size(), 0);
        for (const auto& row : blockRows)
            for (int c : row)
                if (!seen[c]) {
                    seen[c] = 1;
                    all += cost[c];
                }
        std::vector<int64_t> blockCost = cost;
        int64_t blockWeight = productWeight;
        std::optional<std::vector<int>> best;
        const auto solver = [&](std::vector<int64_t> costs, int64_t weight) {
            return limits.work ? Mincov(std::move(costs), *limits.work, weight)
                               : Mincov(std::move(costs), limits.deadline, weight);
        };
        try {
            // Fewest products first, where dominance is strongest; then the fewest literals
            // with a product weighing just above the literals of that first cover, which keeps
            // the bounds tight. Where the work runs out the greedy cover met on the way stays.
            Mincov first = productWeight > 0 ? solver(std::vector<int64_t>(cost.size(), 1), 0)
                                             : solver(cost, 0);
            if (productWeight > 0 && limits.productBound)
                first.KnowLowerBound(limits.productBound(blockRows));
            first.QuickAscent(limits.quickAscent);
            if (limits.columnInSomeMinimum)
                first.KnowInSomeMinimum(limits.columnInSomeMinimum(blockRows));
            try {
                best = first.Solve(blockRows, all);
            } catch (const CoveringTimeout&) {
                if (!first.Incumbent().empty()) best = first.Incumbent();
                throw;
            }
            if (!best) return std::nullopt;
            // Where every column of the block costs the same, the fewest products are the
            // fewest literals: no second search (symmetric functions' blocks are so).
            bool sameCost = true;
            for (const auto& row : blockRows)
                for (int c : row) sameCost = sameCost && cost[c] == cost[blockRows[0][0]];
            if (productWeight > 0 && !sameCost) {
                int64_t literals = 0;
                for (int c : *best) literals += cost[c] - productWeight;
                blockWeight = literals + 1;
                for (std::size_t c = 0; c < cost.size(); ++c)
                    blockCost[c] = blockWeight + cost[c] - productWeight;
                Mincov weighted = solver(blockCost, blockWeight);
                weighted.QuickAscent(limits.quickAscent);
                const int64_t limit = static_cast<int64_t>(best->size()) * blockWeight + literals;
                if (auto cheaper = weighted.Solve(blockRows, limit)) best = std::move(cheaper);
            }
        } catch (const CoveringTimeout&) {
            if (!limits.work) throw;
            // Out of work: the best cover met stands for the block, neither proven nor listed.
            if (!best) best = GreedyCover(blockRows, cost);
            result.proven = false;
            result.complete = false;
            for (int c : *best) result.cost += cost[c];
            for (auto& cover : result.covers) cover.insert(cover.end(), best->begin(), best->end());
            continue;
        }
        int64_t target = 0;
        for (int c : *best) {
            target += blockCost[c];
            result.cost += cost[c];
        }

        Lister lister(std::move(blockRows), blockCost, blockWeight, target, limits.maxList,
                      nodesLeft, std::min(limits.deadline, limits.countDeadline), limits.countWork);
        const bool counted = lister.Run();
        std::vector<std::vector<int>>& found = lister.Covers();
        if (found.empty()) found.push_back(*best);  // the budget ran out before the first
        result.complete = result.complete && counted;
        result.count =
            TimesSaturating(result.count, std::max<uint64_t>(lister.Count(), found.size()));

        std::vector<std::vector<int>> joined;
        for (const auto& before : result.covers) {
            for (const auto& here : found) {
                if (joined.size() >= limits.maxList) break;
                std::vector<int> cover = before;
                cover.insert(cover.end(), here.begin(), here.end());
                joined.push_back(std::move(cover));
            }
            if (joined.size() >= limits.maxList) break;
        }
        result.covers = std::move(joined);
    }
    for (auto& cover : result.covers) std::sort(cover.begin(), cover.end());
    if (limits.maxList == 0) result.covers.clear();
    return result;
}

}  // namespace mwcore
