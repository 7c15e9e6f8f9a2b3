// Reading a student's answer in every notation the check accepts, and the check's verdicts
// on seeded random answers held against a naive reference.

#include <gtest/gtest.h>

#include "TeachingReference.h"
#include "explain/Answer.h"
#include "explain/Check.h"

namespace {

using namespace teaching_reference;

explain::MapFunction Function(int n, TGlueMethod form, std::vector<std::string> names = {}) {
    explain::MapFunction f;
    f.vars = n;
    f.form = form;
    f.values.assign(std::size_t{1} << n, '0');
    for (int k = 0; k < n; ++k)
        f.names.push_back(k < static_cast<int>(names.size()) ? names[k]
                                                             : std::string(1, char('A' + k)));
    return f;
}

std::vector<std::string> Texts(const explain::Answer& a) {
    std::vector<std::string> out;
    for (const explain::AnswerTerm& t : a.terms) out.push_back(t.text);
    return out;
}

}  // namespace

TEST(Answer, EveryNotationReadsToTheSameTerms) {
    const explain::MapFunction sop = Function(4, gmDNF);
    const std::vector<std::string> expected{"|A*B", "C"};
    for (const char* text : {"|A*B+C", "A'B + C", "A\xE2\x80\x99 B+C",
                             "\xC4\x80"
                             "B + C",
                             "A\xCC\x85"
                             "B+C",
                             "A\xCC\x84\xC2\xB7"
                             "B + C",
                             "~A*B + C", "A''' B + C"}) {
        const explain::Answer a = explain::ReadAnswer(text, sop);
        ASSERT_TRUE(a.ok()) << text << " at " << a.error.position;
        EXPECT_EQ(Texts(a), expected) << text;
    }
    // Bars over a name's characters and the longest name that fits.
    const explain::MapFunction named = Function(3, gmDNF, {"A", "AB", "x1"});
    EXPECT_EQ(Texts(explain::ReadAnswer("ABA' + A\xCC\x85"
                                        "B\xCC\x85"
                                        "x1",
                                        named)),
              (std::vector<std::string>{"|A*AB", "|AB*x1"}));
    const explain::MapFunction pos = Function(4, gmKNF);
    for (const char* text :
         {"A+|B*C+D", "(A + B')(C + D)", "(A+B\xCC\x85)\xC2\xB7(C+D)", "A+B'C+D", "(A+B')*(C+D)"}) {
        const explain::Answer a = explain::ReadAnswer(text, pos);
        ASSERT_TRUE(a.ok()) << text << " at " << a.error.position;
        EXPECT_EQ(Texts(a), (std::vector<std::string>{"A+|B", "C+D"})) << text;
    }
    // The constants: a term of no literals, a formula of no terms, a term that covers nothing.
    EXPECT_EQ(explain::ReadAnswer("1", sop).terms.at(0).cube.mask, 0u);
    EXPECT_TRUE(explain::ReadAnswer(" 0 ", sop).terms.empty());
    EXPECT_TRUE(explain::ReadAnswer("1", pos).terms.empty());
    const explain::Answer contradiction = explain::ReadAnswer("AA'B", sop);
    ASSERT_TRUE(contradiction.ok());
    EXPECT_TRUE(contradiction.terms[0].contradiction);
    EXPECT_EQ(contradiction.terms[0].text, "A*|A*B");
}

TEST(Answer, MisreadTextsSayWhatAndWhere) {
    using K = explain::AnswerError::Kind;
    const explain::MapFunction sop = Function(3, gmDNF, {"A", "AB", "C"});
    const explain::MapFunction pos = Function(3, gmKNF);
    const struct {
        const char* text;
        bool sums;
        K kind;
        int position;
    } cases[] = {
        {"   ", false, K::Empty, 1},
        {"A + X", false, K::UnknownName, 5},
        {"A++C", false, K::EmptyTerm, 3},
        {"A*+C", false, K::EmptyTerm, 3},
        {"AC+", false, K::EmptyTerm, 3},
        {"(A)C", false, K::Bracket, 1},
        {"A\xCC\x85"
         "B",
         false, K::PartlyBarred, 1},  // "AB" barred on its first letter only
        {"\xC3\xA4"
         "C",
         false, K::UnknownName, 1},
        {"(A+B", true, K::Bracket, 5},
        {"(AB)", true, K::ProductInSum, 3},
        {"A+B)", true, K::Bracket, 4},
        {"A**B", true, K::EmptyTerm, 3},
    };
    for (const auto& c : cases) {
        const explain::Answer a = explain::ReadAnswer(c.text, c.sums ? pos : sop);
        EXPECT_EQ(a.error.kind, c.kind) << c.text;
        EXPECT_EQ(a.error.position, c.position) << c.text;
        EXPECT_TRUE(a.terms.empty()) << c.text;
    }
}

