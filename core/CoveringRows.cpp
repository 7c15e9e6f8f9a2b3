#include "core/CoveringRows.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <random>
#include <unordered_set>

#include "core/BitSet.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace mwcore {

std::vector<std::vector<int>> CoveringRows(const TruthTable& need, const std::vector<Cube>& cubes) {
    const std::size_t words = need.WordCount();
    const uint64_t* bits = need.Words();
    std::vector<uint32_t> rank(words + 1, 0);
    for (std::size_t w = 0; w < words; ++w)
        rank[w + 1] = rank[w] + static_cast<uint32_t>(std::popcount(bits[w]));
    std::vector<std::vector<int>> rows(rank[words]);
    for (std::size_t id = 0; id < cubes.size(); ++id) {
        ForEachCubeWord(cubes[id], need.Vars(), [&](std::size_t w, uint64_t mask) {
            mwcore::bits::ForEachOfWord(bits[w] & mask, 0, [&](int at) {
                rows[rank[w] + mwcore::bits::RankInWord(bits[w], at)].push_back(
                    static_cast<int>(id));
            });
        });
    }
    return rows;
}

}  // namespace mwcore

namespace mwcore {

namespace {

// The cubes' literals apart from their values, so that a minterm is tested against several
// cubes at once.
struct CubeColumns {
    std::vector<uint32_t> masks, vals;
    explicit CubeColumns(const std::vector<Cube>& cubes) {
        masks.reserve(cubes.size());
        vals.reserve(cubes.size());
        for (const Cube& c : cubes) {
            masks.push_back(c.mask);
            vals.push_back(c.val);
        }
    }

    // The ids of the cubes holding m, ascending.
    std::vector<int> Holders(uint32_t m) const {
        std::vector<int> row;
        const std::size_t n = masks.size();
        std::size_t i = 0;
#ifdef __SSE2__
        const __m128i mm = _mm_set1_epi32(static_cast<int>(m));
        for (; i + 8 <= n; i += 8) {
            const auto at = [&](std::size_t k) {
                const __m128i a = _mm_and_si128(
                    mm, _mm_loadu_si128(reinterpret_cast<const __m128i*>(masks.data() + k)));
                const __m128i v =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(vals.data() + k));
                return static_cast<unsigned>(
                    _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(a, v))));
            };
            for (unsigned bits = at(i) | at(i + 4) << 4; bits; bits &= bits - 1)
                row.push_back(static_cast<int>(i + std::countr_zero(bits)));
        }
#endif
        for (; i < n; ++i)
            if ((m & masks[i]) == vals[i]) row.push_back(static_cast<int>(i));
        return row;
    }
};

}  // namespace

std::optional<std::vector<std::vector<int>>> DistinctCoveringRows(
    const TruthTable& need, const std::vector<Cube>& cubes, std::size_t maxRows,
    std::chrono::steady_clock::time_point deadline) {
    Guard guard(deadline);
    Work work(Work::kUnlimited, &guard);
    return DistinctCoveringRows(need, cubes, maxRows, work);
}

