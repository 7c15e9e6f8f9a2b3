// The explanation against a deliberately naive reference: primes by trying every cube, every
// minimum cover by plain search over the primes. Every map of 2 and 3 variables, then seeded
// random maps up to 8 variables with don't cares and empty cells, in both forms.

#include <gtest/gtest.h>

#include <bit>
#include <bitset>
#include <random>
#include <set>

#include "MapHelpers.h"
#include "explain/Chart.h"
#include "explain/Explain.h"
#include "explain/Sentences.h"

namespace {

using Cells = std::bitset<256>;
using Key = std::string;  // a set of cells, ordered
Key K(const Cells& c) {
    return c.to_string();
}

struct Reference {
    std::set<Key> primes;
    std::map<Key, int> literals;
    std::set<Key> essentials;
    int products = 0, literalsTotal = 0;
    std::set<std::set<Key>> covers;
};

Reference Solve(int n, const Cells& on, const Cells& upper) {
    Reference ref;
    int total = 1;
    for (int i = 0; i < n; ++i) total *= 3;
    // Cube by its digits per variable: 0 negative literal, 1 positive, 2 absent.
    const auto cubeOf = [&](int code) {
        Cells cube;
        std::vector<int> digit(n);
        for (int i = 0, c = code; i < n; ++i, c /= 3) digit[i] = c % 3;
        for (int m = 0; m < (1 << n); ++m) {
            bool in = true;
            for (int i = 0; i < n && in; ++i) in = digit[i] == 2 || digit[i] == ((m >> i) & 1);
            if (in) cube.set(m);
        }
        return cube;
    };
    static std::map<int, std::vector<Cells>> cache;
    std::vector<Cells>& cubes = cache[n];
    if (cubes.empty())
        for (int code = 0; code < total; ++code) cubes.push_back(cubeOf(code));
    const auto implicant = [&](int code) { return (cubes[code] & ~upper).none(); };
    std::vector<Cells> primeCells;
    for (int code = 0; code < total; ++code) {
        const Cells& c = cubes[code];
        if (!implicant(code) || (c & on).none()) continue;
        // Prime: no literal can be dropped.
        bool prime = true;
        int lits = 0;
        for (int i = 0, p = 1; i < n; ++i, p *= 3) {
            const int digit = code / p % 3;
            if (digit == 2) continue;
            ++lits;
            if (implicant(code + (2 - digit) * p)) prime = false;
        }
        if (prime) {
            ref.primes.insert(K(c));
            ref.literals[K(c)] = lits;
            primeCells.push_back(c);
        }
    }
    const std::vector<Cells>& primes = primeCells;
    for (int m = 0; m < (1 << n); ++m) {
        if (!on.test(m)) continue;
        std::vector<Cells> holders;
        for (const Cells& p : primes)
            if (p.test(m)) holders.push_back(p);
        if (holders.size() == 1) ref.essentials.insert(K(holders.front()));
    }
    ref.products = 1 << 20;
    std::vector<Cells> chosen;
    auto search = [&](auto&& self, const Cells& covered, int products, int lits) -> void {
        if (products > ref.products || (products == ref.products && lits > ref.literalsTotal))
            return;
        const Cells open = on & ~covered;
        if (open.none()) {
            if (products < ref.products || lits < ref.literalsTotal) ref.covers.clear();
            ref.products = products;
            ref.literalsTotal = lits;
            std::set<Key> cover;
            for (const Cells& c : chosen) cover.insert(K(c));
            ref.covers.insert(cover);
            return;
        }
        int first = 0;
        while (!open.test(first)) ++first;
        for (const Cells& p : primes) {
            if (!p.test(first)) continue;
            chosen.push_back(p);
            self(self, covered | p, products + 1, lits + ref.literals[K(p)]);
            chosen.pop_back();
        }
    };
    search(search, Cells(), 0, 0);
    return ref;
}

Cells CellsOf(const std::vector<int>& minterms) {
    Cells c;
    for (int m : minterms) c.set(m);
    return c;
}

// values: per minterm '1', '0', '*' or ' ' for an empty cell.
void Check(TCarnoGrid& grid, int n, const std::string& values, TGlueMethod form,
           int maxSolutions = 100) {
    SCOPED_TRACE(values + (form == gmKNF ? " POS" : " SOP"));
    grid.SetVariableCount(n);
    for (int m = 0; m < (1 << n); ++m) {
        const TCellPos p = grid.PositionOfMinterm(m);
        grid.SetCells(p.Col, p.Row, values[m] == ' ' ? "" : std::string(1, values[m]));
    }
    explain::MapFunction f;
    ASSERT_TRUE(explain::ReadMap(grid, form, f).ok);
    const char target = form == gmKNF ? '0' : '1';
    const char empty = form == gmKNF ? '1' : '0';
    Cells on, upper;
    for (int m = 0; m < (1 << n); ++m) {
        const char v = values[m] == ' ' ? empty : values[m];
        on[m] = v == target;
        upper[m] = v == target || v == '*';
    }
    explain::Limits limits;
    limits.maxSolutions = maxSolutions;
    limits.compareGluing = false;  // the gluing has suites of its own
    const explain::Explanation e = explain::Explain(f, limits);
    ASSERT_FALSE(e.timedOut);

    std::set<Key> primes;
    for (const explain::Prime& p : e.primes) {
        const Cells cells = CellsOf(p.minterms);
        EXPECT_TRUE(primes.insert(K(cells)).second) << "a prime listed twice: " << p.text;
        EXPECT_EQ(p.literals, n - static_cast<int>(std::bit_width(cells.count()) - 1)) << p.text;
    }
    if (on.none()) {
        EXPECT_TRUE(e.primes.empty());
        ASSERT_EQ(e.solutions.size(), 1u);
        EXPECT_EQ(e.solutions[0].terms, 0);
        EXPECT_EQ(e.solutions[0].formula, form == gmKNF ? "1" : "0");
        return;
    }
    const Reference ref = Solve(n, on, upper);
    ASSERT_EQ(primes, ref.primes);
    for (const explain::Prime& p : e.primes) {
        EXPECT_EQ(p.essential, ref.essentials.count(K(CellsOf(p.minterms))) == 1) << p.text;
        if (!p.essential) continue;
        ASSERT_GE(p.essentialCell, 0);
        EXPECT_TRUE(on.test(p.essentialCell));
        for (const explain::Prime& q : e.primes)
            if (&q != &p) {
                EXPECT_FALSE(CellsOf(q.minterms).test(p.essentialCell)) << p.text;
            }
    }
    EXPECT_EQ(e.minTerms, ref.products);
    EXPECT_EQ(e.minLiterals, ref.literalsTotal);
    std::set<std::set<Key>> listed;
    for (const explain::Solution& s : e.solutions) {
        std::set<Key> cover;
        Cells covered;
        std::vector<std::string> texts;
        for (int i : s.primes) {
            cover.insert(K(CellsOf(e.primes[i].minterms)));
            covered |= CellsOf(e.primes[i].minterms);
            texts.push_back(e.primes[i].text);
        }
        EXPECT_EQ((on & ~covered).none(), true) << s.formula;
        EXPECT_TRUE(ref.covers.count(cover)) << "not a minimum cover: " << s.formula;
        EXPECT_TRUE(listed.insert(cover).second) << "listed twice: " << s.formula;
        EXPECT_EQ(s.formula, explain::FormulaOf(texts, form));
        for (int k = 0; k < (1 << n); ++k) {  // the formula is the function on every cared-for cell
            if (!upper.test(k) || on.test(k)) {
                const bool value = testing_support::Evaluate(grid, s.formula, form == gmKNF, k);
                EXPECT_EQ(value, form == gmKNF ? !on.test(k) : on.test(k))
                    << s.formula << " at " << k;
            }
        }
    }
    if (e.countComplete) {
        EXPECT_EQ(e.solutionCount, ref.covers.size());
        EXPECT_EQ(e.solutions.size(), std::min<std::size_t>(ref.covers.size(), maxSolutions));
    } else {
        EXPECT_GE(ref.covers.size(), e.solutionCount);
    }
    // The reduction keeps every minimum: its forced primes are in each, the rest in the core.
    for (const explain::ChartStep& step : e.steps) {
        if (step.kind != explain::ChartStep::Kind::ColumnDominance) continue;
        for (const auto& cover : ref.covers)
            EXPECT_FALSE(cover.count(K(CellsOf(e.primes[step.prime].minterms))))
                << "dropped a prime of a minimum";
    }
}

std::string Values(int n, int code) {
    std::string v(1 << n, '0');
    for (int m = 0; m < (1 << n); ++m, code /= 3) v[m] = "01*"[code % 3];
    return v;
}

}  // namespace