// Answers made from a minimal solution and spoilt on purpose (a term dropped, one added, one
// shrunk inside its loop, a random one), written in mixed notations; every verdict against
// the reference, and each kind of fault seen often enough to count.
TEST(Check, VerdictsOnSeededAnswersMatchTheReference) {
    std::mt19937 rng(28);
    int minimal = 0, notMinimal = 0, notPrime = 0, redundant = 0, wrongCells = 0, notImplicant = 0;
    explain::Limits limits;
    limits.compareGluing = false;
    limits.maxSolutions = 20;
    for (int round = 0; round < 400; ++round) {
        const int n = 2 + round % 3;
        const TGlueMethod form = round % 2 ? gmKNF : gmDNF;
        const explain::MapFunction f = RandomFunction(rng, n, form);
        const explain::Explanation e = explain::Explain(f, limits);
        ASSERT_FALSE(e.timedOut);
        std::vector<Term> terms;
        for (int p : e.solutions.at(rng() % e.solutions.size()).primes)
            terms.push_back(FromCube(e.primes[p].cube, f));
        const std::vector<Term> all = AllTerms(n);
        switch (rng() % 5) {
            case 0:
                break;
            case 1:
                if (!terms.empty()) terms.erase(terms.begin() + rng() % terms.size());
                break;
            case 2:
                terms.push_back(all[rng() % all.size()]);
                break;
            case 3:
                if (!e.primes.empty())
                    terms.push_back(FromCube(e.primes[rng() % e.primes.size()].cube, f));
                break;
            case 4:  // a literal more on a term that has room for one
                for (Term& t : terms)
                    if (static_cast<int>(t.size()) < n) {
                        int k = 1;
                        while (std::any_of(t.begin(), t.end(),
                                           [&](const Lit& l) { return l.var == k; }))
                            ++k;
                        t.push_back({k, rng() % 2 == 0});
                        break;
                    }
                break;
        }
        std::shuffle(terms.begin(), terms.end(), rng);
        const std::string text = SpellAll(terms, f, rng);
        SCOPED_TRACE(text + " on " + std::string(f.values.begin(), f.values.end()) +
                     (form == gmKNF ? " POS" : " SOP"));
        const explain::Answer answer = explain::ReadAnswer(text, f);
        ASSERT_TRUE(answer.ok()) << answer.error.position;
        ASSERT_EQ(answer.terms.size(), terms.size());
        const explain::CheckResult r = explain::CheckAnswer(f, e, answer);

        const bool sums = form == gmKNF;
        std::vector<int> missing, extra;
        for (int m = 0; m < (1 << n); ++m) {
            const bool held = std::any_of(terms.begin(), terms.end(),
                                          [&](const Term& t) { return Holds(t, n, m, sums); });
            if (f.values[m] == Target(f) && !held) missing.push_back(m);
            if (f.values[m] != Target(f) && f.values[m] != '*' && held) extra.push_back(m);
        }
        EXPECT_EQ(r.missing, missing);
        EXPECT_EQ(r.extra, extra);
        EXPECT_EQ(r.equal, missing.empty() && extra.empty());
        Cost cost{static_cast<int>(terms.size()), 0};
        for (std::size_t i = 0; i < terms.size(); ++i) {
            cost.literals += static_cast<int>(terms[i].size());
            const explain::TermVerdict& v = r.terms[i];
            EXPECT_EQ(v.implicant, IsImplicant(terms[i], f)) << v.text;
            EXPECT_EQ(v.prime, IsPrime(terms[i], f)) << v.text;
            bool spare = true;
            for (int m = 0; m < (1 << n); ++m)
                if (f.values[m] == Target(f) && Holds(terms[i], n, m, sums)) {
                    bool elsewhere = false;
                    for (std::size_t j = 0; j < terms.size(); ++j)
                        elsewhere = elsewhere || (j != i && Holds(terms[j], n, m, sums));
                    spare = spare && elsewhere;
                }
            EXPECT_EQ(v.redundant, spare) << v.text;
            if (v.implicant && !v.prime) {  // the larger loop holds it and is prime
                const Term larger = FromCube(v.larger, f);
                EXPECT_TRUE(IsPrime(larger, f)) << v.largerText;
                for (int m = 0; m < (1 << n); ++m)
                    if (Holds(terms[i], n, m, sums)) EXPECT_TRUE(Holds(larger, n, m, sums));
            }
            notImplicant += !v.implicant;
            notPrime += v.implicant && !v.prime;
            redundant += v.redundant;
        }
        const Cost least = MinimumCost(f);
        EXPECT_EQ(r.answerTerms, cost.terms);
        EXPECT_EQ(r.answerLiterals, cost.literals);
        EXPECT_EQ((Cost{r.minTerms, r.minLiterals}), least);
        EXPECT_EQ(r.minimal, r.equal && cost == least);
        // The closest solution is a minimal one.
        ASSERT_GE(r.closest, 0);
        const explain::Answer closest = explain::ReadAnswer(e.solutions[r.closest].formula, f);
        const explain::CheckResult again = explain::CheckAnswer(f, e, closest);
        EXPECT_TRUE(again.minimal) << e.solutions[r.closest].formula;
        minimal += r.minimal;
        notMinimal += r.equal && !r.minimal;
        wrongCells += !r.equal;
    }
    for (int count : {minimal, notMinimal, notPrime, redundant, wrongCells, notImplicant})
        EXPECT_GE(count, 20);
}
