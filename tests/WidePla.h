#pragma once
// Seeded PLAs wider than any truth table, and what such a file says at one input vector: the
// check of every wide result, sharing no code with the minimizer (the cubes are tested one by
// one, the formula is split at its own characters).

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "files/Pla.h"

namespace testing_support {

// A PLA of type fd: `rows` rows over n inputs, each fixing a few inputs at random, and k
// outputs, each row 1 for some of them and a don't care for a few.
inline std::string WidePlaText(unsigned seed, int n, int k, int rows) {
    std::mt19937 rng(seed);
    std::ostringstream t;
    t << ".i " << n << "\n.o " << k << "\n.type fd\n";
    for (int r = 0; r < rows; ++r) {
        std::string in(n, '-');
        const int literals = 6 + static_cast<int>(rng() % 9);
        for (int l = 0; l < literals; ++l) in[rng() % n] = "01"[rng() % 2];
        std::string out(k, '~');
        for (char& c : out) c = "11~~~~-"[rng() % 7];
        if (out.find('1') == std::string::npos) out[rng() % k] = '1';
        t << in << ' ' << out << '\n';
    }
    return t.str() + ".e\n";
}

// Whether the cube holds the vector (v[i]: input column i, the first one the leftmost).
inline bool Holds(const pla::Cube& c, const std::vector<bool>& v) {
    const int n = static_cast<int>(v.size());
    for (int i = 0; i < n; ++i)
        if (c.care.Test(n - 1 - i) && c.value.Test(n - 1 - i) != v[i]) return false;
    return true;
}

// Output j at v by the rules of the types without an off-set: '2' where a don't-care cube
// holds v, '1' where an on cube does, '0' elsewhere.
inline char WideValue(const pla::Pla& file, int j, const std::vector<bool>& v) {
    const auto held = [&](const std::vector<pla::Cube>& cubes) {
        return std::any_of(cubes.begin(), cubes.end(),
                           [&](const pla::Cube& c) { return Holds(c, v); });
    };
    if (held(file.functions[j].dc)) return '2';
    return held(file.functions[j].on) ? '1' : '0';
}

// Half the vectors inside a random on cube (so that the ones are tried), half anywhere.
inline std::vector<std::vector<bool>> WideVectors(const pla::Pla& file, unsigned seed, int count) {
    std::mt19937 rng(seed);
    std::vector<pla::Cube> on;
    for (const pla::OutputSets& f : file.functions) on.insert(on.end(), f.on.begin(), f.on.end());
    std::vector<std::vector<bool>> vectors;
    const int n = file.inputs;
    for (int c = 0; c < count; ++c) {
        std::vector<bool> v(n);
        for (int i = 0; i < n; ++i) v[i] = rng() % 2;
        if (c % 2 == 0 && !on.empty()) {
            const pla::Cube& cube = on[rng() % on.size()];
            for (int i = 0; i < n; ++i)
                if (cube.care.Test(n - 1 - i)) v[i] = cube.value.Test(n - 1 - i);
        }
        vectors.push_back(std::move(v));
    }
    return vectors;
}

// A sum of products over names ("a*|b+c", "0" or "1") at v, v[i] the value of names[i].
// Sets *unknown to a literal no name matches.
inline bool FormulaValue(const std::string& formula, const std::vector<std::string>& names,
                         const std::vector<bool>& v, std::string* unknown = nullptr) {
    if (formula == "0" || formula == "1") return formula == "1";
    std::map<std::string, int> index;
    for (std::size_t i = 0; i < names.size(); ++i) index[names[i]] = static_cast<int>(i);
    std::istringstream terms(formula);
    bool any = false;
    for (std::string term; std::getline(terms, term, '+');) {
        bool all = true;
        std::istringstream literals(term);
        for (std::string literal; std::getline(literals, literal, '*');) {
            const bool negated = !literal.empty() && literal[0] == '|';
            const auto at = index.find(negated ? literal.substr(1) : literal);
            if (at == index.end()) {
                if (unknown) *unknown = literal;
                return false;
            }
            all = all && v[at->second] != negated;
        }
        any = any || all;
    }
    return any;
}

}  // namespace testing_support