TEST(ExplainExhaustive, EveryMapOfTwoAndThreeVariablesInBothForms) {
    TCarnoGrid grid;
    for (int n = 2; n <= 3; ++n) {
        int maps = 1;
        for (int m = 0; m < (1 << n); ++m) maps *= 3;
        for (int code = 0; code < maps; ++code)
            for (TGlueMethod form : {gmDNF, gmKNF}) Check(grid, n, Values(n, code), form);
    }
}

TEST(ExplainRandom, SeededMapsUpToEightVariablesWithDontCaresAndEmptyCells) {
    std::mt19937 random(20);
    TCarnoGrid grid;
    for (int n = 4; n <= 8; ++n) {
        for (int k = 0; k < (n <= 5 ? 120 : 40); ++k) {
            const int size = 1 << n;
            // Few target cells where the naive reference would search too long.
            const int targets = n <= 4 ? size : std::min(size, 14 + (n == 5 ? 4 : 0));
            std::string v(size, ' ');
            for (char& c : v) c = " 0*"[random() % 3];
            const TGlueMethod form = random() % 2 ? gmKNF : gmDNF;
            const char target = form == gmKNF ? '0' : '1';
            if (form == gmKNF)
                for (char& c : v) c = c == '0' ? '1' : c;
            std::uniform_int_distribution<int> cell(0, size - 1);
            const int count = n <= 4 ? static_cast<int>(random() % size)
                                     : 1 + static_cast<int>(random() % targets);
            for (int i = 0; i < count; ++i) v[cell(random)] = target;
            Check(grid, n, v, form, 1 + static_cast<int>(random() % 12));
        }
    }
}

