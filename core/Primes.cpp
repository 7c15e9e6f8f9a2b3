#include "core/Primes.h"

#include <algorithm>
#include <cstring>

#include "core/TruthTable.h"

namespace mwcore {

namespace {

struct Aborted {};

class PrimeSearch {
public:
    explicit PrimeSearch(const PrimeLimits& limits) : limits_(limits) {}

    // Primes over variables below k of `upper` that touch `on`; both span 2^(k-6) words
    // (one word for k <= 6).
    std::vector<Cube> Run(const uint64_t* upper, const uint64_t* on, int k) {
        if (++calls_ % 1024 == 0 && std::chrono::steady_clock::now() > limits_.deadline)
            throw Aborted{};
        const std::size_t size = Words(k);
        const uint64_t full = k >= 6 ? ~0ull : (1ull << (1u << k)) - 1;
        if (std::all_of(on, on + size, [&](uint64_t w) { return (w & full) == 0; })) return {};
        if (std::all_of(upper, upper + size, [&](uint64_t w) { return (w & full) == full; }))
            return {Cube{}};
        std::vector<uint64_t> buf(Words(k - 1) * 6);
        const std::size_t h = Words(k - 1);
        uint64_t *u0 = buf.data(), *u1 = u0 + h, *o0 = u1 + h, *o1 = o0 + h, *ub = o1 + h,
                 *ob = ub + h;
        Split(upper, k, u0, u1);
        Split(on, k, o0, o1);
        for (std::size_t i = 0; i < h; ++i) {
            ub[i] = u0[i] & u1[i];
            ob[i] = (o0[i] | o1[i]) & ub[i];
        }
        if (std::memcmp(u0, u1, h * 8) == 0) {
            for (std::size_t i = 0; i < h; ++i) ob[i] = o0[i] | o1[i];
            return Run(u0, ob, k - 1);
        }
        std::vector<Cube> out = Run(ub, ob, k - 1);
        const int x = k - 1;
        for (int side = 0; side < 2; ++side) {
            const uint64_t* other = side ? u0 : u1;
            for (const Cube& q : Run(side ? u1 : u0, side ? o1 : o0, k - 1)) {
                if (Inside(other, k - 1, q)) continue;
                out.push_back({q.mask | (1u << x), q.val | (side ? 1u << x : 0)});
            }
        }
        if (out.size() > limits_.maxPrimes) throw Aborted{};
        return out;
    }

private:
    static std::size_t Words(int k) { return k > 6 ? std::size_t{1} << (k - 6) : 1; }

    static void Split(const uint64_t* t, int k, uint64_t* lo, uint64_t* hi) {
        if (k > 6) {
            const std::size_t h = Words(k - 1);
            std::memcpy(lo, t, h * 8);
            std::memcpy(hi, t + h, h * 8);
            return;
        }
        const int shift = 1 << (k - 1);
        const uint64_t half = (1ull << shift) - 1;
        lo[0] = t[0] & half;
        hi[0] = (t[0] >> shift) & half;
    }

    static bool Inside(const uint64_t* t, int k, const Cube& c) {
        bool all = true;
        ForEachCubeWord(c, k, [&](std::size_t w, uint64_t m) { all = all && (t[w] & m) == m; });
        return all;
    }

    const PrimeLimits& limits_;
    std::size_t calls_ = 0;
};

}  // namespace

std::optional<std::vector<Cube>> UsefulPrimes(const Problem& p, const PrimeLimits& limits) {
    const TruthTable upper = p.Upper();
    try {
        PrimeSearch search(limits);
        std::vector<Cube> primes = search.Run(upper.Words(), p.on.Words(), p.vars);
        std::sort(primes.begin(), primes.end());
        primes.erase(std::unique(primes.begin(), primes.end()), primes.end());
        return primes;
    } catch (const Aborted&) {
        return std::nullopt;
    }
}

}  // namespace mwcore
