#include "explain/Hazards.h"

#include <algorithm>

namespace explain {

namespace {

char TargetValue(TGlueMethod form) {
    return form == gmKNF ? '0' : '1';
}

std::vector<mwcore::Cube> SolutionCubes(const Explanation& e, int s) {
    std::vector<mwcore::Cube> cubes;
    if (s >= 0 && s < static_cast<int>(e.solutions.size()))
        for (int p : e.solutions[s].primes) cubes.push_back(e.primes[p].cube);
    return cubes;
}

bool Implicant(const mwcore::Cube& c, const MapFunction& f) {
    for (std::size_t m = 0; m < f.values.size(); ++m)
        if (c.Has(static_cast<uint32_t>(m)) && f.values[m] != TargetValue(f.form) &&
            f.values[m] != '*')
            return false;
    return true;
}

// The cheapest prime around the pair: the listed primes hold every one that holds a target
// cell; widening the pair one variable at a time stands in should none be found.
mwcore::Cube Consensus(const CellPair& pair, const MapFunction& f, const Explanation& e) {
    const Prime* best = nullptr;
    for (const Prime& p : e.primes)
        if (p.cube.Has(static_cast<uint32_t>(pair.first)) &&
            p.cube.Has(static_cast<uint32_t>(pair.second)) &&
            (!best || p.literals < best->literals))
            best = &p;
    if (best) return best->cube;
    const uint32_t all = (1u << f.vars) - 1;
    const uint32_t differ = static_cast<uint32_t>(pair.first ^ pair.second);
    mwcore::Cube c{all & ~differ, static_cast<uint32_t>(pair.first) & ~differ};
    for (uint32_t bit = 1; bit <= all; bit <<= 1)
        if ((c.mask & bit) && Implicant({c.mask & ~bit, c.val & ~bit}, f))
            c = {c.mask & ~bit, c.val & ~bit};
    return c;
}

}  // namespace

std::vector<CellPair> StaticHazards(const MapFunction& f, const std::vector<mwcore::Cube>& terms) {
    std::vector<CellPair> out;
    const char target = TargetValue(f.form);
    for (int a = 0; a < static_cast<int>(f.values.size()); ++a) {
        if (f.values[a] != target) continue;
        for (int k = 0; k < f.vars; ++k) {
            const int b = a | (1 << k);
            if (b == a || f.values[b] != target) continue;
            const bool together = std::any_of(terms.begin(), terms.end(), [&](const auto& t) {
                return t.Has(static_cast<uint32_t>(a)) && t.Has(static_cast<uint32_t>(b));
            });
            if (!together) out.push_back({a, b});
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<CellPair> SolutionHazards(const MapFunction& f, const Explanation& e, int s) {
    return StaticHazards(f, SolutionCubes(e, s));
}

HazardFreeCover MakeHazardFree(const MapFunction& f, const Explanation& e, int s) {
    HazardFreeCover out;
    out.cubes = SolutionCubes(e, s);
    for (const CellPair& pair : StaticHazards(f, out.cubes)) {
        // An earlier consensus term may already hold this pair.
        const bool held = std::any_of(out.cubes.begin(), out.cubes.end(), [&](const auto& t) {
            return t.Has(static_cast<uint32_t>(pair.first)) &&
                   t.Has(static_cast<uint32_t>(pair.second));
        });
        if (held) continue;
        const mwcore::Cube c = Consensus(pair, f, e);
        out.cubes.push_back(c);
        out.added.push_back(TermText(c, f));
    }
    std::vector<std::string> texts;
    for (const mwcore::Cube& c : out.cubes) {
        texts.push_back(TermText(c, f));
        out.literals += c.Literals();
    }
    out.terms = static_cast<int>(out.cubes.size());
    out.formula = FormulaOf(texts, f.form);
    return out;
}

}  // namespace explain
