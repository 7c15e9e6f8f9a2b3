// Practice maps: each difficulty really has its property, checked against the naive
// reference; the same settings give the same map.

#include <gtest/gtest.h>

#include "TeachingReference.h"
#include "explain/Exercise.h"

namespace {

using namespace teaching_reference;
using explain::Difficulty;

bool Holds(const Term& t, const explain::MapFunction& f, int m) {
    return teaching_reference::Holds(t, f.vars, m, f.form == gmKNF);
}

// The primes that alone hold some target cell cover every target cell.
bool EssentialsCover(const explain::MapFunction& f) {
    const std::vector<Term> primes = Primes(f);
    std::vector<char> covered(f.values.size(), 0);
    for (int m = 0; m < static_cast<int>(f.values.size()); ++m) {
        if (f.values[m] != Target(f)) continue;
        int holders = 0;
        const Term* only = nullptr;
        for (const Term& p : primes)
            if (Holds(p, f, m)) ++holders, only = &p;
        if (holders == 1)
            for (int c = 0; c < static_cast<int>(f.values.size()); ++c)
                covered[c] = covered[c] || Holds(*only, f, c);
    }
    for (int m = 0; m < static_cast<int>(f.values.size()); ++m)
        if (f.values[m] == Target(f) && !covered[m]) return false;
    return true;
}

}  // namespace

TEST(Exercise, EachDifficultyHasItsProperty) {
    explain::Limits limits;
    limits.compareGluing = false;
    limits.guardSeconds = 600;
    for (const Difficulty d : {Difficulty::Easy, Difficulty::Cyclic, Difficulty::Many})
        for (int vars = 3; vars <= 4; ++vars)
            for (uint64_t seed = 1; seed <= 6; ++seed) {
                explain::ExerciseSettings s;
                s.vars = vars;
                s.seed = seed;
                s.difficulty = d;
                s.form = seed % 2 ? gmDNF : gmKNF;
                const auto exercise = explain::MakeExercise(s);
                ASSERT_TRUE(exercise) << explain::DifficultyName(d) << vars << ' ' << seed;
                SCOPED_TRACE(exercise->table + ' ' + explain::DifficultyName(d));
                const explain::MapFunction f = explain::ExerciseFunction(*exercise);
                EXPECT_EQ(f.values.size(), std::size_t{1} << vars);
                EXPECT_NE(exercise->table.find(Target(f)), std::string::npos);
                // Where the essentials cover the map they are the one minimal solution.
                EXPECT_EQ(EssentialsCover(f), d == Difficulty::Easy);
                const explain::Explanation e = explain::Explain(f, limits);
                if (d == Difficulty::Cyclic) {
                    // What is left holds no essential: each core cell lies in two primes.
                    ASSERT_FALSE(e.coreCells.empty());
                    const std::vector<Term> primes = Primes(f);
                    for (int m : e.coreCells)
                        EXPECT_GE(std::count_if(primes.begin(), primes.end(),
                                                [&](const Term& p) { return Holds(p, f, m); }),
                                  2);
                }
                if (d == Difficulty::Many) {
                    // Two different covers, both of the reference's least cost.
                    ASSERT_GE(e.solutions.size(), 2u);
                    for (int s2 : {0, 1}) {
                        Cost c{e.solutions[s2].terms, 0};
                        std::vector<Term> cover;
                        for (int p : e.solutions[s2].primes) {
                            cover.push_back(FromCube(e.primes[p].cube, f));
                            c.literals += static_cast<int>(cover.back().size());
                        }
                        EXPECT_EQ(c, MinimumCost(f));
                        for (int m = 0; m < (1 << vars); ++m)
                            if (f.values[m] == Target(f))
                                EXPECT_TRUE(
                                    std::any_of(cover.begin(), cover.end(),
                                                [&](const Term& t) { return Holds(t, f, m); }));
                    }
                    EXPECT_NE(e.solutions[0].primes, e.solutions[1].primes);
                }
            }
}

TEST(Exercise, TheSeedDecidesTheMap) {
    explain::ExerciseSettings s;
    s.vars = 6;
    s.difficulty = Difficulty::Cyclic;
    s.seed = 2028;
    const auto a = explain::MakeExercise(s), b = explain::MakeExercise(s);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->table, b->table);
    s.seed = 2029;
    EXPECT_NE(explain::MakeExercise(s)->table, a->table);
    // Without don't cares a map of two variables has no cyclic core: said, not looped over
    // for ever.
    s.vars = 2;
    s.dontCarePercent = 0;
    EXPECT_FALSE(explain::MakeExercise(s));
    s.dontCarePercent = 30;
    EXPECT_TRUE(explain::MakeExercise(s));
}
