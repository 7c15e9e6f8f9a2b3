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

// A prime around the pair, widened from it one variable at a time: the listed primes hold
// every pair of target cells, so this only stands in should they not.
mwcore::Cube Consensus(const CellPair& pair, const MapFunction& f) {
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
    std::vector<CellPair> open = StaticHazards(f, out.cubes);
    const auto holds = [](const mwcore::Cube& c, const CellPair& pair) {
        return c.Has(static_cast<uint32_t>(pair.first)) &&
               c.Has(static_cast<uint32_t>(pair.second));
    };
    // Greedily: the prime that settles the most open pairs, the fewer literals on a tie; a
    // pair no listed prime holds gets its own consensus term.
    while (!open.empty()) {
        const Prime* best = nullptr;
        std::size_t bestCount = 0;
        for (const Prime& p : e.primes) {
            const auto n = static_cast<std::size_t>(
                std::count_if(open.begin(), open.end(),
                              [&](const CellPair& pair) { return holds(p.cube, pair); }));
            if (n > bestCount || (n == bestCount && n > 0 && p.literals < best->literals)) {
                best = &p;
                bestCount = n;
            }
        }
        const mwcore::Cube c = best ? best->cube : Consensus(open.front(), f);
        out.cubes.push_back(c);
        out.added.push_back(TermText(c, f));
        std::erase_if(open, [&](const CellPair& pair) { return holds(c, pair); });
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
