#include "explain/Method.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <set>
#include <unordered_map>

namespace explain {

namespace {

char TargetValue(TGlueMethod form) {
    return form == gmKNF ? '0' : '1';
}

uint64_t Key(const mwcore::Cube& c) {
    return (uint64_t{c.mask} << 32) | c.val;
}

QmEntry Entry(const mwcore::Cube& cube, int vars) {
    QmEntry q;
    q.cube = cube;
    q.pattern = Pattern(cube, vars);
    q.ones = std::popcount(cube.val);
    for (uint32_t m = 0; m < (1u << vars); ++m)
        if (cube.Has(m)) q.minterms.push_back(static_cast<int>(m));
    return q;
}

void Order(std::vector<QmEntry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const QmEntry& a, const QmEntry& b) {
        return a.ones != b.ones ? a.ones < b.ones : a.minterms < b.minterms;
    });
}

std::vector<QmColumn> QuineMcCluskey(const MapFunction& f, const Explanation& e) {
    const uint32_t all = (1u << f.vars) - 1;
    std::vector<QmColumn> columns(1);
    for (std::size_t m = 0; m < f.values.size(); ++m)
        if (f.values[m] == TargetValue(f.form) || f.values[m] == '*')
            columns[0].entries.push_back(Entry({all, static_cast<uint32_t>(m)}, f.vars));
    Order(columns[0].entries);
    while (!columns.back().entries.empty()) {
        QmColumn& column = columns.back();
        std::unordered_map<uint64_t, std::size_t> index;
        for (std::size_t i = 0; i < column.entries.size(); ++i)
            index[Key(column.entries[i].cube)] = i;
        // Two entries merge when they differ in one kept variable: the one with the zero
        // finds its partner by setting that bit.
        std::set<std::pair<uint32_t, uint32_t>> merged;
        for (QmEntry& q : column.entries)
            for (uint32_t bit = 1; bit <= all; bit <<= 1) {
                if (!(q.cube.mask & bit) || (q.cube.val & bit)) continue;
                const auto partner = index.find(Key({q.cube.mask, q.cube.val | bit}));
                if (partner == index.end()) continue;
                q.used = true;
                column.entries[partner->second].used = true;
                merged.insert({q.cube.mask & ~bit, q.cube.val});
            }
        QmColumn next;
        next.size = column.size + 1;
        for (const auto& [mask, val] : merged) next.entries.push_back(Entry({mask, val}, f.vars));
        Order(next.entries);
        columns.push_back(std::move(next));
    }
    columns.pop_back();
    std::unordered_map<uint64_t, int> primeOf;
    for (std::size_t p = 0; p < e.primes.size(); ++p)
        primeOf[Key(e.primes[p].cube)] = static_cast<int>(p);
    for (QmColumn& column : columns)
        for (QmEntry& q : column.entries)
            if (!q.used)
                if (const auto p = primeOf.find(Key(q.cube)); p != primeOf.end())
                    q.prime = p->second;
    return columns;
}

Petrick PetricksMethod(const Explanation& e) {
    Petrick out;
    if (e.coreCells.empty()) return out;
    const std::vector<int>& core = e.corePrimes;
    if (static_cast<int>(core.size()) > kPetrickPrimes) {
        out.state = Petrick::State::TooLarge;
        return out;
    }
    out.state = Petrick::State::Shown;
    out.cells = e.coreCells;
    // Products as sets of the core's primes, one bit each.
    std::vector<uint32_t> products{0};
    for (int cell : e.coreCells) {
        std::vector<int> sum;
        uint32_t sumBits = 0;
        for (std::size_t i = 0; i < core.size(); ++i)
            if (e.primes[core[i]].cube.Has(static_cast<uint32_t>(cell))) {
                sum.push_back(core[i]);
                sumBits |= 1u << i;
            }
        out.sums.push_back(std::move(sum));
        std::set<uint32_t> next;
        for (uint32_t p : products) {
            if (p & sumBits) {  // X(X + Y) = X
                next.insert(p);
                continue;
            }
            for (uint32_t x = sumBits; x; x &= x - 1) next.insert(p | (x & (0u - x)));
        }
        // Absorption: X + XY = X. Fewer primes first, so a product's subsets come before it.
        std::vector<uint32_t> bySize(next.begin(), next.end());
        std::stable_sort(bySize.begin(), bySize.end(), [](uint32_t a, uint32_t b) {
            return std::popcount(a) < std::popcount(b);
        });
        products.clear();
        for (uint32_t p : bySize)
            if (std::none_of(products.begin(), products.end(),
                             [&](uint32_t q) { return (q & p) == q; }))
                products.push_back(p);
    }
    struct Costed {
        std::vector<int> primes;
        int terms = 0, literals = 0;
    };
    std::vector<Costed> costed;
    for (uint32_t p : products) {
        Costed c;
        for (std::size_t i = 0; i < core.size(); ++i)
            if (p & (1u << i)) {
                c.primes.push_back(core[i]);
                c.literals += e.primes[core[i]].literals;
            }
        c.terms = static_cast<int>(c.primes.size());
        costed.push_back(std::move(c));
    }
    std::sort(costed.begin(), costed.end(), [](const Costed& a, const Costed& b) {
        if (a.terms != b.terms) return a.terms < b.terms;
        if (a.literals != b.literals) return a.literals < b.literals;
        return a.primes < b.primes;
    });
    std::vector<int> forced;
    for (std::size_t p = 0; p < e.primes.size(); ++p)
        for (const ChartStep& step : e.steps)
            if (step.kind == ChartStep::Kind::Essential && step.prime == static_cast<int>(p))
                forced.push_back(static_cast<int>(p));
    for (const Costed& c : costed) {
        out.products.push_back(c.primes);
        if (c.terms != costed.front().terms || c.literals != costed.front().literals) continue;
        out.cheapest.push_back(c.primes);
        std::vector<int> whole = forced;
        whole.insert(whole.end(), c.primes.begin(), c.primes.end());
        std::sort(whole.begin(), whole.end());
        out.withForced.push_back(std::move(whole));
    }
    return out;
}

}  // namespace

std::string Pattern(const mwcore::Cube& cube, int vars) {
    std::string out;
    for (int k = 1; k <= vars; ++k) {
        const uint32_t bit = 1u << (vars - k);
        out += !(cube.mask & bit) ? '-' : (cube.val & bit) ? '1' : '0';
    }
    return out;
}

Method StepByStep(const MapFunction& f, const Explanation& e) {
    Method m;
    if (e.timedOut) return m;
    m.columns = QuineMcCluskey(f, e);
    for (const QmColumn& c : m.columns) m.entryCount += c.entries.size();
    m.petrick = PetricksMethod(e);
    return m;
}

}  // namespace explain
