#pragma once
// A naive reference for the teaching suites, on maps of up to 5 variables: cubes as lists of
// literals evaluated one minterm at a time, primes by trying every cube, the cheapest cover by
// a plain search over sets of cells. Variable k (from 1) is bit n - k of a minterm's number.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "explain/Explain.h"

namespace teaching_reference {

struct Lit {
    int var;  // 1..n
    bool plain;
};
using Term = std::vector<Lit>;

inline bool LiteralTrue(const Lit& l, int n, int m) {
    return (((m >> (n - l.var)) & 1) != 0) == l.plain;
}
// Whether the term holds cell m: every literal true for a product, every literal false for
// a sum (the cells where a sum is 0).
inline bool Holds(const Term& t, int n, int m, bool sums) {
    return std::all_of(t.begin(), t.end(),
                       [&](const Lit& l) { return LiteralTrue(l, n, m) != sums; });
}

// A cube of the explanation (over minterm numbers, in the form's sense) as the reference's term.
inline Term FromCube(const mwcore::Cube& c, const explain::MapFunction& f) {
    Term t;
    for (int k = 1; k <= f.vars; ++k) {
        const uint32_t bit = 1u << (f.vars - k);
        if (c.mask & bit) t.push_back({k, ((c.val & bit) != 0) != (f.form == gmKNF)});
    }
    return t;
}

inline explain::MapFunction RandomFunction(std::mt19937& rng, int n, TGlueMethod form,
                                           int dcPercent = 15) {
    explain::MapFunction f;
    f.vars = n;
    f.form = form;
    for (int k = 0; k < n; ++k) f.names.push_back(std::string(1, char('A' + k)));
    for (int m = 0; m < (1 << n); ++m) {
        const int r = static_cast<int>(rng() % 100);
        f.values.push_back(r < dcPercent ? '*' : (r % 2 ? '1' : '0'));
    }
    return f;
}

inline char Target(const explain::MapFunction& f) {
    return f.form == gmKNF ? '0' : '1';
}

// Every term over n variables, as digits 0 (negated), 1 (plain), 2 (absent).
inline std::vector<Term> AllTerms(int n) {
    std::vector<Term> out;
    int total = 1;
    for (int i = 0; i < n; ++i) total *= 3;
    for (int code = 0; code < total; ++code) {
        Term t;
        for (int k = 1, c = code; k <= n; ++k, c /= 3)
            if (c % 3 != 2) t.push_back({k, c % 3 == 1});
        out.push_back(t);
    }
    return out;
}

inline bool IsImplicant(const Term& t, const explain::MapFunction& f) {
    const bool sums = f.form == gmKNF;
    for (int m = 0; m < (1 << f.vars); ++m)
        if (Holds(t, f.vars, m, sums) && f.values[m] != Target(f) && f.values[m] != '*')
            return false;
    return true;
}

inline bool IsPrime(const Term& t, const explain::MapFunction& f) {
    if (!IsImplicant(t, f)) return false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        Term wider = t;
        wider.erase(wider.begin() + static_cast<long>(i));
        if (IsImplicant(wider, f)) return false;
    }
    return true;
}

// The primes that hold a target cell.
inline std::vector<Term> Primes(const explain::MapFunction& f) {
    std::vector<Term> out;
    const bool sums = f.form == gmKNF;
    for (const Term& t : AllTerms(f.vars)) {
        if (!IsPrime(t, f)) continue;
        for (int m = 0; m < (1 << f.vars); ++m)
            if (f.values[m] == Target(f) && Holds(t, f.vars, m, sums)) {
                out.push_back(t);
                break;
            }
    }
    return out;
}

struct Cost {
    int terms = 0, literals = 0;
    friend auto operator<=>(const Cost&, const Cost&) = default;
};

// The cheapest cover of the target cells by primes (fewest terms, then literals), by a
// search over the sets of cells still open; at most 4 variables.
inline Cost MinimumCost(const explain::MapFunction& f) {
    const int size = 1 << f.vars;
    const std::vector<Term> primes = Primes(f);
    std::vector<uint32_t> cells;
    for (const Term& p : primes) {
        uint32_t bits = 0;
        for (int m = 0; m < size; ++m)
            if (Holds(p, f.vars, m, f.form == gmKNF)) bits |= 1u << m;
        cells.push_back(bits);
    }
    uint32_t targets = 0;
    for (int m = 0; m < size; ++m)
        if (f.values[m] == Target(f)) targets |= 1u << m;
    std::vector<Cost> best(std::size_t{1} << size, Cost{1 << 20, 0});
    best[0] = {};
    for (uint32_t open = 1; open < (1u << size); ++open) {
        if ((open & ~targets) != 0) continue;
        const int first = std::countr_zero(open);
        for (std::size_t p = 0; p < primes.size(); ++p) {
            if (!((cells[p] >> first) & 1)) continue;
            const Cost rest = best[open & ~cells[p]];
            const Cost c{rest.terms + 1, rest.literals + static_cast<int>(primes[p].size())};
            best[open] = std::min(best[open], c);
        }
    }
    return best[targets];
}

// The term as a student might write it: the program's language or a textbook's, chosen at
// random per term.
inline std::string Spell(const Term& t, const explain::MapFunction& f, std::mt19937& rng) {
    const bool sums = f.form == gmKNF;
    const int style = static_cast<int>(rng() % 4);
    std::string out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const std::string& name = f.names[t[i].var - 1];
        if (i)
            out += sums ? "+"
                        : (style == 0   ? "*"
                           : style == 1 ? "\xC2\xB7"
                           : style == 2 ? " "
                                        : "");
        if (t[i].plain)
            out += name;
        else if (style == 0)
            out += "|" + name;
        else if (style == 1)
            out += name + "'";
        else
            out += name + (style == 2 ? "\xCC\x85" : "\xCC\x84");
    }
    if (out.empty()) out = explain::ConstantTerm(f.form);
    return sums && style != 0 ? "(" + out + ")" : out;
}

inline std::string SpellAll(const std::vector<Term>& terms, const explain::MapFunction& f,
                            std::mt19937& rng) {
    if (terms.empty()) return explain::EmptyFormula(f.form);
    std::string out;
    for (std::size_t i = 0; i < terms.size(); ++i)
        out += (i ? (f.form == gmKNF ? "*" : " + ") : "") + Spell(terms[i], f, rng);
    return out;
}

}  // namespace teaching_reference
