#include "core/Mincov.h"

#include <algorithm>
#include <bit>

#include "core/BitSet.h"
#include "core/Invariant.h"

namespace mwcore {

using namespace bits;

namespace {

bool IsSubset(const std::vector<int>& small, const std::vector<int>& large) {
    return std::includes(large.begin(), large.end(), small.begin(), small.end());
}

}  // namespace

bool DropDominatedRows(std::vector<std::vector<int>>& rows) {
    const std::size_t before = rows.size();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.size() < b.size(); });
    std::vector<std::vector<int>> kept;
    int columns = 0;
    for (const auto& row : rows)
        if (!row.empty()) columns = std::max(columns, row.back() + 1);
    std::vector<std::vector<int>> byFirst(columns);  // kept rows by their smallest column
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

Mincov::Mincov(std::vector<int64_t> cost, Work& work, int64_t productWeight)
    : cost_(std::move(cost)), work_(&work), productWeight_(productWeight) {}

Mincov::Mincov(std::vector<int64_t> cost, std::chrono::steady_clock::time_point deadline,
               int64_t productWeight)
    : cost_(std::move(cost)),
      ownGuard_(std::make_unique<Guard>(deadline)),
      ownWork_(std::make_unique<Work>(Work::kUnlimited, ownGuard_.get())),
      work_(ownWork_.get()),
      productWeight_(productWeight) {}

void Mincov::Spend(int64_t units) {
    if (!work_->Spend(units)) throw CoveringTimeout{};
}

int64_t Mincov::CostOf(const std::vector<int>& columns) const {
    int64_t c = 0;
    for (int col : columns) c += cost_[col];
    return c;
}

void Mincov::Build(const std::vector<std::vector<int>>& rows) {
    std::vector<int> denseOf(cost_.size(), -1);
    id_.clear();
    for (const auto& row : rows)
        for (int c : row)
            if (denseOf[c] < 0) {
                denseOf[c] = static_cast<int>(id_.size());
                id_.push_back(c);
            }
    dense_cost_.resize(id_.size());
    for (std::size_t d = 0; d < id_.size(); ++d) dense_cost_[d] = cost_[id_[d]];
    rowWords_ = (rows.size() + 63) / 64;
    colWords_ = (id_.size() + 63) / 64;
    rowCols_.assign(rows.size(), Bits(colWords_, 0));
    colRows_.assign(id_.size(), Bits(rowWords_, 0));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c : rows[r]) {
            Set(rowCols_[r], denseOf[c]);
            Set(colRows_[denseOf[c]], static_cast<int>(r));
        }
}

std::optional<std::vector<int>> Mincov::Solve(const std::vector<std::vector<int>>& rows,
                                              int64_t bound) {
    incumbent_.clear();
    rootBound_ = 0;
    for (const auto& row : rows)
        if (row.empty()) return std::nullopt;  // nothing covers it
    // Both orientations of the matrix, and the row-intersection graph, are bit sets.
    if (rows.size() * cost_.size() > kMaxCells || rows.size() * rows.size() > kMaxCells)
        throw CoveringTimeout{};
    // The root's reductions usually leave a fraction of the columns; the search then runs on
    // that smaller matrix, renumbered, so that every bit set is short.
    Build(rows);
    Bits all(rowWords_, 0), allCols(colWords_, 0);
    for (std::size_t r = 0; r < rows.size(); ++r) Set(all, static_cast<int>(r));
    for (std::size_t d = 0; d < id_.size(); ++d) Set(allCols, static_cast<int>(d));
    std::vector<int> forced;
    Spend(static_cast<int64_t>(rows.size() * colWords_ + id_.size() * rowWords_) + 1);
    if (const auto at = std::find(id_.begin(), id_.end(), knownIn_); at != id_.end()) {
        const int c = static_cast<int>(at - id_.begin());
        forced.push_back(c);
        Reset(allCols, c);
        for (std::size_t w = 0; w < rowWords_; ++w) all[w] &= ~colRows_[c][w];
    }
    if (!Reduce(all, allCols, forced)) return std::nullopt;
    int64_t forcedCost = 0;
    for (int& c : forced) {
        c = id_[c];
        forcedCost += cost_[c];
    }
    if (forcedCost >= bound) return std::nullopt;
    std::vector<std::vector<int>> left;
    ForEach(all, [&](int r) {
        left.emplace_back();
        ForEachOfBoth(rowCols_[r], allCols, [&](int c) { left.back().push_back(id_[c]); });
    });
    Build(left);
    price_.assign(left.size(), -1);
    priceLiterals_.assign(left.size(), -1);
    Bits rowsAlive(rowWords_, 0), colsAlive(colWords_, 0);
    for (std::size_t r = 0; r < left.size(); ++r) Set(rowsAlive, static_cast<int>(r));
    for (std::size_t d = 0; d < id_.size(); ++d) Set(colsAlive, static_cast<int>(d));
    // A cover built greedily by the root's prices is often the optimum or close to it; as the
    // first incumbent it lets the bounds cut from the start. A plain greedy cover comes first:
    // the prices' ascent steps towards the best cover known, and from a loose one it overshoots.
    std::vector<int> chosen;
    const auto keep = [&](std::vector<int> greedy) {
        int64_t greedyCost = 0;
        for (int c : greedy) greedyCost += dense_cost_[c];
        if (greedy.empty() || forcedCost + greedyCost >= bound) return;
        bound = forcedCost + greedyCost;
        chosen = std::move(greedy);
        incumbent_.clear();
        for (int c : chosen) incumbent_.push_back(id_[c]);
        incumbent_.insert(incumbent_.end(), forced.begin(), forced.end());
    };
    if (quickAscent_) keep(PricedGreedyCover(rowsAlive, colsAlive));
    bool dropped = false;
    Spend(1);
    ascentSteps_ = kAscentSteps;
    rootBound_ = std::max(knownLower_, forcedCost + LagrangianBound(rowsAlive, colsAlive,
                                                                    bound - forcedCost, dropped));
    Spend(1);
    keep(PricedGreedyCover(rowsAlive, colsAlive));
    std::vector<int> better;
    int64_t cost = 0;
    if (Search(std::move(rowsAlive), std::move(colsAlive), bound - forcedCost,
               std::max<int64_t>(0, knownLower_ - forcedCost), better, cost))
        chosen = std::move(better);
    else if (chosen.empty())
        return std::nullopt;
    for (int& c : chosen) c = id_[c];
    chosen.insert(chosen.end(), forced.begin(), forced.end());
    return chosen;
}

