#include "explain/Symmetric.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <vector>

#include "core/Mincov.h"
#include "core/Primes.h"

namespace explain {

namespace {

// Enough for every chart of up to seven variables met so far; past it the bound stands.
constexpr int64_t kSolveWork = int64_t{2} << 20;

int64_t Binomial(int n, int k) {
    if (k < 0 || k > n) return 0;
    int64_t b = 1;
    for (int i = 1; i <= k; ++i) b = b * (n - k + i) / i;
    return b;
}

int CeilDiv(int64_t a, int64_t b) {
    return static_cast<int>((a + b - 1) / b);
}

}  // namespace

std::string SymmetricWeights(const MapFunction& f) {
    const char target = f.form == gmKNF ? '0' : '1';
    std::string weights(static_cast<std::size_t>(f.vars) + 1, '?');
    for (std::size_t m = 0; m < f.values.size(); ++m) {
        const char v = f.values[m] == '*' ? '*' : (f.values[m] == target ? '1' : '0');
        char& w = weights[std::popcount(static_cast<unsigned>(m))];
        if (w == '?')
            w = v;
        else if (w != v)
            return {};
    }
    return weights;
}

int SymmetricBound::Products(const std::string& weights) {
    int sum = 0;
    const int n = static_cast<int>(weights.size()) - 1;
    for (int first = 0; first <= n;) {
        if (weights[first] == '0') {
            ++first;
            continue;
        }
        int last = first;
        while (last < n && weights[last + 1] != '0') ++last;
        if (weights.find('1', first) <= static_cast<std::size_t>(last))
            sum += RunProducts(weights, first, last, true);
        first = last + 1;
    }
    return sum;
}

int SymmetricBound::RunProducts(const std::string& weights, int first, int last, bool solve) {
    const int n = static_cast<int>(weights.size()) - 1;
    std::string run(weights.size(), '0');
    std::copy(weights.begin() + first, weights.begin() + last + 1, run.begin() + first);
    if (n == 0) return 1;  // the constant
    const std::string key = run + (solve ? "s" : "");
    if (const auto it = known_.find(key); it != known_.end()) return it->second;

    int bound = 0;
    // Fixing k variables, i of them to 1, leaves a symmetric function of n - k variables;
    // all C(n,k) C(k,i) such restrictions are alike, and a term of the run (a ones, z zeros,
    // the rest free) serves those that set none of its ones to 0 and none of its zeros to 1.
    const int a = first, z = n - last, free = n - a - z;
    for (int k = 1; k < n; ++k)
        for (int i = 0; i <= k; ++i) {
            int64_t serves = 0;  // restrictions one term serves: j of the ones set from its free
            for (int j = 0; j <= std::min(i, free); ++j)
                serves += Binomial(a, i - j) * Binomial(free, j) * Binomial(z + free - j, k - i);
            if (serves == 0) continue;
            const int64_t restrictions = Binomial(n, k) * Binomial(k, i);
            const int fewest = Products(run.substr(i, n - k + 1));
            bound = std::max(bound, CeilDiv(restrictions * fewest, serves));
        }
    if (solve) {
        mwcore::TruthTable on(n), dc(n);
        for (uint32_t m = 0; m < (1u << n); ++m) {
            const char v = run[std::popcount(m)];
            if (v == '1') on.Set(m);
            if (v == '*') dc.Set(m);
        }
        mwcore::Work part = work_.Part(kSolveWork);
        mwcore::PrimeLimits limits;
        limits.work = &part;
        const auto primes = mwcore::UsefulPrimes(mwcore::Problem(on, dc), limits);
        if (primes) {
            std::vector<std::vector<int>> rows;
            for (uint32_t m = 0; m < (1u << n); ++m) {
                if (!on.Get(m)) continue;
                rows.emplace_back();
                for (std::size_t c = 0; c < primes->size(); ++c)
                    if ((*primes)[c].Has(m)) rows.back().push_back(static_cast<int>(c));
            }
            // The search ends at a cover that meets the counting's bound.
            mwcore::Mincov exact(std::vector<int64_t>(primes->size(), 1), part);
            exact.KnowLowerBound(bound);
            exact.QuickAscent(true);
            try {
                const auto cover = exact.Solve(rows, static_cast<int64_t>(primes->size()) + 1);
                work_.Absorb(part);
                const int products = cover ? static_cast<int>(cover->size()) : 0;
                known_[key] = products;
                return products;
            } catch (const mwcore::CoveringTimeout&) {
                bound = std::max(bound, static_cast<int>(exact.RootBound()));
            }
        }
        work_.Absorb(part);
    }
    known_[key] = bound;
    return bound;
}

}  // namespace explain
