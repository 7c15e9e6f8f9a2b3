#include "core/Primes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "core/Invariant.h"
#include "core/Isop.h"
#include "core/TruthTable.h"

namespace mwcore {

namespace {

// Up to here the table recursion is the faster way (many primes make the cover recursion's
// containment checks quadratic); beyond it, the cover recursion.
constexpr int kMaxVarsForTables = 11;

struct Aborted {};

// Spends from the work allowance, or reads the clock every `every` calls where there is none.
void Tick(const PrimeLimits& limits, std::size_t& calls, int64_t units, std::size_t every) {
    if (limits.work ? !limits.work->Spend(units)
                    : ++calls % every == 0 && std::chrono::steady_clock::now() > limits.deadline)
        throw Aborted{};
}

class PrimeSearch {
  public:
    explicit PrimeSearch(const PrimeLimits& limits) : limits_(limits) {}

    // Primes over variables below k of `upper` that touch `on`; both span 2^(k-6) words
    // (one word for k <= 6).
    std::vector<Cube> Run(const uint64_t* upper, const uint64_t* on, int k) {
        scratch_.assign(static_cast<std::size_t>(k) + 1, {});
        for (int i = 0; i <= k; ++i) scratch_[i].resize(Words(i - 1) * 6);
        std::vector<Cube> out;
        Append(upper, on, k, out);
        return out;
    }

  private:
    // Appends the primes to `out`. Each depth has its own scratch, taken once: a call at k
    // only ever calls at k - 1, so one frame per depth is alive at a time.
    void Append(const uint64_t* upper, const uint64_t* on, int k, std::vector<Cube>& out) {
        const std::size_t size = Words(k);
        Tick(limits_, calls_, static_cast<int64_t>(size) + 1, 1024);
        const uint64_t full = k >= 6 ? ~0ull : (1ull << (1u << k)) - 1;
        if (std::all_of(on, on + size, [&](uint64_t w) { return (w & full) == 0; })) return;
        if (std::all_of(upper, upper + size, [&](uint64_t w) { return (w & full) == full; })) {
            out.push_back(Cube{});
            return;
        }
        const std::size_t h = Words(k - 1);
        uint64_t *u0 = scratch_[k].data(), *u1 = u0 + h, *o0 = u1 + h, *o1 = o0 + h, *ub = o1 + h,
                 *ob = ub + h;
        Split(upper, k, u0, u1);
        Split(on, k, o0, o1);
        for (std::size_t i = 0; i < h; ++i) {
            ub[i] = u0[i] & u1[i];
            ob[i] = (o0[i] | o1[i]) & ub[i];
        }
        // Mostly a word or two: compared inline, not by a library call.
        bool same = true;
        for (std::size_t i = 0; i < h && same; ++i) same = u0[i] == u1[i];
        if (same) {
            for (std::size_t i = 0; i < h; ++i) ob[i] = o0[i] | o1[i];
            Append(u0, ob, k - 1, out);
            return;
        }
        const std::size_t base = out.size();
        Append(ub, ob, k - 1, out);
        const int x = k - 1;
        for (int side = 0; side < 2; ++side) {
            const uint64_t* other = side ? u0 : u1;
            const std::size_t from = out.size();
            Append(side ? u1 : u0, side ? o1 : o0, k - 1, out);
            std::size_t kept = from;
            for (std::size_t i = from; i < out.size(); ++i) {
                const Cube q = out[i];
                if (Inside(other, k - 1, q)) continue;
                out[kept++] = {q.mask | (1u << x), q.val | (side ? 1u << x : 0)};
            }
            out.resize(kept);
        }
        if (out.size() - base > limits_.maxPrimes) throw Aborted{};
        for (std::size_t i = base; i < out.size(); ++i)
            MW_INVARIANT(Inside(upper, k, out[i]));  // implicants only
    }

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
        return !AnyCubeWord(c, k, [&](std::size_t w, uint64_t m) { return (t[w] & m) != m; });
    }

    const PrimeLimits& limits_;
    std::size_t calls_ = 0;
    std::vector<std::vector<uint64_t>> scratch_;  // by depth
};

// The same primes from a cover instead of tables, by the unate recursive paradigm (Brayton et
// al., 1984): split on the most binate variable, take the primes of both cofactors with their
// literal and all their pairwise consensus terms, and drop contained cubes; a unate cover's
// primes are its cubes left after dropping contained ones. Cheaper than tables when the
// function has many variables but few primes.
class CoverPrimeSearch {
  public:
    CoverPrimeSearch(const PrimeLimits& limits, int vars) : limits_(limits), vars_(vars) {}