int Mincov::RowLength(int r, const Bits& cols) const {
    return CountOfBoth(rowCols_[r], cols);
}
int Mincov::ColumnLength(int c, const Bits& rows) const {
    return CountOfBoth(colRows_[c], rows);
}

bool Mincov::Reduce(Bits& rows, Bits& cols, std::vector<int>& forced) {
    for (bool changed = true; changed;) {
        Spend(static_cast<int64_t>(Count(rows) * colWords_ + Count(cols) * rowWords_) + 1);
        changed = false;
        // A row with one column forces it; a row with none cannot be covered here.
        bool infeasible = false;
        std::vector<int> single;
        ForEach(rows, [&](int r) {
            int only = -1, count = 0;
            for (std::size_t w = 0; w < colWords_ && count < 2; ++w) {
                const uint64_t x = rowCols_[r][w] & cols[w];
                if (!x) continue;
                count += std::popcount(x);
                only = static_cast<int>(w * 64 + std::countr_zero(x));
            }
            if (count == 0) infeasible = true;
            if (count == 1) single.push_back(only);
        });
        if (infeasible) return false;
        if (!single.empty()) {
            for (int c : single) {
                if (!Test(cols, c)) continue;  // forced twice
                forced.push_back(c);
                Reset(cols, c);
                for (std::size_t w = 0; w < rowWords_; ++w) rows[w] &= ~colRows_[c][w];
            }
            changed = true;
            continue;
        }
        if (DropDominatedRowsOf(rows, cols)) changed = true;
        if (DropDominatedColumnsOf(rows, cols)) changed = true;
    }
    return true;
}

// A row holding all columns of another row is covered whenever that one is. The kept rows
// are filed under their first column, so a row is tested only against those lying within it.
bool Mincov::DropDominatedRowsOf(Bits& rows, const Bits& cols) {
    // (length, row) in that order, by counting: a comparison sort showed in the profile.
    std::vector<int>& rowLength = scratchRowLength_;
    std::vector<int>& slot = scratchSlot_;  // per length: where its rows go
    rowLength.resize(rowCols_.size());
    slot.assign(id_.size() + 2, 0);
    int live = 0;
    ForEach(rows, [&](int r) {
        rowLength[r] = RowLength(r, cols);
        ++slot[rowLength[r] + 1];
        ++live;
    });
    for (std::size_t l = 1; l < slot.size(); ++l) slot[l] += slot[l - 1];
    std::vector<std::pair<int, int>>& byLength = scratchOrder_;
    byLength.resize(static_cast<std::size_t>(live));
    ForEach(rows, [&](int r) { byLength[slot[rowLength[r]]++] = {rowLength[r], r}; });
    std::vector<int>& head = scratchHead_;  // per column: the last kept row filed there
    std::vector<int>& next = scratchNext_;  // per row: the kept row filed before it
    head.assign(id_.size(), -1);
    next.resize(rowCols_.size());
    bool dropped = false;
    for (const auto& [length, r] : byLength) {
        const Bits& row = rowCols_[r];
        bool dominated = false;
        int first = -1;
        for (std::size_t w = 0; w < colWords_ && !dominated; ++w)
            for (uint64_t x = row[w] & cols[w]; x && !dominated; x &= x - 1) {
                const int c = static_cast<int>(w * 64 + std::countr_zero(x));
                if (first < 0) first = c;
                for (int k = head[c]; k >= 0 && !dominated; k = next[k])
                    dominated = SubsetWithin(rowCols_[k], row, cols);
            }
        if (dominated) {
            Reset(rows, r);
            dropped = true;
        } else if (first >= 0) {
            next[r] = head[first];
            head[first] = r;
        }
    }
    return dropped;
}

