#pragma once
// Functions whose value depends only on how many variables are 1. Their prime chart splits
// into one block per run of counts that are 1 or don't care, and every prime of a run has the
// same shape (a ones, z zeros), so that any permutation of the variables maps the block onto
// itself. The covering search alone proves such minima slowly: its bounds count rows, and the
// chart's symmetry hides the gap. Counting over the variables closes it: a cover of the run
// gives, for each variable x, a cover of the function with x = 1 by the n - z of its terms that
// do not hold x', so terms * (n - z) >= n * (fewest terms with x = 1), and likewise for x = 0
// (as for covering designs). The restricted functions are symmetric with one variable less,
// each solved exactly where that is quick, or bounded the same way.

#include <cstdint>
#include <map>
#include <string>

#include "core/Work.h"
#include "explain/Explain.h"

namespace explain {

// Per count of ones (0..vars), '1' for the cells to cover, '0' or '*'; empty when the map is
// not symmetric.
std::string SymmetricWeights(const MapFunction& f);

class SymmetricBound {
  public:
    // Work for the exact minima of the smaller functions, spent from `work`.
    explicit SymmetricBound(mwcore::Work& work) : work_(work) {}

    // At most the fewest terms that cover the ones of `weights` (the counts 0..n of n
    // variables) with terms inside the ones and don't cares.
    int Products(const std::string& weights);
    // The same for the run of counts first..last alone (none of them '0', the rest ignored),
    // by the counting over the variables only: for the chart that is to be searched anyway.
    int Run(const std::string& weights, int first, int last) {
        return RunProducts(weights, first, last, false);
    }

  private:
    int RunProducts(const std::string& weights, int first, int last, bool solve);

    mwcore::Work& work_;
    std::map<std::string, int> known_;
};

}  // namespace explain
