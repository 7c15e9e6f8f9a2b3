#include "explain/Check.h"

#include <algorithm>

namespace explain {

namespace {

char Target(const MapFunction& f) {
    return f.form == gmKNF ? '0' : '1';
}
char Outside(const MapFunction& f) {
    return f.form == gmKNF ? '1' : '0';
}

bool Implicant(const mwcore::Cube& cube, const MapFunction& f) {
    for (std::size_t m = 0; m < f.values.size(); ++m)
        if (f.values[m] == Outside(f) && cube.Has(static_cast<uint32_t>(m))) return false;
    return true;
}

// A prime around an implicant: the explanation's own where one holds it (the fewest
// literals first), else the literals dropped one by one while the cube stays an implicant.
mwcore::Cube Enlarged(const mwcore::Cube& cube, const MapFunction& f, const Explanation& e) {
    const Prime* best = nullptr;
    for (const Prime& p : e.primes)
        if (p.cube.Contains(cube) && (!best || p.literals < best->literals)) best = &p;
    if (best) return best->cube;
    mwcore::Cube grown = cube;
    for (int var = 0; var < f.vars; ++var)
        if ((grown.mask >> var) & 1) {
            const mwcore::Cube wider = grown.Without(var);
            if (Implicant(wider, f)) grown = wider;
        }
    return grown;
}

bool IsPrime(const mwcore::Cube& cube, const MapFunction& f) {
    for (int var = 0; var < f.vars; ++var)
        if (((cube.mask >> var) & 1) && Implicant(cube.Without(var), f)) return false;
    return true;
}

// How near a minimal solution is to the answer: the terms they share, then the answer's
// terms that lie inside one of its primes or around one.
std::pair<int, int> Nearness(const Solution& s, const Explanation& e, const Answer& answer) {
    int same = 0, nested = 0;
    for (const AnswerTerm& t : answer.terms) {
        if (t.contradiction) continue;
        for (int p : s.primes) {
            const mwcore::Cube& c = e.primes[p].cube;
            if (c == t.cube)
                ++same;
            else if (c.Contains(t.cube) || t.cube.Contains(c))
                ++nested;
        }
    }
    return {same, nested};
}

}  // namespace

std::vector<int> TermCells(const AnswerTerm& term, const MapFunction& f) {
    std::vector<int> cells;
    if (term.contradiction) return cells;
    for (std::size_t m = 0; m < f.values.size(); ++m)
        if (term.cube.Has(static_cast<uint32_t>(m))) cells.push_back(static_cast<int>(m));
    return cells;
}

CheckResult CheckAnswer(const MapFunction& f, const Explanation& e, const Answer& answer) {
    CheckResult r;
    const std::size_t size = f.values.size();
    std::vector<std::vector<int>> cells;
    std::vector<int> coverage(size, 0);  // how many terms hold each cell
    for (const AnswerTerm& t : answer.terms) {
        cells.push_back(TermCells(t, f));
        for (int m : cells.back()) ++coverage[m];
        r.answerLiterals += t.literals;
    }
    r.answerTerms = static_cast<int>(answer.terms.size());
    for (std::size_t m = 0; m < size; ++m) {
        if (f.values[m] == Target(f) && coverage[m] == 0) r.missing.push_back(static_cast<int>(m));
        if (f.values[m] == Outside(f) && coverage[m] > 0) r.extra.push_back(static_cast<int>(m));
    }
    r.equal = r.missing.empty() && r.extra.empty();

    for (std::size_t i = 0; i < answer.terms.size(); ++i) {
        const AnswerTerm& t = answer.terms[i];
        TermVerdict v;
        v.text = t.text;
        for (int m : cells[i])
            if (f.values[m] == Outside(f)) v.outside.push_back(m);
        v.implicant = v.outside.empty();
        v.prime = v.implicant && !t.contradiction && IsPrime(t.cube, f);
        if (v.implicant && !v.prime && !t.contradiction) {
            v.larger = Enlarged(t.cube, f, e);
            v.largerText = TermText(v.larger, f);
        }
        // Redundant: every target cell it holds is held by another term as well.
        v.redundant = true;
        for (int m : cells[i])
            if (f.values[m] == Target(f) && coverage[m] < 2) v.redundant = false;
        if (v.redundant)
            for (std::size_t j = 0; j < answer.terms.size(); ++j) {
                if (j == i) continue;
                const bool shares = std::any_of(cells[i].begin(), cells[i].end(), [&](int m) {
                    return f.values[m] == Target(f) &&
                           std::binary_search(cells[j].begin(), cells[j].end(), m);
                });
                if (shares) v.coveredBy.push_back(static_cast<int>(j));
            }
        r.terms.push_back(std::move(v));
    }
    if (r.equal) {
        std::vector<mwcore::Cube> cubes;
        for (const AnswerTerm& t : answer.terms)
            if (!t.contradiction) cubes.push_back(t.cube);
        r.hazards = StaticHazards(f, cubes);
    }

    if (e.timedOut || e.solutions.empty()) return r;
    r.minTerms = e.minTerms;
    r.minLiterals = e.minLiterals;
    r.minimal = r.equal && r.answerTerms == r.minTerms && r.answerLiterals == r.minLiterals;
    std::pair<int, int> best{-1, -1};
    for (std::size_t s = 0; s < e.solutions.size(); ++s) {
        const auto near = Nearness(e.solutions[s], e, answer);
        if (near > best) {
            best = near;
            r.closest = static_cast<int>(s);
        }
    }
    return r;
}

}  // namespace explain