// A column whose rows another column, no dearer, also covers is not needed (of two equal
// ones the later goes). Columns covering nothing go too. A dominating column holds every row
// of the dominated one, so one row of it (the shortest) names all candidates.
bool Mincov::DropDominatedColumnsOf(const Bits& rows, Bits& cols) {
    std::vector<int>& length = scratchLength_;
    length.assign(id_.size(), 0);
    bool dropped = false;
    ForEach(cols, [&](int c) {
        length[c] = ColumnLength(c, rows);
        if (length[c] == 0) {
            Reset(cols, c);
            dropped = true;
        }
    });
    std::vector<int>& rowLength = scratchRowLength_;
    rowLength.assign(rowCols_.size(), 0);
    ForEach(rows, [&](int r) { rowLength[r] = RowLength(r, cols); });
    std::vector<int>& own = scratchList_;  // the rows of the column tested
    ForEach(cols, [&](int c1) {
        int row = -1;
        own.clear();
        ForEachOfBoth(colRows_[c1], rows, [&](int r) {
            own.push_back(r);
            if (row < 0 || rowLength[r] < rowLength[row]) row = r;
        });
        bool dominated = false;
        for (std::size_t w = 0; w < colWords_ && !dominated; ++w)
            for (uint64_t x = rowCols_[row][w] & cols[w]; x && !dominated; x &= x - 1) {
                const int c2 = static_cast<int>(w * 64 + std::countr_zero(x));
                if (c2 == c1 || dense_cost_[c2] > dense_cost_[c1] || length[c2] < length[c1])
                    continue;
                if (length[c2] == length[c1] && dense_cost_[c2] == dense_cost_[c1] && c2 > c1)
                    continue;
                const Bits& rows2 = colRows_[c2];
                bool subset = true;
                for (std::size_t i = 0; i < own.size() && subset; ++i) subset = Test(rows2, own[i]);
                dominated = subset;
            }
        if (dominated) {
            Reset(cols, c1);
            dropped = true;
        }
    });
    return dropped;
}

std::vector<Mincov::Bits> Mincov::Blocks(const Bits& rows, const Bits& cols) {
    std::vector<Bits> blocks;
    Bits left = rows;
    while (!None(left)) {
        Bits block(rowWords_, 0), frontier(rowWords_, 0);
        ForEach(left, [&](int r) {
            if (None(frontier)) Set(frontier, r);
        });
        while (!None(frontier)) {
            for (std::size_t w = 0; w < rowWords_; ++w) block[w] |= frontier[w];
            Bits reached(colWords_, 0);
            ForEach(frontier, [&](int r) {
                for (std::size_t w = 0; w < colWords_; ++w) reached[w] |= rowCols_[r][w] & cols[w];
            });
            Bits next(rowWords_, 0);
            ForEach(reached, [&](int c) {
                for (std::size_t w = 0; w < rowWords_; ++w) next[w] |= colRows_[c][w];
            });
            for (std::size_t w = 0; w < rowWords_; ++w) frontier[w] = next[w] & left[w] & ~block[w];
        }
        for (std::size_t w = 0; w < rowWords_; ++w) left[w] &= ~block[w];
        if (blocks.empty() && None(left)) return {};  // one block
        blocks.push_back(std::move(block));
    }
    return blocks;
}

bool Mincov::SearchBlocks(const Bits& rows, const Bits& cols, const std::vector<Bits>& blocks,
                          int64_t bound, const std::vector<int>& forced, std::vector<int>& chosen,
                          int64_t& cost) {
    (void)rows;
    std::vector<int64_t> lower(blocks.size());
    int64_t rest = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) rest += lower[i] = LowerBound(blocks[i], cols);
    int64_t total = 0;
    for (int c : forced) total += dense_cost_[c];
    if (total + rest >= bound) return false;
    std::vector<int> all = forced;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        rest -= lower[i];
        std::vector<int> part;
        int64_t partCost = 0;
        if (!Search(blocks[i], cols, bound - total - rest, lower[i], part, partCost)) return false;
        total += partCost;
        all.insert(all.end(), part.begin(), part.end());
    }
    chosen = std::move(all);
    cost = total;
    return true;
}

