#include "explain/Chart.h"

#include <algorithm>
#include <bit>

namespace explain {

namespace {

using Bits = PrimeChart::Bits;

void Set(Bits& b, int i) {
    b[i >> 6] |= uint64_t{1} << (i & 63);
}
void Reset(Bits& b, int i) {
    b[i >> 6] &= ~(uint64_t{1} << (i & 63));
}

Bits And(const Bits& a, const Bits& b) {
    Bits out(a.size());
    for (std::size_t w = 0; w < a.size(); ++w) out[w] = a[w] & b[w];
    return out;
}

bool SubsetOf(const Bits& a, const Bits& b) {
    for (std::size_t w = 0; w < a.size(); ++w)
        if (a[w] & ~b[w]) return false;
    return true;
}

int Count(const Bits& a) {
    int n = 0;
    for (uint64_t w : a) n += std::popcount(w);
    return n;
}

template <class F>
void ForEach(const Bits& a, F&& f) {
    for (std::size_t w = 0; w < a.size(); ++w)
        for (uint64_t x = a[w]; x; x &= x - 1) f(static_cast<int>(w * 64 + std::countr_zero(x)));
}

std::vector<int> Members(const Bits& a) {
    std::vector<int> out;
    ForEach(a, [&](int i) { out.push_back(i); });
    return out;
}

Bits Full(int n) {
    Bits b((n + 63) / 64, 0);
    for (int i = 0; i < n; ++i) Set(b, i);
    return b;
}

}  // namespace

PrimeChart::PrimeChart(const std::vector<int>& targets, const std::vector<Prime>& primes)
    : rows_(static_cast<int>(targets.size())), cols_(static_cast<int>(primes.size())) {
    rowCols_.assign(rows_, Bits((cols_ + 63) / 64, 0));
    colRows_.assign(cols_, Bits((rows_ + 63) / 64, 0));
    for (int c = 0; c < cols_; ++c)
        for (int r = 0; r < rows_; ++r)
            if (primes[c].cube.Has(static_cast<uint32_t>(targets[r]))) {
                Set(rowCols_[r], c);
                Set(colRows_[c], r);
            }
}

std::vector<int> PrimeChart::PrimesOfRow(int row) const {
    return Members(rowCols_[row]);
}

std::vector<int> PrimeChart::LiveColumnsOfRow(int row, const std::vector<int>& columns) const {
    std::vector<int> out;
    for (int c : columns)
        if (Test(rowCols_[row], c)) out.push_back(c);
    return out;
}

Reduction Reduce(const PrimeChart& chart, const std::vector<Prime>& primes,
                 const std::vector<int>& targets) {
    Reduction out;
    Bits liveRows = Full(chart.Rows());
    Bits liveCols = Full(chart.Columns());
    const auto cellsOf = [&](const Bits& rows) {
        std::vector<int> cells;
        ForEach(rows, [&](int r) { cells.push_back(targets[r]); });
        return cells;
    };
    for (bool firstPass = true;; firstPass = false) {
        bool changed = false;
        for (int r = 0; r < chart.Rows(); ++r) {
            if (!PrimeChart::Test(liveRows, r)) continue;
            const Bits open = And(chart.RowColumns(r), liveCols);
            if (Count(open) != 1) continue;
            const int c = Members(open).front();
            const Bits settled = And(chart.ColumnRows(c), liveRows);
            ChartStep step;
            step.kind = ChartStep::Kind::Essential;
            step.prime = c;
            step.cell = targets[r];
            step.cells = cellsOf(settled);
            step.secondary = !firstPass;
            out.steps.push_back(std::move(step));
            out.forced.push_back(c);
            for (std::size_t w = 0; w < liveRows.size(); ++w) liveRows[w] &= ~settled[w];
            Reset(liveCols, c);
            changed = true;
        }
        if (Count(liveRows) == 0) {
            out.steps.push_back({});
            break;
        }
        // Rows: one whose primes include all of another's is covered whenever that one is.
        std::vector<Bits> open(chart.Rows());
        ForEach(liveRows, [&](int r) { open[r] = And(chart.RowColumns(r), liveCols); });
        for (int r1 = 0; r1 < chart.Rows(); ++r1) {
            if (!PrimeChart::Test(liveRows, r1)) continue;
            for (int r2 = 0; r2 < chart.Rows(); ++r2) {
                if (r2 == r1 || !PrimeChart::Test(liveRows, r2) || !SubsetOf(open[r2], open[r1]))
                    continue;
                if (r2 > r1 && SubsetOf(open[r1], open[r2]))
                    continue;  // equal rows: the first stays
                ChartStep step;
                step.kind = ChartStep::Kind::RowDominance;
                step.cell = targets[r1];
                step.by = targets[r2];
                out.steps.push_back(std::move(step));
                Reset(liveRows, r1);
                changed = true;
                break;
            }
        }
        // Columns: one whose cells a prime with fewer literals also covers is in no minimum.
        for (int c1 = 0; c1 < chart.Columns(); ++c1) {
            if (!PrimeChart::Test(liveCols, c1)) continue;
            const Bits rows1 = And(chart.ColumnRows(c1), liveRows);
            if (Count(rows1) == 0) {  // nothing left for it to cover
                Reset(liveCols, c1);
                continue;
            }
            const int first = Members(rows1).front();
            for (int c2 : Members(And(chart.RowColumns(first), liveCols))) {
                if (c2 == c1 || primes[c2].literals >= primes[c1].literals) continue;
                if (!SubsetOf(rows1, chart.ColumnRows(c2))) continue;
                ChartStep step;
                step.kind = ChartStep::Kind::ColumnDominance;
                step.prime = c1;
                step.by = c2;
                out.steps.push_back(std::move(step));
                Reset(liveCols, c1);
                changed = true;
                break;
            }
        }
        if (!changed) {
            ChartStep step;
            step.kind = ChartStep::Kind::CyclicCore;
            step.cells = cellsOf(liveRows);
            step.primes = Members(liveCols);
            out.steps.push_back(std::move(step));
            break;
        }
    }
    out.coreRows = Members(liveRows);
    if (!out.coreRows.empty()) out.coreColumns = Members(liveCols);
    std::sort(out.forced.begin(), out.forced.end());
    return out;
}

}  // namespace explain
