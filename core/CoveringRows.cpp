#include "core/CoveringRows.h"

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