    std::vector<Cube> Run(const std::vector<Cube>& f) {
        Tick(limits_, calls_, static_cast<int64_t>(f.size()) + 1, 64);
        if (f.empty()) return {};
        int pos[32] = {0}, neg[32] = {0};
        for (const Cube& c : f) {
            if (c.mask == 0) return {Cube{}};
            for (uint32_t m = c.mask; m; m &= m - 1) {
                const int v = std::countr_zero(m);
                ++((c.val >> v) & 1 ? pos : neg)[v];
            }
        }
        int split = -1;
        for (int v = 0; v < vars_; ++v)
            if (pos[v] && neg[v] && (split < 0 || pos[v] + neg[v] > pos[split] + neg[split]))
                split = v;
        if (split < 0) return WithoutContained(f);
        const uint32_t bit = 1u << split;
        std::vector<Cube> f0, f1;
        for (const Cube& c : f) {
            if (!(c.mask & bit) || (c.val & bit)) f1.push_back(c.Without(split));
            if (!(c.mask & bit) || !(c.val & bit)) f0.push_back(c.Without(split));
        }
        const std::vector<Cube> p0 = Run(f0), p1 = Run(f1);
        std::vector<Cube> out;
        for (const Cube& p : p0) out.push_back({p.mask | bit, p.val});
        for (const Cube& q : p1) out.push_back({q.mask | bit, q.val | bit});
        for (const Cube& p : p0)
            for (const Cube& q : p1)
                if (p.Intersects(q)) out.push_back({p.mask | q.mask, p.val | q.val});
        if (out.size() > limits_.maxPrimes * 4) throw Aborted{};
        return WithoutContained(out);
    }

  private:
    std::vector<Cube> WithoutContained(const std::vector<Cube>& cubes) {
        // By literals, then as cubes compare: a bucket per count and one key per cube rather
        // than two popcounts per comparison.
        std::array<std::vector<uint64_t>, 33> byLiterals;
        for (const Cube& c : cubes)
            byLiterals[c.Literals()].push_back(uint64_t{c.mask} << 32 | c.val);
        // Kept cubes as two arrays: the containment test over them is a loop without branches.
        std::vector<uint32_t> masks, vals;
        for (std::vector<uint64_t>& bucket : byLiterals) {
            std::sort(bucket.begin(), bucket.end());
            bucket.erase(std::unique(bucket.begin(), bucket.end()), bucket.end());
            for (const uint64_t key : bucket) {
                Tick(limits_, calls_, static_cast<int64_t>(masks.size() / 8) + 1, 4096);
                const uint32_t cm = static_cast<uint32_t>(key >> 32);
                const uint32_t cv = static_cast<uint32_t>(key);
                if (!AnyContains(masks, vals, cm, cv)) {
                    masks.push_back(cm);
                    vals.push_back(cv);
                }
            }
        }
        if (masks.size() > limits_.maxPrimes) throw Aborted{};
        std::vector<Cube> kept(masks.size());
        for (std::size_t i = 0; i < kept.size(); ++i) kept[i] = {masks[i], vals[i]};
        return kept;
    }

    // Whether some kept cube holds the cube (cm, cv): its literals are among the cube's and
    // agree with them. Blocks of 64 without an early exit inside, which the compiler widens.
    static bool AnyContains(const std::vector<uint32_t>& masks, const std::vector<uint32_t>& vals,
                            uint32_t cm, uint32_t cv) {
        const std::size_t n = masks.size();
        for (std::size_t at = 0; at < n; at += 64) {
            const std::size_t end = std::min(n, at + 64);
            bool hit = false;
            for (std::size_t i = at; i < end; ++i) hit |= (masks[i] & (~cm | (cv ^ vals[i]))) == 0;
            if (hit) return true;
        }
        return false;
    }

    const PrimeLimits& limits_;
    int vars_;
    std::size_t calls_ = 0;
};

}  // namespace

std::optional<std::vector<Cube>> UsefulPrimes(const Problem& p, const PrimeLimits& limits) {
    if (p.vars > kMaxVarsForTables) return UsefulPrimesFromCover(p, limits);
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

namespace mwcore {

std::optional<std::vector<Cube>> UsefulPrimesFromCover(const Problem& p,
                                                       const PrimeLimits& limits) {
    // The cover to start from costs as much as a pass of the heuristic: not after Cancel.
    if (limits.work && limits.work->Halted()) return std::nullopt;
    const TruthTable upper = p.Upper();
    try {
        CoverPrimeSearch search(limits, p.vars);
        std::vector<Cube> primes = search.Run(Isop(upper, upper));
        std::erase_if(primes, [&](const Cube& c) { return !p.on.Intersects(c); });
        std::sort(primes.begin(), primes.end());
        return primes;
    } catch (const Aborted&) {
        return std::nullopt;
    }
}

}  // namespace mwcore
