#include "core/Mincov.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace mwcore {

Mincov::Mincov(std::vector<int64_t> cost, std::chrono::steady_clock::time_point deadline)
    : cost_(std::move(cost)),
      deadline_(deadline),
      mark_(cost_.size(), 0),
      seen_(cost_.size(), 0),
      drop_(cost_.size(), 0),
      local_(cost_.size(), 0) {}

int64_t Mincov::CostOf(const std::vector<int>& columns) const {
    int64_t c = 0;
    for (int col : columns) c += cost_[col];
    return c;
}

std::optional<std::vector<int>> Mincov::Solve(std::vector<std::vector<int>> rows, int64_t bound) {
    std::vector<int> chosen;
    int64_t cost = 0;
    if (!Search(std::move(rows), bound, chosen, cost)) return std::nullopt;
    return chosen;
}

namespace {

bool IsSubset(const std::vector<int>& small, const std::vector<int>& large) {
    return std::includes(large.begin(), large.end(), small.begin(), small.end());
}

}  // namespace

bool DropDominatedRows(std::vector<std::vector<int>>& rows) {
    std::vector<std::vector<int>> byFirst;
    return DropDominatedRows(rows, byFirst);
}

bool DropDominatedRows(std::vector<std::vector<int>>& rows, std::vector<std::vector<int>>& byFirst) {
    const std::size_t before = rows.size();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.size() < b.size(); });
    std::vector<std::vector<int>> kept;
    int columns = 0;
    for (const auto& row : rows)
        if (!row.empty()) columns = std::max(columns, row.back() + 1);
    // Kept rows by their smallest column; the lists are reused between calls.
    if (static_cast<int>(byFirst.size()) < columns) byFirst.resize(columns);
    for (int c = 0; c < columns; ++c) byFirst[c].clear();
    for (auto& row : rows) {
        bool dominated = false;
        for (int c : row) {
            for (int k : byFirst[c])
                if (IsSubset(kept[k], row)) {
                    dominated = true;
                    break;
                }
            if (dominated) break;
        }
        if (dominated) continue;
        if (!row.empty()) byFirst[row.front()].push_back(static_cast<int>(kept.size()));
        kept.push_back(std::move(row));
    }
    rows = std::move(kept);
    return rows.size() != before;
}

void Mincov::Reduce(Rows& rows, std::vector<int>& forced) {
    for (bool changed = true; changed && !rows.empty();) {
        changed = false;
        // A row with one column forces it.
        std::vector<int> single;
        for (const auto& row : rows)
            if (row.size() == 1) single.push_back(row[0]);
        if (!single.empty()) {
            std::sort(single.begin(), single.end());
            single.erase(std::unique(single.begin(), single.end()), single.end());
            forced.insert(forced.end(), single.begin(), single.end());
            std::erase_if(rows, [&](const auto& row) {
                for (int c : row)
                    if (std::binary_search(single.begin(), single.end(), c)) return true;
                return false;
            });
            changed = true;
            continue;
        }
        if (DropDominatedRows(rows, byFirst_)) changed = true;
        // A column whose rows another column, no dearer, also covers is not needed.
        const std::vector<std::vector<int>>& colRows = ColumnRows(rows);
        bool dropped = false;
        for (int c1 : active_) {
            const auto& r1 = colRows[local_[c1]];
            for (int c2 : rows[r1.front()]) {
                if (c2 == c1 || drop_[c2] == stamp_ || cost_[c2] > cost_[c1]) continue;
                const auto& r2 = colRows[local_[c2]];
                if (r2.size() < r1.size()) continue;
                if (r2.size() == r1.size() && cost_[c2] == cost_[c1] && c2 > c1) continue;
                if (IsSubset(r1, r2)) {
                    drop_[c1] = stamp_;
                    dropped = true;
                    break;
                }
            }
        }
        if (dropped) {
            for (auto& row : rows) std::erase_if(row, [&](int c) { return drop_[c] == stamp_; });
            changed = true;
        }
    }
}

// Numbers the columns in use (active_, local_) and lists each one's rows.
const std::vector<std::vector<int>>& Mincov::ColumnRows(const Rows& rows) {
    ++stamp_;
    active_.clear();
    for (const auto& row : rows)
        for (int c : row)
            if (seen_[c] != stamp_) {
                seen_[c] = stamp_;
                local_[c] = static_cast<int>(active_.size());
                active_.push_back(c);
            }
    if (colRows_.size() < active_.size()) colRows_.resize(active_.size());
    for (std::size_t i = 0; i < active_.size(); ++i) colRows_[i].clear();
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c : rows[r]) colRows_[local_[c]].push_back(static_cast<int>(r));
    return colRows_;
}

