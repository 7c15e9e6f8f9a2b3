#include "core/Mincov.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numeric>
#include <queue>
#include <cmath>

namespace mwcore {

namespace {

using Bits = std::vector<uint64_t>;

bool Test(const Bits& b, int i) { return (b[i >> 6] >> (i & 63)) & 1; }
void Set(Bits& b, int i) { b[i >> 6] |= uint64_t{1} << (i & 63); }
void Reset(Bits& b, int i) { b[i >> 6] &= ~(uint64_t{1} << (i & 63)); }

bool None(const Bits& b) {
    return std::all_of(b.begin(), b.end(), [](uint64_t w) { return w == 0; });
}

// Calls f(i) for every set bit of a & b.
template <class F>
void ForEachOfBoth(const Bits& a, const Bits& b, F&& f) {
    for (std::size_t w = 0; w < a.size(); ++w)
        for (uint64_t x = a[w] & b[w]; x; x &= x - 1) f(static_cast<int>(w * 64 + std::countr_zero(x)));
}

template <class F>
void ForEach(const Bits& a, F&& f) {
    for (std::size_t w = 0; w < a.size(); ++w)
        for (uint64_t x = a[w]; x; x &= x - 1) f(static_cast<int>(w * 64 + std::countr_zero(x)));
}

int CountOfBoth(const Bits& a, const Bits& b) {
    int n = 0;
    for (std::size_t w = 0; w < a.size(); ++w) n += std::popcount(a[w] & b[w]);
    return n;
}

// (a & within) is a subset of b.
bool SubsetWithin(const Bits& a, const Bits& b, const Bits& within) {
    for (std::size_t w = 0; w < a.size(); ++w)
        if (a[w] & within[w] & ~b[w]) return false;
    return true;
}

// The least integer not below x, allowing for the rounding of long sums (costs reach 2^32).
double Ceil(double x) { return std::ceil(x - 1e-6 - 1e-9 * std::fabs(x)); }

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

Mincov::Mincov(std::vector<int64_t> cost, std::chrono::steady_clock::time_point deadline,
               int64_t productWeight)
    : cost_(std::move(cost)), deadline_(deadline), productWeight_(productWeight) {}

void Mincov::CheckDeadline() const {
    if (std::chrono::steady_clock::now() > deadline_) throw CoveringTimeout{};
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

std::optional<std::vector<int>> Mincov::Solve(const std::vector<std::vector<int>>& rows, int64_t bound) {
    incumbent_.clear();
    for (const auto& row : rows)
        if (row.empty()) return std::nullopt;  // nothing covers it
    // Both orientations of the matrix, and the row-intersection graph, are bit sets.
    if (rows.size() * cost_.size() > kMaxCells || rows.size() * rows.size() > kMaxCells) throw CoveringTimeout{};
    // The root's reductions usually leave a fraction of the columns; the search then runs on
    // that smaller matrix, renumbered, so that every bit set is short.
    Build(rows);
    Bits all(rowWords_, 0), allCols(colWords_, 0);
    for (std::size_t r = 0; r < rows.size(); ++r) Set(all, static_cast<int>(r));
    for (std::size_t d = 0; d < id_.size(); ++d) Set(allCols, static_cast<int>(d));
    std::vector<int> forced;
    CheckDeadline();
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
    // first incumbent it lets the bounds cut from the start.
    std::vector<int> chosen;
    bool dropped = false;
    CheckDeadline();
    LagrangianBound(rowsAlive, colsAlive, bound - forcedCost, dropped);
    CheckDeadline();
    std::vector<int> greedy = PricedGreedyCover(rowsAlive, colsAlive);
    int64_t greedyCost = 0;
    for (int c : greedy) greedyCost += dense_cost_[c];
    if (!greedy.empty() && forcedCost + greedyCost < bound) {
        bound = forcedCost + greedyCost;
        chosen = std::move(greedy);
        for (int c : chosen) incumbent_.push_back(id_[c]);
        incumbent_.insert(incumbent_.end(), forced.begin(), forced.end());
    }
    std::vector<int> better;
    int64_t cost = 0;
    if (Search(std::move(rowsAlive), std::move(colsAlive), bound - forcedCost, 0, better, cost))
        chosen = std::move(better);
    else if (chosen.empty())
        return std::nullopt;
    for (int& c : chosen) c = id_[c];
    chosen.insert(chosen.end(), forced.begin(), forced.end());
    return chosen;
}

int Mincov::RowLength(int r, const Bits& cols) const { return CountOfBoth(rowCols_[r], cols); }
int Mincov::ColumnLength(int c, const Bits& rows) const { return CountOfBoth(colRows_[c], rows); }

bool Mincov::Reduce(Bits& rows, Bits& cols, std::vector<int>& forced) {
    for (bool changed = true; changed;) {
        CheckDeadline();
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

// A row holding all columns of another row is covered whenever that one is.
bool Mincov::DropDominatedRowsOf(Bits& rows, const Bits& cols) {
    std::vector<std::pair<int, int>> byLength;  // (length, row)
    ForEach(rows, [&](int r) { byLength.push_back({RowLength(r, cols), r}); });
    std::sort(byLength.begin(), byLength.end());
    std::vector<std::pair<int, int>> kept;  // (row, its first column)
    bool dropped = false;
    for (const auto& [length, r] : byLength) {
        bool dominated = false;
        for (const auto& [k, first] : kept)
            if (Test(rowCols_[r], first) && SubsetWithin(rowCols_[k], rowCols_[r], cols)) {
                dominated = true;
                break;
            }
        if (dominated) {
            Reset(rows, r);
            dropped = true;
        } else {
            int first = -1;
            for (std::size_t w = 0; w < colWords_ && first < 0; ++w)
                if (const uint64_t x = rowCols_[r][w] & cols[w]) first = static_cast<int>(w * 64 + std::countr_zero(x));
            kept.push_back({r, first});
        }
    }
    return dropped;
}

// A column whose rows another column, no dearer, also covers is not needed (of two equal
// ones the later goes). Columns covering nothing go too.
bool Mincov::DropDominatedColumnsOf(const Bits& rows, Bits& cols) {
    std::vector<int> length(id_.size(), 0);
    bool dropped = false;
    ForEach(cols, [&](int c) {
        length[c] = ColumnLength(c, rows);
        if (length[c] == 0) {
            Reset(cols, c);
            dropped = true;
        }
    });
    std::vector<int> rowLength(rowCols_.size(), 0);
    ForEach(rows, [&](int r) { rowLength[r] = RowLength(r, cols); });
    ForEach(cols, [&](int c1) {
        // Every dominating column shares c1's shortest row.
        int row = -1;
        ForEachOfBoth(colRows_[c1], rows, [&](int r) {
            if (row < 0 || rowLength[r] < rowLength[row]) row = r;
        });
        bool dominated = false;
        for (std::size_t w = 0; w < colWords_ && !dominated; ++w)
            for (uint64_t x = rowCols_[row][w] & cols[w]; x && !dominated; x &= x - 1) {
                const int c2 = static_cast<int>(w * 64 + std::countr_zero(x));
                if (c2 == c1 || dense_cost_[c2] > dense_cost_[c1] || length[c2] < length[c1]) continue;
                if (length[c2] == length[c1] && dense_cost_[c2] == dense_cost_[c1] && c2 > c1) continue;
                dominated = SubsetWithin(colRows_[c1], colRows_[c2], rows);
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

// Greedy maximal independent set on the row-intersection graph, fewest neighbours first.
int64_t Mincov::LowerBound(const Bits& rows, const Bits& cols) {
    std::vector<int> list;
    ForEach(rows, [&](int r) { list.push_back(r); });
    const std::size_t n = list.size();
    std::vector<int> at(rowCols_.size(), -1);
    for (std::size_t i = 0; i < n; ++i) at[list[i]] = static_cast<int>(i);
    const std::size_t words = (n + 63) / 64;
    std::vector<uint64_t> adj(n * words, 0);
    std::vector<int> degree(n, 0);
    Bits reach(rowWords_);
    for (std::size_t i = 0; i < n; ++i) {
        std::fill(reach.begin(), reach.end(), 0);
        ForEachOfBoth(rowCols_[list[i]], cols, [&](int c) {
            for (std::size_t w = 0; w < rowWords_; ++w) reach[w] |= colRows_[c][w];
        });
        ForEachOfBoth(reach, rows, [&](int r) {
            const int j = at[r];
            adj[i * words + j / 64] |= uint64_t{1} << (j % 64);
            ++degree[i];
        });
    }
    std::vector<uint64_t> alive(words, 0);
    for (std::size_t i = 0; i < n; ++i) alive[i / 64] |= uint64_t{1} << (i % 64);
    indep_.clear();
    indepCost_.clear();
    int64_t bound = 0;
    std::vector<int> gone;
    for (;;) {
        int best = -1;
        for (std::size_t w = 0; w < words; ++w)
            for (uint64_t b = alive[w]; b; b &= b - 1) {
                const int i = static_cast<int>(w * 64 + std::countr_zero(b));
                if (best < 0 || degree[i] < degree[best]) best = i;
            }
        if (best < 0) break;
        int64_t cheapest = std::numeric_limits<int64_t>::max();
        ForEachOfBoth(rowCols_[list[best]], cols, [&](int c) { cheapest = std::min(cheapest, dense_cost_[c]); });
        bound += cheapest;
        indep_.push_back(list[best]);
        indepCost_.push_back(cheapest);
        gone.clear();
        for (std::size_t w = 0; w < words; ++w)
            for (uint64_t b = adj[best * words + w] & alive[w]; b; b &= b - 1)
                gone.push_back(static_cast<int>(w * 64 + std::countr_zero(b)));
        for (int g : gone) alive[g / 64] &= ~(uint64_t{1} << (g % 64));
        for (int g : gone)
            for (std::size_t w = 0; w < words; ++w)
                for (uint64_t b = adj[g * words + w] & alive[w]; b; b &= b - 1)
                    --degree[w * 64 + std::countr_zero(b)];
    }
    return bound;
}

// Coudert's limit bound: taking column c raises the independent-set bound by its cost less
// what the one independent row it may cover was counted at; a column that would reach the
// bound that way is in no cheaper cover.
bool Mincov::DropColumnsOverLimit(const Bits& rows, Bits& cols, int64_t slack) {
    (void)rows;
    std::vector<int64_t> credit(id_.size(), 0);
    for (std::size_t i = 0; i < indep_.size(); ++i)
        ForEachOfBoth(rowCols_[indep_[i]], cols, [&](int c) { credit[c] = indepCost_[i]; });
    bool dropped = false;
    ForEach(cols, [&](int c) {
        if (dense_cost_[c] - credit[c] >= slack) {
            Reset(cols, c);
            dropped = true;
        }
    });
    return dropped;
}

// Subgradient ascent on row prices for the covering LP of the given column costs (Lagrangian
// relaxation): any prices give the lower bound sum of prices plus every negative reduced cost.
// Prices start where the last call on these rows ended, at first from each row's cheapest
// share of a column. Returns the best bound met, with the reduced costs at its prices.
double Mincov::Subgradient(const Sparse& m, const std::vector<double>& cost, std::vector<double>& store,
                           double target, std::vector<double>& rc) {
    const std::size_t nr = m.rowList.size(), nc = m.colList.size();
    std::vector<double> u(nr, std::numeric_limits<double>::max()), bestU;
    for (std::size_t j = 0; j < nc; ++j) {
        const double share = cost[j] / (m.start[j + 1] - m.start[j]);
        for (int k = m.start[j]; k < m.start[j + 1]; ++k) u[m.members[k]] = std::min(u[m.members[k]], share);
    }
    for (std::size_t i = 0; i < nr; ++i)
        if (store[m.rowList[i]] >= 0) u[i] = store[m.rowList[i]];
    std::vector<int> g(nr);
    double best = -1, lambda = 1.0;
    int still = 0;
    for (int it = 0; it < 60; ++it) {
        double value = 0;
        for (double x : u) value += x;
        std::fill(g.begin(), g.end(), 1);
        for (std::size_t j = 0; j < nc; ++j) {
            double r = cost[j];
            for (int k = m.start[j]; k < m.start[j + 1]; ++k) r -= u[m.members[k]];
            if (r < 0) {
                value += r;
                for (int k = m.start[j]; k < m.start[j + 1]; ++k) --g[m.members[k]];
            }
        }
        if (value > best + 1e-9) {
            best = value;
            bestU = u;
            still = 0;
        } else if (++still >= 5) {
            lambda /= 2;
            still = 0;
        }
        if (Ceil(best) >= target) break;
        double norm = 0;
        for (int x : g) norm += static_cast<double>(x) * x;
        if (norm == 0) break;  // the prices cover exactly: the bound is the LP's
        const double step = lambda * (target - value) / norm;
        for (std::size_t i = 0; i < nr; ++i) u[i] = std::max(0.0, u[i] + step * g[i]);
    }
    for (std::size_t i = 0; i < nr; ++i) store[m.rowList[i]] = bestU[i];
    double value = 0;
    for (double x : bestU) value += x;
    rc.resize(nc);
    for (std::size_t j = 0; j < nc; ++j) {
        double r = cost[j];
        for (int k = m.start[j]; k < m.start[j + 1]; ++k) r -= bestU[m.members[k]];
        rc[j] = r;
        value += std::min(0.0, r);
    }
    return value;
}

// The Lagrangian bound; columns whose reduced cost alone would reach the bound are dropped.
// With products and literals weighed together, the two are bounded apart: a cover needs a
// whole number of products, which one fractional bound of the sum cannot see.
int64_t Mincov::LagrangianBound(const Bits& rows, Bits& cols, int64_t bound, bool& dropped) {
    Sparse m;
    std::vector<int> at(rowCols_.size(), -1);
    ForEach(rows, [&](int r) {
        at[r] = static_cast<int>(m.rowList.size());
        m.rowList.push_back(r);
    });
    m.start.push_back(0);
    ForEach(cols, [&](int c) {
        m.colList.push_back(c);
        ForEachOfBoth(colRows_[c], rows, [&](int r) { m.members.push_back(at[r]); });
        m.start.push_back(static_cast<int>(m.members.size()));
    });
    if (m.rowList.empty()) return 0;
    const std::size_t nc = m.colList.size();
    std::vector<double> cost(nc), rc;
    const auto drop = [&](auto&& reaches) {
        for (std::size_t j = 0; j < nc; ++j)
            if (reaches(j)) {
                Reset(cols, m.colList[j]);
                dropped = true;
            }
    };
    if (productWeight_ == 0) {
        for (std::size_t j = 0; j < nc; ++j) cost[j] = static_cast<double>(dense_cost_[m.colList[j]]);
        const double target = static_cast<double>(bound);
        const double value = Subgradient(m, cost, price_, target, rc);
        const int64_t lower = static_cast<int64_t>(Ceil(value));
        if (lower < bound) drop([&](std::size_t j) { return rc[j] > 0 && Ceil(value + rc[j]) >= target; });
        return lower;
    }
    const int64_t weight = productWeight_;
    std::fill(cost.begin(), cost.end(), 1.0);
    const double products = Subgradient(m, cost, price_, static_cast<double>((bound + weight - 1) / weight), rc);
    const int64_t fewest = static_cast<int64_t>(Ceil(products));
    if (fewest * weight >= bound) return fewest * weight;
    std::vector<double> rcLiterals;
    for (std::size_t j = 0; j < nc; ++j) cost[j] = static_cast<double>(dense_cost_[m.colList[j]] - weight);
    const double literals =
        Subgradient(m, cost, priceLiterals_, static_cast<double>(bound - fewest * weight), rcLiterals);
    const int64_t lower = fewest * weight + static_cast<int64_t>(Ceil(literals));
    if (lower < bound)
        drop([&](std::size_t j) {
            const int64_t p = static_cast<int64_t>(Ceil(products + std::max(0.0, rc[j])));
            const int64_t l = static_cast<int64_t>(Ceil(literals + std::max(0.0, rcLiterals[j])));
            return p * weight + l >= bound;
        });
    return lower;
}

// Repeatedly the column whose uncovered rows are worth most, by the Lagrangian prices, per
// cost (worths only fall as rows get covered, so stale heap entries are rechecked, not all
// columns); then columns whose rows the others also cover go, dearest first. Empty when it
// fails.
std::vector<int> Mincov::PricedGreedyCover(const Bits& rows, const Bits& cols) {
    Bits open = rows;
    const auto valueOf = [&](int c) {
        double worth = 0;
        ForEachOfBoth(colRows_[c], open, [&](int r) { worth += std::max(price_[r], 0.0) + 1e-3; });
        return worth / static_cast<double>(dense_cost_[c]);
    };
    std::priority_queue<std::pair<double, int>> heap;
    ForEach(cols, [&](int c) { heap.push({valueOf(c), c}); });
    std::vector<int> cover;
    while (!None(open)) {
        if (heap.empty()) return {};
        const int c = heap.top().second;
        heap.pop();
        const double value = valueOf(c);
        if (value <= 0) continue;
        if (!heap.empty() && value < heap.top().first) {
            heap.push({value, c});
            continue;
        }
        cover.push_back(c);
        for (std::size_t w = 0; w < rowWords_; ++w) open[w] &= ~colRows_[c][w];
    }
    std::vector<int> count(rowCols_.size(), 0);
    for (int c : cover) ForEachOfBoth(colRows_[c], rows, [&](int r) { ++count[r]; });
    std::sort(cover.begin(), cover.end(), [&](int a, int b) { return dense_cost_[a] > dense_cost_[b]; });
    std::vector<int> kept;
    for (int c : cover) {
        bool needed = false;
        ForEachOfBoth(colRows_[c], rows, [&](int r) { needed = needed || count[r] < 2; });
        if (needed)
            kept.push_back(c);
        else
            ForEachOfBoth(colRows_[c], rows, [&](int r) { --count[r]; });
    }
    return kept;
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

bool Mincov::Search(Bits rows, Bits cols, int64_t bound, int64_t inherited, std::vector<int>& chosen,
                    int64_t& cost) {
    // Nodes of a large matrix take milliseconds: the clock is read at every one.
    ++nodes_;
    CheckDeadline();
    std::vector<int> forced;
    int64_t forcedCost = 0;
    int64_t lower = 0;
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
        lower = std::max(own, inherited);
        if (lower >= bound) return false;
        if (DropColumnsOverLimit(rows, cols, bound - own)) continue;
        bool dropped = false;
        lower = std::max(lower, forcedCost + LagrangianBound(rows, cols, bound - forcedCost, dropped));
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
            ForEachOfBoth(colRows_[c], rows, [&](int o) { w += 1.0 / static_cast<double>(rowLength[o] - 1); });
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
    if (Search(std::move(rows), std::move(cols), bound - forcedCost, lower - forcedCost, part, partCost)) {
        cost = forcedCost + partCost;
        chosen = std::move(forced);
        chosen.insert(chosen.end(), part.begin(), part.end());
        found = true;
    }
    return found;
}

}  // namespace mwcore
