// Symmetric functions: the count of ones read off the map, the bound on their fewest terms
// against a plain covering search without it, and eight-variable maps whose minimum the
// search alone could not prove within its allowance.

#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "core/Mincov.h"
#include "core/Primes.h"
#include "explain/Symmetric.h"

namespace {

explain::MapFunction ByWeight(int n, const std::string& weights, TGlueMethod form = gmDNF) {
    explain::MapFunction f;
    f.vars = n;
    f.form = form;
    for (int m = 0; m < (1 << n); ++m) f.values.push_back(weights[std::popcount(unsigned(m))]);
    for (int k = 0; k < n; ++k) f.names.push_back(std::string(1, static_cast<char>('A' + k)));
    return f;
}

// The fewest terms by the covering search on the primes, with nothing known beforehand.
int FewestTerms(int n, const std::string& weights) {
    mwcore::TruthTable on(n), dc(n);
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (weights[std::popcount(m)] == '1') on.Set(m);
        if (weights[std::popcount(m)] == '*') dc.Set(m);
    }
    if (on.Empty()) return 0;
    const auto primes = mwcore::UsefulPrimes(mwcore::Problem(on, dc), {});
    std::vector<std::vector<int>> rows;
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (!on.Get(m)) continue;
        rows.emplace_back();
        for (std::size_t c = 0; c < primes->size(); ++c)
            if ((*primes)[c].Has(m)) rows.back().push_back(static_cast<int>(c));
    }
    mwcore::Work work;
    mwcore::Mincov search(std::vector<int64_t>(primes->size(), 1), work);
    return static_cast<int>(search.Solve(rows, static_cast<int64_t>(primes->size()) + 1)->size());
}

std::string WeightsOf(int n, int code) {
    std::string w(static_cast<std::size_t>(n) + 1, '0');
    for (char& c : w) {
        c = "01*"[code % 3];
        code /= 3;
    }
    return w;
}

}  // namespace

TEST(Symmetric, WeightsReadOffTheMapInEitherFormAndNoneForOtherMaps) {
    EXPECT_EQ(explain::SymmetricWeights(ByWeight(4, "01*10")), "01*10");
    // For a product of sums the zeros are the cells to cover.
    EXPECT_EQ(explain::SymmetricWeights(ByWeight(4, "01*10", gmKNF)), "10*01");
    explain::MapFunction f = ByWeight(4, "01*10");
    f.values[1] = '0';  // one cell of count 1 differs from the others
    EXPECT_EQ(explain::SymmetricWeights(f), "");
}

TEST(Symmetric, TheBoundNeverExceedsTheFewestTermsOfAnySmallFunction) {
    // Every symmetric function of up to five variables, and seeded ones of six and seven.
    std::vector<std::pair<int, std::string>> functions;
    for (int n = 1; n <= 5; ++n) {
        int all = 1;
        for (int k = 0; k <= n; ++k) all *= 3;
        for (int code = 0; code < all; ++code) functions.push_back({n, WeightsOf(n, code)});
    }
    std::mt19937 random(28);
    for (int n = 6; n <= 7; ++n)
        for (int k = 0; k < (n == 6 ? 40 : 12); ++k)
            functions.push_back({n, WeightsOf(n, random() % 6561)});
    int tight = 0;
    for (const auto& [n, weights] : functions) {
        SCOPED_TRACE(weights);
        mwcore::Work work;
        explain::SymmetricBound bound(work);
        const int fewest = FewestTerms(n, weights);
        const int products = bound.Products(weights);
        EXPECT_LE(products, fewest);
        tight += products == fewest;
        // Each run alone, by the counting only.
        int runs = 0;
        for (int first = 0; first <= n;) {
            int last = first;
            while (last < n && weights[last + 1] != '0') ++last;
            if (weights.substr(first, last - first + 1).find('1') != std::string::npos) {
                std::string alone(weights.size(), '0');
                for (int k = first; k <= last; ++k) alone[k] = weights[k];
                EXPECT_LE(bound.Run(weights, first, last), FewestTerms(n, alone));
                runs += FewestTerms(n, alone);
            }
            first = last + 1;
        }
        EXPECT_EQ(runs, fewest);  // runs share no cell and no prime
    }
    EXPECT_GT(tight, static_cast<int>(functions.size()) / 2);  // a bound worth having
}

TEST(Symmetric, TheFirstMinimumOfEverySymmetricMapOfFiveVariablesIsAMinimum) {
    // A whole run's search starts from one of its terms: the minimum must not grow by it.
    int all = 1;
    for (int k = 0; k <= 5; ++k) all *= 3;
    explain::Limits first;
    first.maxSolutions = 1;
    first.countWork = 0;
    first.compareGluing = false;
    for (int code = 0; code < all; ++code) {
        const std::string weights = WeightsOf(5, code);
        if (weights.find('1') == std::string::npos) continue;
        SCOPED_TRACE(weights);
        const explain::MapFunction f = ByWeight(5, weights);
        const explain::Explanation e = explain::Explain(f, first);
        ASSERT_TRUE(e.proven);
        EXPECT_EQ(e.minTerms, FewestTerms(5, weights));
        std::vector<int> covered(32, 0);
        for (int p : e.solutions.front().primes)
            for (int m : e.primes[p].minterms) covered[m] = 1;
        for (int m = 0; m < 32; ++m)
            if (f.values[m] != '*') {
                EXPECT_EQ(covered[m] != 0, f.values[m] == '1') << m;
            }
    }
}

TEST(Symmetric, EightVariableMapsAreProvenWithFewTermsAsTheBoundSays) {
    // Maps whose minimum the covering search alone left unproven after its whole allowance,
    // or proved only after tens of millions of units.
    for (const char* weights : {"**0*11**0", "**0*111*0", "1*0*1**1*", "1**11*00*"}) {
        SCOPED_TRACE(weights);
        const explain::MapFunction f = ByWeight(8, weights);
        explain::Limits limits;
        limits.compareGluing = false;
        limits.maxSolutions = 2;
        limits.work = int64_t{40} << 20;
        const explain::Explanation e = explain::Explain(f, limits);
        ASSERT_TRUE(e.proven);
        EXPECT_LT(e.workSpent, limits.work);
        std::vector<int> covered(256, 0);
        for (const explain::Solution& s : e.solutions) {
            std::fill(covered.begin(), covered.end(), 0);
            for (int p : s.primes)
                for (int m : e.primes[p].minterms) covered[m] = 1;
            for (int m = 0; m < 256; ++m) {
                if (f.values[m] != '*') {
                    EXPECT_EQ(covered[m] != 0, f.values[m] == '1') << m;
                }
            }
            EXPECT_EQ(s.terms, e.minTerms);
        }
        // The cover meets the bound: no cover has fewer terms.
        mwcore::Work work;
        EXPECT_EQ(e.minTerms, explain::SymmetricBound(work).Products(weights));
    }
}