TEST(ExplainChart, TextbookCyclicMapHasNoEssentialsAndTwoMinima) {
    // The classic cycle of six primes on three variables.
    TCarnoGrid grid;
    grid.SetVariableCount(3);
    testing_support::FillMinterms(grid, {0, 1, 2, 5, 6, 7});
    explain::MapFunction f;
    ASSERT_TRUE(explain::ReadMap(grid, gmDNF, f).ok);
    const explain::Explanation e = explain::Explain(f);
    EXPECT_EQ(e.primes.size(), 6u);
    for (const explain::Prime& p : e.primes) EXPECT_FALSE(p.essential);
    ASSERT_EQ(e.steps.size(), 1u);
    EXPECT_EQ(e.steps[0].kind, explain::ChartStep::Kind::CyclicCore);
    EXPECT_EQ(e.coreCells, (std::vector<int>{0, 1, 2, 5, 6, 7}));
    EXPECT_EQ(e.solutionCount, 2u);
    EXPECT_TRUE(e.countComplete);
    EXPECT_EQ(e.minTerms, 3);
    EXPECT_EQ(e.minLiterals, 6);
}

TEST(ExplainChart, DesignedGluingComparedWithTheMinimum) {
    // The map where the gluing gives three terms and two suffice.
    TCarnoGrid grid;
    testing_support::FillMinterms(grid, {0, 1, 4, 8, 10, 12, 14}, {5, 9});
    explain::MapFunction f;
    ASSERT_TRUE(explain::ReadMap(grid, gmDNF, f).ok);
    const explain::Explanation e = explain::Explain(f);
    EXPECT_EQ(e.gluing.formula, "A*|D+|C*|D+|B*|C");
    EXPECT_EQ(e.gluing.terms, 3);
    EXPECT_EQ(e.gluing.literals, 6);
    EXPECT_EQ(e.minTerms, 2);
    EXPECT_EQ(e.minLiterals, 4);
    ASSERT_EQ(e.solutions.size(), 1u);
    EXPECT_EQ(e.solutions[0].formula, "|A*|C+A*|D");

    grid.SetCells(1, 1, "x");
    const explain::ReadResult refused = explain::ReadMap(grid, gmDNF, f);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.col, 1);
    EXPECT_EQ(refused.row, 1);
}

