// The covering search's lower bounds and its first incumbent: a greedy independent set of
// rows, Coudert's limit bound on top of it, and the Lagrangian bound of the covering LP whose
// row prices also guide the greedy cover.

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

#include "core/BitSet.h"
#include "core/Mincov.h"

namespace mwcore {

using namespace bits;

namespace {

// The least integer not below x, allowing for the rounding of long sums (costs reach 2^32).
double Ceil(double x) {
    return std::ceil(x - 1e-6 - 1e-9 * std::fabs(x));
}

// The sum in the prices' order, apart so that the running sum stays in a register.
[[gnu::noinline]] double SumOf(const std::vector<double>& u) {
    double sum = 0;
    for (double x : u) sum += x;
    return sum;
}

}  // namespace

// Greedy maximal independent set on the row-intersection graph, fewest neighbours first
// (the lowest row among equals). The graph is built column by column, each column's rows
// being pairwise neighbours; the live rows are filed by degree as bit sets, so the next pick
// is the first member of the lowest nonempty one.
int64_t Mincov::LowerBound(const Bits& rows, const Bits& cols) {
    std::vector<int>& list = scratchList_;
    list.clear();
    ForEach(rows, [&](int r) { list.push_back(r); });
    const std::size_t n = list.size();
    const std::size_t words = (n + 63) / 64;
    Spend(static_cast<int64_t>(n * (rowWords_ + words)) + 1);
    // Each column's rows in local numbers, the columns one after another.
    std::vector<int>& start = scratchSlot_;
    start.assign(id_.size() + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        ForEachOfBoth(rowCols_[list[i]], cols, [&](int c) { ++start[c + 1]; });
    for (std::size_t c = 0; c < id_.size(); ++c) start[c + 1] += start[c];
    std::vector<int>& fill = scratchLength_;
    fill.assign(start.begin(), start.end() - 1);
    std::vector<int>& members = scratchNext_;
    members.resize(static_cast<std::size_t>(start.back()));
    for (std::size_t i = 0; i < n; ++i)
        ForEachOfBoth(rowCols_[list[i]], cols,
                      [&](int c) { members[fill[c]++] = static_cast<int>(i); });
    std::vector<uint64_t> adj(n * words, 0);
    Bits clique(words);
    for (std::size_t c = 0; c < id_.size(); ++c) {
        const int* m = members.data() + start[c];
        const std::size_t length = static_cast<std::size_t>(start[c + 1] - start[c]);
        if (length <= words) {  // bit by bit while that is cheaper than whole rows
            for (std::size_t a = 0; a < length; ++a)
                for (std::size_t b = 0; b < length; ++b)
                    adj[m[a] * words + m[b] / 64] |= uint64_t{1} << (m[b] % 64);
        } else {
            std::fill(clique.begin(), clique.end(), 0);
            for (std::size_t a = 0; a < length; ++a) Set(clique, m[a]);
            for (std::size_t a = 0; a < length; ++a)
                for (std::size_t w = 0; w < words; ++w) adj[m[a] * words + w] |= clique[w];
        }
    }
    std::vector<int> degree(n, 0);
    int maxDegree = 0;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t w = 0; w < words; ++w) degree[i] += std::popcount(adj[i * words + w]);
        maxDegree = std::max(maxDegree, degree[i]);
    }
    std::vector<uint64_t> byDegree((static_cast<std::size_t>(maxDegree) + 1) * words, 0);
    std::vector<int> filed(static_cast<std::size_t>(maxDegree) + 1, 0);
    const auto file = [&](int i, int d, bool in) {
        const uint64_t bit = uint64_t{1} << (i % 64);
        uint64_t& word = byDegree[static_cast<std::size_t>(d) * words + i / 64];
        word = in ? word | bit : word & ~bit;
        filed[d] += in ? 1 : -1;
    };
    for (std::size_t i = 0; i < n; ++i) file(static_cast<int>(i), degree[i], true);
    std::vector<uint64_t> alive(words, 0);
    for (std::size_t i = 0; i < n; ++i) alive[i / 64] |= uint64_t{1} << (i % 64);
    indep_.clear();
    indepCost_.clear();
    int64_t bound = 0;
    std::vector<int> gone;
    int low = 0;
    for (;;) {
        while (low <= maxDegree && filed[low] == 0) ++low;
        if (low > maxDegree) break;
        int best = -1;
        for (std::size_t w = 0; best < 0; ++w)
            if (const uint64_t x = byDegree[static_cast<std::size_t>(low) * words + w])
                best = static_cast<int>(w * 64 + std::countr_zero(x));
        int64_t cheapest = std::numeric_limits<int64_t>::max();
        ForEachOfBoth(rowCols_[list[best]], cols,
                      [&](int c) { cheapest = std::min(cheapest, dense_cost_[c]); });
        bound += cheapest;
        indep_.push_back(list[best]);
        indepCost_.push_back(cheapest);
        gone.clear();
        for (std::size_t w = 0; w < words; ++w)
            for (uint64_t b = adj[best * words + w] & alive[w]; b; b &= b - 1)
                gone.push_back(static_cast<int>(w * 64 + std::countr_zero(b)));
        for (int g : gone) {
            alive[g / 64] &= ~(uint64_t{1} << (g % 64));
            file(g, degree[g], false);
        }
        for (int g : gone)
            for (std::size_t w = 0; w < words; ++w)
                for (uint64_t b = adj[g * words + w] & alive[w]; b; b &= b - 1) {
                    const int i = static_cast<int>(w * 64 + std::countr_zero(b));
                    file(i, degree[i], false);
                    file(i, --degree[i], true);
                    low = std::min(low, degree[i]);
                }
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
double Mincov::Subgradient(const Sparse& m, const std::vector<double>& cost,
                           std::vector<double>& store, double target, std::vector<double>& rc) {
    const std::size_t nr = m.rowList.size(), nc = m.colList.size();
    // Kept between calls: a node's ascents run thousands of times in a search.
    std::vector<double>& u = scratchU_;
    std::vector<double>& bestU = scratchBestU_;
    u.assign(nr, std::numeric_limits<double>::max());
    bestU.clear();
    for (std::size_t j = 0; j < nc; ++j) {
        const double share = cost[j] / (m.start[j + 1] - m.start[j]);
        for (int k = m.start[j]; k < m.start[j + 1]; ++k)
            u[m.members[k]] = std::min(u[m.members[k]], share);
    }
    for (std::size_t i = 0; i < nr; ++i)
        if (store[m.rowList[i]] >= 0) u[i] = store[m.rowList[i]];
    std::vector<int>& g = scratchG_;
    g.resize(nr);
    // The reduced costs are taken first without a branch between columns, so that the
    // columns' sums overlap; the negative ones are then added in the columns' order.
    std::vector<double>& reduced = scratchReduced_;
    std::vector<int>& negative = scratchNegative_;
    reduced.resize(nc);
    negative.resize(nc);
    // Prices inherited from a larger matrix may start the bound far below zero: any first
    // value is the best so far.
    double best = -std::numeric_limits<double>::infinity(), lambda = 1.0;
    int still = 0;
    double sumU = SumOf(u);  // then kept by the prices' update, in the same order
    for (int it = 0; it < ascentSteps_; ++it) {
        Spend(static_cast<int64_t>(m.members.size() + nr + nc) / 8 + 1);
        double value = sumU;
        std::fill(g.begin(), g.end(), 1);
        const int* members = m.members.data();
        const int* start = m.start.data();
        std::size_t j = 0;
        for (; j + 1 < nc; j += 2) {  // two columns abreast, each summed in its own order
            double r0 = cost[j], r1 = cost[j + 1];
            int k0 = start[j], k1 = start[j + 1];
            const int end0 = start[j + 1], end1 = start[j + 2];
            for (; k0 < end0 && k1 < end1; ++k0, ++k1) {
                r0 -= u[members[k0]];
                r1 -= u[members[k1]];
            }
            for (; k0 < end0; ++k0) r0 -= u[members[k0]];
            for (; k1 < end1; ++k1) r1 -= u[members[k1]];
            reduced[j] = r0;
            reduced[j + 1] = r1;
        }
        if (j < nc) {
            double r = cost[j];
            for (int k = start[j]; k < start[j + 1]; ++k) r -= u[members[k]];
            reduced[j] = r;
        }
        std::size_t negatives = 0;
        for (std::size_t j = 0; j < nc; ++j) {
            negative[negatives] = static_cast<int>(j);
            negatives += reduced[j] < 0;
        }
        for (std::size_t t = 0; t < negatives; ++t) value += reduced[negative[t]];
        for (std::size_t t = 0; t < negatives; ++t) {
            const int j = negative[t];
            for (int k = start[j], end = start[j + 1]; k < end; ++k) --g[members[k]];
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
        double sum = 0;
        for (std::size_t i = 0; i < nr; ++i) {
            u[i] = std::max(0.0, u[i] + step * g[i]);
            sum += u[i];
        }
        sumU = sum;
    }
    if (bestU.empty()) bestU.assign(nr, 0.0);  // no value compared (not a number): no prices
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
    Sparse& m = scratchSparse_;
    m.rowList.clear();
    m.colList.clear();
    m.start.clear();
    m.members.clear();
    std::vector<int>& at = scratchAt_;
    at.resize(rowCols_.size());
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
        for (std::size_t j = 0; j < nc; ++j)
            cost[j] = static_cast<double>(dense_cost_[m.colList[j]]);
        const double target = static_cast<double>(bound);
        const double value = Subgradient(m, cost, price_, target, rc);
        const int64_t lower = static_cast<int64_t>(Ceil(value));
        if (lower < bound)
            drop([&](std::size_t j) { return rc[j] > 0 && Ceil(value + rc[j]) >= target; });
        return lower;
    }
    const int64_t weight = productWeight_;
    std::fill(cost.begin(), cost.end(), 1.0);
    const double products =
        Subgradient(m, cost, price_, static_cast<double>((bound + weight - 1) / weight), rc);
    const int64_t fewest = static_cast<int64_t>(Ceil(products));
    if (fewest * weight >= bound) return fewest * weight;
    std::vector<double> rcLiterals;
    for (std::size_t j = 0; j < nc; ++j)
        cost[j] = static_cast<double>(dense_cost_[m.colList[j]] - weight);
    const double literals = Subgradient(m, cost, priceLiterals_,
                                        static_cast<double>(bound - fewest * weight), rcLiterals);
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
    Spend(static_cast<int64_t>(Count(cols) * rowWords_) + 1);
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
    std::sort(cover.begin(), cover.end(),
              [&](int a, int b) { return dense_cost_[a] > dense_cost_[b]; });
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

}  // namespace mwcore
