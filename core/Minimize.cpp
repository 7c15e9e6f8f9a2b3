#include "core/Minimize.h"

#include <algorithm>
#include <chrono>

#include "core/Espresso.h"
#include "core/ExactCover.h"
#include "core/Isop.h"
#include "core/Verify.h"

namespace mwcore {

namespace {

// A cover in a fixed order (most literals last) so that equal covers print alike.
void Canonical(std::vector<Cube>& cover) {
    std::sort(cover.begin(), cover.end(), [](const Cube& a, const Cube& b) {
        if (a.Literals() != b.Literals()) return a.Literals() < b.Literals();
        return b < a;
    });
}

}  // namespace

Minimization Minimize(const Problem& p, const MinimizeOptions& options) {
    Minimization result;
    result.minimum = true;
    if (p.on.Empty()) {
        result.kind = Minimization::Kind::Zero;
        return result;
    }
    if (p.off.Empty()) {
        result.kind = Minimization::Kind::One;
        return result;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::vector<Cube> isop = Isop(p.on, p.Upper());
    std::vector<Cube> heuristic = Espresso(p, isop);
    if (!CoverImplements(p, heuristic)) heuristic = isop;  // the start is correct by construction
    result.minimum = false;
    result.covers = {heuristic};

    if (options.exactSeconds > 0) {
        ExactLimits limits;
        limits.deadline = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(options.exactSeconds));
        limits.maxCovers = options.maxCovers;
        ExactResult exact = ExactMinimum(p, heuristic, limits);
        std::erase_if(exact.covers, [&](const auto& c) { return !CoverImplements(p, c); });
        if (!exact.covers.empty()) {
            result.covers = std::move(exact.covers);
            result.minimum = exact.proven;
        } else if (exact.proven) {
            result.minimum = true;  // the heuristic cover is a minimum
        }
    }
    if (!CoverImplements(p, result.covers.front()))
        throw VerificationError("no verified cover for the function");
    for (auto& cover : result.covers) Canonical(cover);
    return result;
}

}  // namespace mwcore