std::vector<Mincov::Rows> Mincov::Blocks(const Rows& rows) {
    ColumnRows(rows);
    std::vector<int> parent(active_.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto find = [&](int x) {
        while (parent[x] != x) x = parent[x] = parent[parent[x]];
        return x;
    };
    for (const auto& row : rows)
        for (std::size_t i = 1; i < row.size(); ++i) {
            const int a = find(local_[row[0]]), b = find(local_[row[i]]);
            if (a != b) parent[a] = b;
        }
    int roots = 0;
    for (std::size_t i = 0; i < parent.size() && roots < 2; ++i) roots += find(static_cast<int>(i)) == static_cast<int>(i);
    if (roots < 2) return {};  // one block: the caller keeps its rows
    std::vector<int> blockOf(active_.size(), -1);
    std::vector<Rows> blocks;
    for (const auto& row : rows) {
        int& id = blockOf[find(local_[row[0]])];
        if (id < 0) {
            id = static_cast<int>(blocks.size());
            blocks.emplace_back();
        }
        blocks[id].push_back(row);
    }
    return blocks;
}

int64_t Mincov::LowerBound(const Rows& rows) {
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return rows[a].size() < rows[b].size(); });
    ++stamp_;
    int64_t bound = 0;
    for (int r : order) {
        bool free = true;
        int64_t cheapest = std::numeric_limits<int64_t>::max();
        for (int c : rows[r]) {
            if (mark_[c] == stamp_) {
                free = false;
                break;
            }
            cheapest = std::min(cheapest, cost_[c]);
        }
        if (!free) continue;
        for (int c : rows[r]) mark_[c] = stamp_;
        bound += cheapest;
    }
    return bound;
}

bool Mincov::Search(Rows rows, int64_t bound, std::vector<int>& chosen, int64_t& cost) {
    if ((++nodes_ & 63) == 0 && std::chrono::steady_clock::now() > deadline_) throw CoveringTimeout{};
    std::vector<int> forced;
    Reduce(rows, forced);
    const int64_t forcedCost = CostOf(forced);
    if (forcedCost >= bound) return false;
    if (rows.empty()) {
        chosen = std::move(forced);
        cost = forcedCost;
        return true;
    }
    std::vector<Rows> blocks = Blocks(rows);
    if (blocks.size() > 1) {
        std::vector<int64_t> lower(blocks.size());
        int64_t rest = 0;
        for (std::size_t i = 0; i < blocks.size(); ++i) rest += lower[i] = LowerBound(blocks[i]);
        int64_t total = forcedCost;
        if (total + rest >= bound) return false;
        std::vector<int> all = forced;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            rest -= lower[i];
            std::vector<int> part;
            int64_t partCost = 0;
            if (!Search(std::move(blocks[i]), bound - total - rest, part, partCost)) return false;
            total += partCost;
            all.insert(all.end(), part.begin(), part.end());
        }
        chosen = std::move(all);
        cost = total;
        return true;
    }
    const int64_t lower = forcedCost + LowerBound(rows);
    if (lower >= bound) return false;

    // Branch on a column of a shortest row, weighing each row it covers by how few other
    // columns could cover it (espresso's choice).
    std::size_t shortest = 0;
    for (std::size_t r = 1; r < rows.size(); ++r)
        if (rows[r].size() < rows[shortest].size()) shortest = r;
    const std::vector<std::vector<int>>& colRows = ColumnRows(rows);  // used before recursing
    const auto weight = [&](int c) {
        double w = 0;
        for (int r : colRows[local_[c]]) w += 1.0 / static_cast<double>(rows[r].size() - 1);
        return w / static_cast<double>(cost_[c]);
    };
    int pick = rows[shortest][0];
    double pickWeight = weight(pick);
    for (int c : rows[shortest]) {
        const double w = weight(c);
        if (w > pickWeight) {
            pick = c;
            pickWeight = w;
        }
    }

    bool found = false;
    {
        Rows with;
        for (const auto& row : rows)
            if (!std::binary_search(row.begin(), row.end(), pick)) with.push_back(row);
        std::vector<int> part;
        int64_t partCost = 0;
        if (Search(std::move(with), bound - forcedCost - cost_[pick], part, partCost)) {
            cost = forcedCost + cost_[pick] + partCost;
            bound = cost;
            chosen = forced;
            chosen.push_back(pick);
            chosen.insert(chosen.end(), part.begin(), part.end());
            found = true;
            if (cost == lower) return true;  // meets the bound: nothing cheaper without `pick`
        }
    }
    for (auto& row : rows) {
        std::erase(row, pick);
        if (row.empty()) return found;
    }
    std::vector<int> part;
    int64_t partCost = 0;
    if (Search(std::move(rows), bound - forcedCost, part, partCost)) {
        cost = forcedCost + partCost;
        chosen = std::move(forced);
        chosen.insert(chosen.end(), part.begin(), part.end());
        found = true;
    }
    return found;
}

}  // namespace mwcore
