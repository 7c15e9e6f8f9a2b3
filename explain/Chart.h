#pragma once
// The prime chart: the cells to cover as rows, the primes as columns, a mark where a prime
// holds a cell; and its reduction as a teacher does it, step by step: essential columns
// (those a row has alone) are taken and settle their rows, a row whose primes include all of
// another row's goes (covering the other covers it), a prime whose cells another covers with
// fewer literals goes, until nothing applies. What is left is the cyclic core. Only strict
// column dominance is used, so every minimal solution of the chart is one of the core's
// with the taken primes added.

#include <cstdint>
#include <vector>

#include "explain/Explain.h"

namespace explain {

class PrimeChart {
  public:
    PrimeChart(const std::vector<int>& targets, const std::vector<Prime>& primes);

    int Rows() const { return rows_; }
    int Columns() const { return cols_; }
    bool Holds(int column, int row) const { return Test(colRows_[column], row); }
    std::vector<int> PrimesOfRow(int row) const;
    // The row's columns among `columns` (ascending ids), ascending.
    std::vector<int> LiveColumnsOfRow(int row, const std::vector<int>& columns) const;

    using Bits = std::vector<uint64_t>;
    static bool Test(const Bits& b, int i) { return (b[i >> 6] >> (i & 63)) & 1; }
    const Bits& RowColumns(int row) const { return rowCols_[row]; }
    const Bits& ColumnRows(int column) const { return colRows_[column]; }

  private:
    int rows_ = 0, cols_ = 0;
    std::vector<Bits> rowCols_, colRows_;
};

struct Reduction {
    std::vector<ChartStep> steps;
    std::vector<int> forced;       // primes every minimal solution holds, ascending
    std::vector<int> coreRows;     // row numbers left, ascending
    std::vector<int> coreColumns;  // primes left, ascending
};

Reduction Reduce(const PrimeChart& chart, const std::vector<Prime>& primes,
                 const std::vector<int>& targets);

}  // namespace explain