TEST(ExplainChart, EightVariablesAllOnesIsOneConstantTerm) {
    TCarnoGrid grid;
    grid.SetVariableCount(8);
    grid.FillCard("1");
    explain::MapFunction f;
    ASSERT_TRUE(explain::ReadMap(grid, gmDNF, f).ok);
    const explain::Explanation e = explain::Explain(f);
    ASSERT_EQ(e.primes.size(), 1u);
    EXPECT_EQ(e.primes[0].text, "1");
    EXPECT_TRUE(e.primes[0].essential);
    EXPECT_EQ(e.solutions[0].formula, "1");
    EXPECT_EQ(e.gluing.terms, 4);
    EXPECT_EQ(e.minTerms, 1);
    EXPECT_EQ(e.minLiterals, 0);
}

namespace {

// A symmetric function: the cell's value by its count of set variables.
explain::MapFunction Symmetric(int n, const std::string& byWeight) {
    explain::MapFunction f;
    f.vars = n;
    for (int m = 0; m < (1 << n); ++m) f.values.push_back(byWeight[std::popcount(unsigned(m))]);
    for (int k = 0; k < n; ++k) f.names.push_back(std::string(1, static_cast<char>('A' + k)));
    return f;
}

bool CoversExactly(const explain::MapFunction& f, const explain::Explanation& e,
                   const explain::Solution& s) {
    std::vector<int> covered(f.values.size(), 0);
    for (int p : s.primes)
        for (int m : e.primes[p].minterms) covered[m] = 1;
    for (std::size_t m = 0; m < f.values.size(); ++m)
        if ((f.values[m] == '1' && !covered[m]) || (f.values[m] == '0' && covered[m])) return false;
    return true;
}

}  // namespace

TEST(ExplainLimits, OutOfWorkTheBestCoverFoundStandsUnprovenAndSaysSo) {
    const explain::MapFunction f = Symmetric(6, "0110110");
    explain::Limits limits;
    limits.compareGluing = false;
    const explain::Explanation proven = explain::Explain(f, limits);
    ASSERT_TRUE(proven.proven);
    limits.work = 1;
    const explain::Explanation e = explain::Explain(f, limits);
    EXPECT_FALSE(e.timedOut);
    EXPECT_FALSE(e.proven);
    EXPECT_FALSE(e.countComplete);
    ASSERT_EQ(e.solutions.size(), 1u);
    EXPECT_TRUE(CoversExactly(f, e, e.solutions[0]));
    EXPECT_GE(e.minTerms, proven.minTerms);
    EXPECT_EQ(explain::CountText(e).find("Not proven minimal"), 0u) << explain::CountText(e);
    EXPECT_NE(explain::ComparisonLine(e).find("the best cover found has"), std::string::npos);
}

TEST(ExplainLimits, CountingStopsByWorkAndOnlyTheGuardSaysTime) {
    const explain::MapFunction f = Symmetric(6, "0110110");
    explain::Limits limits;
    limits.compareGluing = false;
    limits.maxSolutions = 3;
    const explain::Explanation all = explain::Explain(f, limits);
    ASSERT_TRUE(all.countComplete);
    ASSERT_GT(all.solutionCount, 3u);
    // Less work counts fewer, the same every time; more work never counts fewer.
    uint64_t previous = 0;
    for (int64_t units : {int64_t{2000}, int64_t{20000}, int64_t{200000}}) {
        limits.countWork = units;
        const explain::Explanation a = explain::Explain(f, limits), b = explain::Explain(f, limits);
        EXPECT_EQ(a.solutionCount, b.solutionCount) << units;
        EXPECT_EQ(a.countComplete, b.countComplete) << units;
        EXPECT_FALSE(a.clockStopped);
        EXPECT_LE(a.solutionCount, all.solutionCount);
        EXPECT_GE(a.solutionCount, previous);
        previous = a.solutionCount;
        if (!a.countComplete) {
            EXPECT_EQ(explain::CountText(a).find("The time limit"), std::string::npos);
        }
    }
    // A guard that has already fired stops the searches and is named.
    limits.countWork = explain::Limits{}.countWork;
    limits.guardSeconds = 0;
    const explain::Explanation stopped = explain::Explain(f, limits);
    EXPECT_TRUE(stopped.clockStopped);
    EXPECT_NE(explain::CountText(stopped).find("The time limit stopped the search"),
              std::string::npos);
}
