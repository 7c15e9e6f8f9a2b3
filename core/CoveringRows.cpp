#include "core/CoveringRows.h"

#include <algorithm>
#include <optional>
#include <bit>

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
            for (uint64_t b = bits[w] & mask; b; b &= b - 1) {
                const int at = std::countr_zero(b);
                const uint32_t row = rank[w] + std::popcount(bits[w] & ((uint64_t{1} << at) - 1));
                rows[row].push_back(static_cast<int>(id));
            }
        });
    }
    return rows;
}

}  // namespace mwcore

namespace mwcore {

std::optional<std::vector<std::vector<int>>> DistinctCoveringRows(
    const TruthTable& need, const std::vector<Cube>& cubes, std::size_t maxRows,
    std::chrono::steady_clock::time_point deadline) {
    const int vars = need.Vars();
    // A chunk is the sub-cube of minterms sharing their top variables, so each cube is
    // visited once in total, cut to the chunk, and the row lists are reused between chunks.
    const int freeVars = std::min(vars, kChunkVars);
    const uint32_t topMask = vars > freeVars ? ((1u << vars) - 1) & ~((1u << freeVars) - 1) : 0;
    const std::size_t chunkWords = freeVars > 6 ? std::size_t{1} << (freeVars - 6) : 1;
    const uint64_t* bits = need.Words();
    std::vector<std::vector<int>> distinct;
    std::vector<std::vector<int>> rows;
    std::vector<uint32_t> rank(chunkWords + 1);
    std::vector<int> order;
    for (uint32_t top = 0;; top = ((top | ~topMask) + 1) & topMask) {
        const std::size_t base = vars > 6 ? (top >> 6) : 0;
        for (std::size_t w = 0; w < chunkWords; ++w)
            rank[w + 1] = rank[w] + static_cast<uint32_t>(std::popcount(bits[base + w]));
        const uint32_t count = rank[chunkWords];
        if (count) {
            if (rows.size() < count) rows.resize(count);
            for (uint32_t r = 0; r < count; ++r) rows[r].clear();
            const Cube chunk{topMask, top};
            for (std::size_t id = 0; id < cubes.size(); ++id) {
                if (!cubes[id].Intersects(chunk)) continue;
                const Cube part{cubes[id].mask | chunk.mask, cubes[id].val | chunk.val};
                ForEachCubeWord(part, vars, [&](std::size_t w, uint64_t mask) {
                    const std::size_t local = w - base;
                    for (uint64_t b = bits[w] & mask; b; b &= b - 1) {
                        const int at = std::countr_zero(b);
                        rows[rank[local] + std::popcount(bits[w] & ((uint64_t{1} << at) - 1))].push_back(
                            static_cast<int>(id));
                    }
                });
            }
            order.resize(count);
            for (uint32_t r = 0; r < count; ++r) order[r] = static_cast<int>(r);
            std::sort(order.begin(), order.end(), [&](int a, int b) { return rows[a] < rows[b]; });
            for (uint32_t i = 0; i < count; ++i)
                if (i == 0 || rows[order[i]] != rows[order[i - 1]]) distinct.push_back(rows[order[i]]);
            if (distinct.size() > maxRows || std::chrono::steady_clock::now() > deadline) return std::nullopt;
        }
        if (top == topMask) break;
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    return distinct;
}

}  // namespace mwcore
