#include "core/CubeMinimize.h"

#include <algorithm>
#include <chrono>

#include "core/CubeLoop.h"
#include "core/MultiProblem.h"

namespace mwcore {
namespace {

using cubes::CubeList;
using cubes::Shape;
using cubes::Word;

// An output's off-set is listed up to this many cubes; past it expand asks tautology instead.
constexpr std::size_t kMaxOffCubes = 20'000;
// Work of listing one output's off-set before giving up on it.
constexpr int64_t kOffWork = 4'000'000;
// The loop's allowance (thorough; quick runs one pass). Scaled by the options.
constexpr int64_t kLoopWork = 4'000'000'000;

// The input parts of the cubes of `from` that feed output j.
void InputsOf(const CubeList& from, const Shape& s, int j, CubeList& into) {
    for (std::size_t i = 0; i < from.Size(); ++i)
        if (Shape::Output(from[i] + s.inWords, j)) into.Add(from[i]);
}

// The cubes as the rows give them, those with the same inputs made one.
CubeList Start(const CubeProblem& p) {
    const int w = p.shape.Width(), iw = p.shape.inWords;
    CubeList f(w);
    for (std::size_t i = 0; i < p.on.Size(); ++i) {
        bool merged = false;
        for (std::size_t k = 0; k < f.Size() && !merged; ++k)
            if (std::equal(f[k], f[k] + iw, p.on[i])) {
                for (int b = iw; b < w; ++b) f[k][b] |= p.on[i][b];
                merged = true;
            }
        if (!merged) f.Add(p.on[i]);
    }
    return f;
}

// Output j's off cubes less its don't cares (a don't care wins), where the don't cares'
// complement can be listed; else the off cubes as they are, which only asks more of a product.
void OffBeyondDc(const CubeProblem& p, int j, CubeList& into, Work& work) {
    const Shape& s = p.shape;
    CubeList off(s.inWords), dc(s.inWords), notDc(s.inWords);
    InputsOf(p.off, s, j, off);
    InputsOf(p.dc, s, j, dc);
    Work part = work.Part(kOffWork);
    const bool listed = dc.Empty() || cubes::Complement(dc, notDc, kMaxOffCubes, part);
    work.Absorb(part);
    if (!listed || dc.Empty()) {
        into = std::move(off);
        return;
    }
    for (std::size_t a = 0; a < off.Size(); ++a)
        for (std::size_t b = 0; b < notDc.Size(); ++b) {
            if (cubes::Disjoint(off[a], notDc[b], s.inWords)) continue;
            Word* r = into.Add(off[a]);
            for (int k = 0; k < s.inWords; ++k) r[k] &= notDc[b][k];
        }
}

struct Sets {
    CubeList dc;
    std::vector<CubeList> off, upper;
    std::vector<char> hasOff;
};

// Each output's off-set listed where it stays small, and what a product may take otherwise.
Sets SetsOf(const CubeProblem& p, Work& work) {
    const Shape& s = p.shape;
    Sets sets{p.dc, std::vector<CubeList>(s.outputs, CubeList(s.inWords)),
              std::vector<CubeList>(s.outputs, CubeList(s.inWords)),
              std::vector<char>(s.outputs, 0)};
    for (int j = 0; j < s.outputs; ++j) {
        CubeList named(s.inWords);
        InputsOf(p.on, s, j, named);
        InputsOf(p.dc, s, j, named);
        if (p.offGiven) {
            OffBeyondDc(p, j, sets.off[j], work);
            sets.hasOff[j] = 1;
            // What no cube names is a don't care, where that is small enough to list.
            InputsOf(p.off, s, j, named);
            CubeList rest(s.inWords);
            Work part = work.Part(kOffWork);
            if (cubes::Complement(named, rest, kMaxOffCubes, part)) {
                for (std::size_t i = 0; i < rest.Size(); ++i) {
                    Word* d = sets.dc.Add();
                    std::copy(rest[i], rest[i] + s.inWords, d);
                    std::fill(d + s.inWords, d + s.Width(), 0);
                    Shape::SetOutput(d + s.inWords, j);
                }
            }
            work.Absorb(part);
            continue;
        }
        Work part = work.Part(kOffWork);
        if (cubes::Complement(named, sets.off[j], kMaxOffCubes, part))
            sets.hasOff[j] = 1;
        else
            sets.off[j].Clear();
        work.Absorb(part);
        sets.upper[j] = std::move(named);
    }
    return sets;
}

// Every on cube covered, and no product beyond what its outputs may take.
bool Implements(const CubeProblem& p, const Sets& sets, const CubeList& cover,
                cubes::CubeLoop& loop) {
    const Shape& s = p.shape;
    for (std::size_t i = 0; i < cover.Size(); ++i)
        if (!loop.Feasible(cover[i])) return false;
    CubeList& dc = loop.Dc();
    dc = sets.dc;
    for (std::size_t i = 0; i < p.on.Size(); ++i)
        for (int j = 0; j < s.outputs; ++j)
            if (Shape::Output(p.on[i] + s.inWords, j) &&
                !loop.Covered(cover, nullptr, static_cast<std::size_t>(-1), p.on[i], j))
                return false;
    return true;
}

}  // namespace

bool UsesCubes(int vars, int outputs) {
    return vars > 23 || MultiProblem::BytesFor(vars, outputs) > (std::size_t{450} << 20);
}

CubeMinimization MinimizeCubes(const CubeProblem& p, const MinimizeOptions& options) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto limit = options.timeLimitSeconds > 0
                           ? start + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(options.timeLimitSeconds))
                           : Clock::time_point::max();
    Guard guard(limit, options.cancel);
    const int64_t allowance =
        static_cast<int64_t>(static_cast<double>(kLoopWork) * std::max(0.01, options.workScale));
    Work work(allowance, &guard);

    const Sets sets = SetsOf(p, work);
    cubes::CubeLoop loop(p.shape, sets.dc, sets.off, sets.hasOff, sets.upper, work);
    CubeList f = Start(p);
    const auto step = [&](const char* name) {
        if (options.progress) options.progress(name, static_cast<int>(f.Size()));
    };
    loop.Expand(f);
    loop.Irredundant(f);
    const CubeList essentials = loop.TakeEssentials(f);
    step("loop");
    CubeList best = f;
    for (bool again = true; again && !work.Over();) {
        for (;;) {
            const CoverCost before = loop.Cost(f);
            const std::size_t had = f.Size();
            const std::vector<char> settled = loop.Reduce(f);
            // Nothing cut: expanding again would find the same primes.
            if (f.Size() == had && std::find(settled.begin(), settled.end(), 0) == settled.end())
                break;
            loop.Expand(f, &settled);
            loop.Irredundant(f);
            if (work.Over()) break;
            if (loop.Cost(f) < loop.Cost(best)) best = f;
            if (!(loop.Cost(f) < before)) break;
        }
        step("loop");
        if (options.effort == Effort::Quick || work.Over()) break;
        f = best;
        again = loop.LastGasp(f);
        if (again && loop.Cost(f) < loop.Cost(best)) best = f;
    }
    f = best;
    loop.Dc() = sets.dc;
    for (std::size_t i = 0; i < essentials.Size(); ++i) f.Add(essentials[i]);
    loop.MakeSparse(f);
    step("sparse");

    CubeMinimization result;
    result.stats.work = work.Spent();
    result.stats.stoppedBy = work.Reason();
    // A guard checks the answer whatever stopped the work: the verification is not budgeted.
    Work check;
    cubes::CubeLoop verifier(p.shape, sets.dc, sets.off, sets.hasOff, sets.upper, check);
    if (!Implements(p, sets, f, verifier))
        throw VerificationError("the cube path's cover does not implement the function");
    result.cover = std::move(f);
    result.stats.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return result;
}

}  // namespace mwcore
