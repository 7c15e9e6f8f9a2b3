// Static hazards on seeded random maps of both forms, against the reference's own reading of
// the terms: the pairs found are exactly the neighbouring target cells no one term holds, and
// the hazard-free cover keeps the function and has none left.

#include <gtest/gtest.h>

#include "TeachingReference.h"
#include "explain/Hazards.h"

namespace {

using namespace teaching_reference;

// Neighbouring target cells, each pair once, that no term holds both of.
std::vector<explain::CellPair> ReferenceHazards(const explain::MapFunction& f,
                                                const std::vector<Term>& terms) {
    std::vector<explain::CellPair> out;
    const bool sums = f.form == gmKNF;
    for (int a = 0; a < (1 << f.vars); ++a)
        for (int b = a + 1; b < (1 << f.vars); ++b) {
            if (std::popcount(static_cast<unsigned>(a ^ b)) != 1) continue;
            if (f.values[a] != Target(f) || f.values[b] != Target(f)) continue;
            if (std::none_of(terms.begin(), terms.end(), [&](const Term& t) {
                    return Holds(t, f.vars, a, sums) && Holds(t, f.vars, b, sums);
                }))
                out.push_back({a, b});
        }
    return out;
}

}  // namespace

TEST(Hazards, FoundAsTheReferenceFindsThemAndTheHazardFreeCoverRemovesThem) {
    std::mt19937 rng(577);
    int withHazards = 0;
    for (int round = 0; round < 150; ++round) {
        const int n = 2 + round % 5;
        const TGlueMethod form = round % 2 ? gmKNF : gmDNF;
        const explain::MapFunction f = RandomFunction(rng, n, form, round % 4 ? 15 : 0);
        SCOPED_TRACE(testing::Message() << "n=" << n << " form=" << form << " round=" << round);
        const explain::Explanation e = explain::Explain(f);
        ASSERT_FALSE(e.solutions.empty());

        std::vector<Term> first;
        for (int p : e.solutions.front().primes) first.push_back(FromCube(e.primes[p].cube, f));
        const std::vector<explain::CellPair> hazards = explain::SolutionHazards(f, e);
        EXPECT_EQ(hazards, ReferenceHazards(f, first));
        withHazards += !hazards.empty();

        const explain::HazardFreeCover cover = explain::MakeHazardFree(f, e);
        std::vector<Term> terms;
        for (const mwcore::Cube& c : cover.cubes) terms.push_back(FromCube(c, f));
        EXPECT_TRUE(ReferenceHazards(f, terms).empty());
        EXPECT_EQ(cover.added.empty(), hazards.empty());
        EXPECT_EQ(cover.terms, static_cast<int>(first.size() + cover.added.size()));
        // The same function: every target cell held, no cell of the other value; every added
        // term an implicant.
        for (int m = 0; m < (1 << n); ++m) {
            const bool held = std::any_of(terms.begin(), terms.end(), [&](const Term& t) {
                return Holds(t, n, m, form == gmKNF);
            });
            if (f.values[m] == Target(f)) {
                EXPECT_TRUE(held) << m;
            } else if (f.values[m] != '*') {
                EXPECT_FALSE(held) << m;
            }
        }
        for (std::size_t i = first.size(); i < terms.size(); ++i) EXPECT_TRUE(IsPrime(terms[i], f));
    }
    EXPECT_GT(withHazards, 20) << "too few hazards to be a test";
}
