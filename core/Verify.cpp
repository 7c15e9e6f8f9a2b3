#include "core/Verify.h"

namespace mwcore {

bool CoverImplements(const Problem& p, const std::vector<Cube>& cover) {
    for (const Cube& c : cover)
        if (p.off.Intersects(c)) return false;
    return p.on.SubsetOf(TableOf(cover, p.vars));
}

}  // namespace mwcore
