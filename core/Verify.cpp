#include "core/Verify.h"

namespace mwcore {

bool CoverImplements(const Problem& p, const std::vector<Cube>& cover) {
    // A product meets the off-set just where the products together do: one pass over the
    // table rather than one test per product (a cover after Cancel holds a million).
    const TruthTable got = TableOf(cover, p.vars);
    const uint64_t* off = p.off.Words();
    for (std::size_t i = 0; i < got.WordCount(); ++i)
        if (got.Words()[i] & off[i]) return false;
    return p.on.SubsetOf(got);
}

}  // namespace mwcore
