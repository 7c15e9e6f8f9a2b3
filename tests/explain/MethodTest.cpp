// The method step by step on seeded random maps of both forms: the Quine-McCluskey table
// ends in exactly the panel's primes, every tick is a real merge, and Petrick's cheapest
// products are the listed minimal solutions, at the naive reference's cost.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "TeachingReference.h"
#include "explain/Method.h"
#include "explain/MethodSection.h"

namespace {

using namespace teaching_reference;

std::set<std::pair<uint32_t, uint32_t>> Cubes(const std::vector<explain::Prime>& primes) {
    std::set<std::pair<uint32_t, uint32_t>> out;
    for (const explain::Prime& p : primes) out.insert({p.cube.mask, p.cube.val});
    return out;
}

}  // namespace

TEST(Method, QuineMcCluskeyTableEndsInThePanelsPrimes) {
    std::mt19937 rng(2718);
    for (int round = 0; round < 120; ++round) {
        const int n = 2 + round % 5;
        const TGlueMethod form = round % 2 ? gmKNF : gmDNF;
        const explain::MapFunction f = RandomFunction(rng, n, form, round % 3 ? 20 : 0);
        SCOPED_TRACE(testing::Message() << "n=" << n << " form=" << form << " round=" << round);
        const explain::Explanation e = explain::Explain(f);
        const explain::Method m = explain::StepByStep(f, e);

        std::set<std::pair<uint32_t, uint32_t>> unticked;
        for (std::size_t c = 0; c < m.columns.size(); ++c) {
            for (const explain::QmEntry& q : m.columns[c].entries) {
                EXPECT_EQ(static_cast<int>(q.minterms.size()), 1 << c);
                for (int cell : q.minterms) EXPECT_NE(f.values[cell], form == gmKNF ? '1' : '0');
                const bool holdsTarget =
                    std::any_of(q.minterms.begin(), q.minterms.end(),
                                [&](int cell) { return f.values[cell] == Target(f); });
                if (q.used) {
                    // Ticked: some entry of the next column holds it and one cell more.
                    ASSERT_LT(c + 1, m.columns.size());
                    const auto& next = m.columns[c + 1].entries;
                    EXPECT_TRUE(std::any_of(
                        next.begin(), next.end(),
                        [&](const explain::QmEntry& r) { return r.cube.Contains(q.cube); }))
                        << q.pattern;
                    continue;
                }
                unticked.insert({q.cube.mask, q.cube.val});
                // An unticked entry is prime; it is the panel's when it holds a cell to cover.
                EXPECT_TRUE(IsPrime(FromCube(q.cube, f), f)) << q.pattern;
                EXPECT_EQ(q.prime >= 0, holdsTarget) << q.pattern;
                if (q.prime >= 0) {
                    EXPECT_EQ(e.primes[q.prime].cube, q.cube);
                }
            }
            // Groups by count of ones, ascending.
            for (std::size_t i = 1; i < m.columns[c].entries.size(); ++i)
                EXPECT_LE(m.columns[c].entries[i - 1].ones, m.columns[c].entries[i].ones);
        }
        std::set<std::pair<uint32_t, uint32_t>> panel = Cubes(e.primes);
        for (const auto& cube : panel) EXPECT_TRUE(unticked.count(cube));
        // Every prime of the cells and don't cares is found, as the reference finds them.
        const std::vector<Term> all = AllTerms(f.vars);
        EXPECT_EQ(unticked.size(),
                  static_cast<std::size_t>(std::count_if(
                      all.begin(), all.end(), [&](const Term& t) { return IsPrime(t, f); })));
    }
}

TEST(Method, PetricksCheapestProductsAreTheMinimalSolutions) {
    std::mt19937 rng(1414);
    std::map<explain::Petrick::State, int> seen;
    for (int round = 0; round < 400; ++round) {
        const int n = 4 + round % 2;
        const TGlueMethod form = round % 3 ? gmDNF : gmKNF;
        const explain::MapFunction f = RandomFunction(rng, n, form, 10);
        SCOPED_TRACE(testing::Message() << "n=" << n << " form=" << form << " round=" << round);
        const explain::Explanation e = explain::Explain(f);
        const explain::Petrick p = explain::StepByStep(f, e).petrick;
        ++seen[p.state];
        if (p.state != explain::Petrick::State::Shown) {
            EXPECT_EQ(p.state == explain::Petrick::State::NoCore, e.coreCells.empty());
            continue;
        }
        ASSERT_EQ(p.sums.size(), e.coreCells.size());
        // Every product covers each core cell; none holds another (absorption is complete).
        for (const std::vector<int>& prod : p.products) {
            for (int cell : e.coreCells)
                EXPECT_TRUE(std::any_of(prod.begin(), prod.end(), [&](int q) {
                    return e.primes[q].cube.Has(static_cast<uint32_t>(cell));
                }));
            for (const std::vector<int>& other : p.products)
                if (&other != &prod) {
                    EXPECT_FALSE(
                        std::includes(prod.begin(), prod.end(), other.begin(), other.end()));
                }
        }
        ASSERT_TRUE(e.countComplete);
        ASSERT_LE(e.solutionCount, e.solutions.size());
        std::set<std::vector<int>> listed, petrick(p.withForced.begin(), p.withForced.end());
        for (const explain::Solution& s : e.solutions) listed.insert(s.primes);
        EXPECT_EQ(petrick, listed);
        if (n == 4) {
            int literals = 0;
            for (int q : p.withForced.front()) literals += e.primes[q].literals;
            const Cost best = MinimumCost(f);
            EXPECT_EQ(static_cast<int>(p.withForced.front().size()), best.terms);
            EXPECT_EQ(literals, best.literals);
        }
    }
    EXPECT_GT(seen[explain::Petrick::State::Shown], 10) << "too few cyclic cores to be a test";
}

TEST(Method, LargeCoresAndTablesAreSaidNotShown) {
    // Every cell with three to five ones among eight: a core far past what is multiplied out.
    explain::MapFunction f;
    f.vars = 8;
    for (int k = 0; k < 8; ++k) f.names.push_back(std::string(1, char('A' + k)));
    for (int m = 0; m < 256; ++m) {
        const int ones = std::popcount(static_cast<unsigned>(m));
        f.values.push_back(ones >= 3 && ones <= 5 ? '1' : '0');
    }
    const explain::Explanation e = explain::Explain(f);
    const explain::Method m = explain::StepByStep(f, e);
    ASSERT_GT(e.corePrimes.size(), static_cast<std::size_t>(explain::kPetrickPrimes));
    EXPECT_EQ(m.petrick.state, explain::Petrick::State::TooLarge);
    EXPECT_TRUE(m.petrick.products.empty());
    const std::string html = explain::StepByStepHtml(m, e);
    EXPECT_NE(html.find("too many to multiply out by hand"), std::string::npos);
    EXPECT_EQ(html.find('%'), std::string::npos);
}