std::optional<std::vector<std::vector<int>>> DistinctCoveringRows(const TruthTable& need,
                                                                  const std::vector<Cube>& cubes,
                                                                  std::size_t maxRows, Work& work) {
    const int vars = need.Vars();
    // Few minterms to cover: their rows directly, with no table-sized scratch.
    if (need.Count() * std::max<std::size_t>(cubes.size(), 1) <= (std::size_t{1} << 22)) {
        // Each cube walks its own words where minterms are many, rather than every minterm
        // testing every cube; the rows are the same either way.
        std::vector<std::vector<int>> rows;
        if (need.Count() >= need.WordCount()) {
            rows = CoveringRows(need, cubes);
        } else {
            const CubeColumns columns(cubes);
            const uint64_t* bits = need.Words();
            for (std::size_t w = 0; w < need.WordCount(); ++w)
                mwcore::bits::ForEachOfWord(bits[w], w * 64, [&](int m) {
                    rows.push_back(columns.Holders(static_cast<uint32_t>(m)));
                });
        }
        if (!work.Spend(static_cast<int64_t>(need.Count() * cubes.size() / 8) + 1))
            return std::nullopt;
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        if (rows.size() > maxRows) return std::nullopt;
        return rows;
    }
    // A slice is the sub-cube of minterms sharing their top variables, so each cube is visited
    // once in total, cut to the slice. Within a slice every minterm gets the XOR of random keys
    // of the cubes holding it; one minterm per new key then gives its row. (Keys that collide
    // would only lose a row: the covers are verified before they are used.)
    const int freeVars = std::min(vars, kChunkVars);
    const uint32_t topMask = vars > freeVars ? ((1u << vars) - 1) & ~((1u << freeVars) - 1) : 0;
    const std::size_t sliceWords = freeVars > 6 ? std::size_t{1} << (freeVars - 6) : 1;
    const uint64_t* bits = need.Words();
    std::mt19937_64 rng(0x5eed);
    std::vector<uint64_t> key(cubes.size());
    for (uint64_t& k : key) k = rng() | 1;
    std::vector<uint64_t> signature(sliceWords * 64);
    std::unordered_set<uint64_t> seen;
    std::vector<uint64_t> picked(sliceWords);
    std::vector<uint32_t> rank(sliceWords + 1, 0);
    std::vector<std::vector<int>> distinct;
    for (uint32_t top = 0;; top = ((top | ~topMask) + 1) & topMask) {
        const std::size_t base = vars > 6 ? (top >> 6) : 0;
        if (std::all_of(bits + base, bits + base + sliceWords, [](uint64_t w) { return w == 0; })) {
            if (top == topMask) break;
            continue;  // nothing to cover in this slice
        }
        std::fill(signature.begin(), signature.end(), 0);
        const Cube slice{topMask, top};
        for (std::size_t id = 0; id < cubes.size(); ++id) {
            if (!cubes[id].Intersects(slice)) continue;
            const Cube part{cubes[id].mask | slice.mask, cubes[id].val | slice.val};
            ForEachCubeWord(part, vars, [&](std::size_t w, uint64_t mask) {
                uint64_t* sig = &signature[(w - base) * 64];
                for (uint64_t b = bits[w] & mask; b; b &= b - 1)
                    sig[std::countr_zero(b)] ^= key[id];
            });
        }
        // One minterm per new key; their rows are filled below, each cube walking only them.
        const std::size_t first = distinct.size();
        std::fill(picked.begin(), picked.end(), 0);
        for (std::size_t w = 0; w < sliceWords; ++w) {
            for (uint64_t b = bits[base + w]; b; b &= b - 1) {
                const int at = std::countr_zero(b);
                if (!seen.insert(signature[w * 64 + at]).second) continue;
                picked[w] |= uint64_t{1} << at;
                distinct.emplace_back();
                // Rows are paid for as they are made, so a large table stops within its allowance.
                if ((distinct.size() & 63) == 0 &&
                    !work.Spend(static_cast<int64_t>(64 * cubes.size() / 8)))
                    return std::nullopt;
            }
        }
        for (std::size_t w = 0; w < sliceWords; ++w)
            rank[w + 1] = rank[w] + static_cast<uint32_t>(std::popcount(picked[w]));
        for (std::size_t id = 0; id < cubes.size(); ++id) {
            if (!cubes[id].Intersects(slice)) continue;
            const Cube part{cubes[id].mask | slice.mask, cubes[id].val | slice.val};
            ForEachCubeWord(part, vars, [&](std::size_t w, uint64_t mask) {
                const std::size_t local = w - base;
                mwcore::bits::ForEachOfWord(picked[local] & mask, 0, [&](int at) {
                    distinct[first + rank[local] + mwcore::bits::RankInWord(picked[local], at)]
                        .push_back(static_cast<int>(id));
                });
            });
        }
        if (distinct.size() > maxRows ||
            !work.Spend(static_cast<int64_t>(cubes.size() + sliceWords * 4)))
            return std::nullopt;
        if (top == topMask) break;
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    return distinct;
}

}  // namespace mwcore
