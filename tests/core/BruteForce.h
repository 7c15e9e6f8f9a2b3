#pragma once
// An independent, deliberately naive reference for small functions (at most 6 variables):
// every cube as a 64-bit minterm mask, primes by trying every cube, and all minimum covers by
// plain depth-first search over primes. Slow but obviously right.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <set>
#include <vector>

namespace brute {

struct Cube {
    uint64_t minterms;
    int literals;
};

inline std::vector<Cube> AllCubes(int n) {
    std::vector<Cube> cubes;
    int total = 1;
    for (int i = 0; i < n; ++i) total *= 3;
    for (int code = 0; code < total; ++code) {
        // Digit per variable: 0 = negative literal, 1 = positive, 2 = absent.
        std::vector<int> digit(n);
        for (int i = 0, c = code; i < n; ++i, c /= 3) digit[i] = c % 3;
        uint64_t mask = 0;
        for (int m = 0; m < (1 << n); ++m) {
            bool in = true;
            for (int i = 0; i < n && in; ++i) in = digit[i] == 2 || digit[i] == ((m >> i) & 1);
            if (in) mask |= uint64_t{1} << m;
        }
        cubes.push_back({mask, static_cast<int>(std::count_if(digit.begin(), digit.end(),
                                                              [](int d) { return d != 2; }))});
    }
    return cubes;
}

struct Minimum {
    int products = 0;
    int literals = 0;
    std::set<std::vector<uint64_t>> covers;  // every minimum cover, as sorted minterm masks
};

// on and dc as minterm masks over n <= 6 variables; on must not be empty.
inline Minimum MinimumCovers(const std::vector<Cube>& cubes, uint64_t on, uint64_t dc) {
    const uint64_t upper = on | dc;
    std::vector<Cube> implicants, primes;
    for (const Cube& c : cubes)
        if ((c.minterms & ~upper) == 0 && (c.minterms & on)) implicants.push_back(c);
    for (const Cube& c : implicants) {
        bool prime = true;
        for (const Cube& d : cubes)
            if (d.minterms != c.minterms && (d.minterms & ~upper) == 0 &&
                (c.minterms & ~d.minterms) == 0)
                prime = false;
        if (prime) primes.push_back(c);
    }
    Minimum best;
    best.products = 1 << 20;
    std::vector<int> chosen;
    auto search = [&](auto&& self, uint64_t covered, int products, int literals) -> void {
        if (products > best.products || (products == best.products && literals > best.literals))
            return;
        const uint64_t open = on & ~covered;
        if (!open) {
            if (products < best.products || literals < best.literals) best.covers.clear();
            best.products = products;
            best.literals = literals;
            std::vector<uint64_t> cover;
            for (int i : chosen) cover.push_back(primes[i].minterms);
            std::sort(cover.begin(), cover.end());
            best.covers.insert(cover);
            return;
        }
        const uint64_t first = open & (~open + 1);
        for (std::size_t i = 0; i < primes.size(); ++i) {
            if (!(primes[i].minterms & first)) continue;
            chosen.push_back(static_cast<int>(i));
            self(self, covered | primes[i].minterms, products + 1, literals + primes[i].literals);
            chosen.pop_back();
        }
    };
    search(search, 0, 0, 0);
    return best;
}

}  // namespace brute