// A cover found below a node covers its rows with its columns, costs what its columns cost,
// and lies between the node's inherited lower bound and its upper bound: the checks that
// catch an unsound reduction or bound where it happens.
bool Mincov::Search(Bits rows, Bits cols, int64_t bound, int64_t inherited,
                    std::vector<int>& chosen, int64_t& cost) {
#ifdef MW_CORE_INVARIANTS
    const Bits rowsIn = rows, colsIn = cols;
    const bool found = SearchNode(std::move(rows), std::move(cols), bound, inherited, chosen, cost);
    if (found) {
        Bits covered(rowWords_, 0);
        int64_t sum = 0;
        for (int c : chosen) {
            MW_INVARIANT(Test(colsIn, c));
            sum += dense_cost_[c];
            for (std::size_t w = 0; w < rowWords_; ++w) covered[w] |= colRows_[c][w];
        }
        MW_INVARIANT(SubsetWithin(rowsIn, covered, rowsIn));
        MW_INVARIANT(sum == cost && cost < bound && cost >= inherited);
    }
    return found;
#else
    return SearchNode(std::move(rows), std::move(cols), bound, inherited, chosen, cost);
#endif
}

bool Mincov::SearchNode(Bits rows, Bits cols, int64_t bound, int64_t inherited,
                        std::vector<int>& chosen, int64_t& cost) {
    // Nodes of a large matrix take milliseconds: the clock is read at every one.
    ++nodes_;
    Spend(1);
    std::vector<int> forced;
    int64_t forcedCost = 0;
    int64_t lower = 0, lagrangian = 0;
    int passes = 0;
    for (;;) {
        if (!Reduce(rows, cols, forced)) return false;
        forcedCost = 0;
        for (int c : forced) forcedCost += dense_cost_[c];
        if (forcedCost >= bound) return false;
        if (None(rows)) {
            chosen = std::move(forced);
            cost = forcedCost;
            return true;
        }
        const std::vector<Bits> blocks = Blocks(rows, cols);
        if (!blocks.empty()) return SearchBlocks(rows, cols, blocks, bound, forced, chosen, cost);
        const int64_t own = forcedCost + LowerBound(rows, cols);
        lower = std::max({own, inherited, quickAscent_ ? lagrangian : 0});
        if (lower >= bound) return false;
        if (DropColumnsOverLimit(rows, cols, bound - own)) continue;
        bool dropped = false;
        ascentSteps_ = passes++ && quickAscent_ ? kRepeatSteps : kAscentSteps;
        lagrangian = forcedCost + LagrangianBound(rows, cols, bound - forcedCost, dropped);
        lower = std::max(lower, lagrangian);
        if (lower >= bound) return false;
        if (!dropped) break;
    }

    // Branch on a column of an independent row, weighing each row it covers by how few other
    // columns could cover it (espresso's choice).
    std::vector<int> rowLength(rowCols_.size(), 0);
    ForEach(rows, [&](int r) { rowLength[r] = RowLength(r, cols); });
    int pick = -1;
    double pickWeight = -1;
    for (int r : indep_)
        ForEachOfBoth(rowCols_[r], cols, [&](int c) {
            double w = 0;
            ForEachOfBoth(colRows_[c], rows,
                          [&](int o) { w += 1.0 / static_cast<double>(rowLength[o] - 1); });
            w /= static_cast<double>(dense_cost_[c]);
            if (w > pickWeight) {
                pick = c;
                pickWeight = w;
            }
        });

    bool found = false;
    {
        Bits withRows = rows, withCols = cols;
        for (std::size_t w = 0; w < rowWords_; ++w) withRows[w] &= ~colRows_[pick][w];
        Reset(withCols, pick);
        std::vector<int> part;
        int64_t partCost = 0;
        const int64_t pickCost = dense_cost_[pick];
        if (Search(std::move(withRows), std::move(withCols), bound - forcedCost - pickCost,
                   lower - forcedCost - pickCost, part, partCost)) {
            cost = forcedCost + pickCost + partCost;
            bound = cost;
            chosen = forced;
            chosen.push_back(pick);
            chosen.insert(chosen.end(), part.begin(), part.end());
            found = true;
            if (cost == lower) return true;  // meets the bound: nothing cheaper without `pick`
        }
    }
    Reset(cols, pick);
    std::vector<int> part;
    int64_t partCost = 0;
    if (Search(std::move(rows), std::move(cols), bound - forcedCost, lower - forcedCost, part,
               partCost)) {
        cost = forcedCost + partCost;
        chosen = std::move(forced);
        chosen.insert(chosen.end(), part.begin(), part.end());
        found = true;
    }
    return found;
}

}  // namespace mwcore
