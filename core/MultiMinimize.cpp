#include "core/MultiMinimize.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>

#include "core/Isop.h"
#include "core/Minimize.h"
#include "core/MultiEspresso.h"
#include "core/MultiExact.h"
#include "core/Primes.h"

namespace mwcore {

namespace {

constexpr std::size_t kMaxPoolPrimes = 5000;  // of one pair of outputs
constexpr std::size_t kMaxPool = 20000;
constexpr int kMaxAloneOutputs = 4;
constexpr int kMaxPoolRounds = 8;

// Work allowances (units of Work.h: table words and cube tests): a fixed part plus a share of
// what the heuristic loop spent, so that the time beyond the loop follows the loop's own; the
// pool's primes come from tables, so it gets a share of their size too.
constexpr int64_t kPoolBase = 3000000;
constexpr int64_t kPoolPerTableWord = 40;
constexpr int64_t kPoolShare = 4;  // of the loop's work
constexpr int64_t kPairShare = 2;  // of the pool's allowance, for the primes of pairs
constexpr int64_t kExactBase = 24000000;

using Clock = std::chrono::steady_clock;

MultiMinimization EachAlone(const MultiProblem& p, const MultiOptions& options, bool& eachMinimum);

Clock::time_point After(double seconds) {
    if (seconds >= 1e6) return Clock::time_point::max();
    return Clock::now() + std::chrono::duration_cast<Clock::duration>(
                              std::chrono::duration<double>(std::max(0.0, seconds)));
}

int64_t Scaled(int64_t units, double scale) {
    const double v = static_cast<double>(units) * scale;
    return v >= 9e18 ? Work::kUnlimited : static_cast<int64_t>(v);
}

// A cover in a fixed order so that equal covers print alike.
void Canonical(std::vector<MultiCube>& cover) {
    std::sort(cover.begin(), cover.end(), [](const MultiCube& a, const MultiCube& b) {
        if (a.in.Literals() != b.in.Literals()) return a.in.Literals() < b.in.Literals();
        return b.in < a.in;
    });
}

Problem OutputProblem(const MultiProblem& p, int j) {
    TruthTable dc = p.Upper(j);
    dc.AndNot(p.On(j));
    return Problem(p.On(j), dc);
}

// Pairs of outputs by how many products of the cover feed both, most first.
std::vector<std::pair<int, int>> SharingPairs(const MultiProblem& p,
                                              const std::vector<MultiCube>& cover) {
    std::vector<std::pair<int, std::pair<int, int>>> counted;
    for (int i = 0; i < p.OutputCount(); ++i)
        for (int j = i + 1; j < p.OutputCount(); ++j) {
            int shared = 0;
            for (const MultiCube& c : cover) shared += c.out.test(i) && c.out.test(j);
            if (shared > 0) counted.push_back({-shared, {i, j}});
        }
    std::sort(counted.begin(), counted.end());
    std::vector<std::pair<int, int>> pairs;
    for (const auto& c : counted) pairs.push_back(c.second);
    return pairs;
}

// The primes of pairs of outputs and every product the loop met make a pool (each output's own
// primes are mostly met by the loop already, and cost more than they bring); the covering
// search picks the cheapest cover of it, the loop improves that cover, its products join the
// pool, and so on while the cover gets cheaper.
std::vector<MultiCube> FromPool(const MultiProblem& p, const std::vector<MultiCube>& start,
                                std::vector<MultiCube> best, Work& work, uint64_t& nodes) {
    std::vector<Cube> pool;
    for (const MultiCube& c : start) pool.push_back(c.in);
    for (const MultiCube& c : best) pool.push_back(c.in);
    // Products two outputs share are primes of the two together, often of neither alone:
    // pairs whose on-sets the same products of the cover feed come first, within a share of
    // the allowance that leaves the covering search its part.
    Work pairs = work.Part(work.Allowance() == Work::kUnlimited ? Work::kUnlimited
                                                                : work.Allowance() / kPairShare);
    PrimeLimits limits;
    limits.maxPrimes = kMaxPoolPrimes;
    limits.work = &pairs;
    const int64_t table = p.Span(Cube{});
    for (const auto& [i, j] : SharingPairs(p, best)) {
        if (pool.size() >= kMaxPool || !pairs.Spend(5 * table)) break;
        TruthTable upper = p.Upper(i);
        upper &= p.Upper(j);
        TruthTable on = p.On(i);
        on |= p.On(j);
        on &= upper;
        if (on.Empty()) continue;
        TruthTable dc = upper;
        dc.AndNot(on);
        if (const auto primes = UsefulPrimes(Problem(on, dc), limits))
            pool.insert(pool.end(), primes->begin(), primes->end());
    }
    work.Absorb(pairs);
    for (const Cube& c : GaspCandidates(p, best, &work)) pool.push_back(c);
    std::sort(pool.begin(), pool.end());
    pool.erase(std::unique(pool.begin(), pool.end()), pool.end());
    if (pool.size() <= best.size()) return best;  // nothing to choose from
    for (int round = 0; round < kMaxPoolRounds && !work.Over(); ++round) {
        const MultiExactResult picked = BestCoverOf(p, pool, best, work);
        nodes += picked.nodes;
        if (picked.cover.empty() || !MultiCoverImplements(p, picked.cover)) break;
        std::vector<MultiCube> improved = MultiEspresso(p, picked.cover, work);
        if (!MultiCoverImplements(p, improved)) improved = picked.cover;
        const std::size_t before = pool.size();
        for (const MultiCube& c : improved) pool.push_back(c.in);
        for (const Cube& c : GaspCandidates(p, improved, &work)) pool.push_back(c);
        std::sort(pool.begin(), pool.end());
        pool.erase(std::unique(pool.begin(), pool.end()), pool.end());
        best = std::move(improved);
        if (pool.size() == before) break;  // the same choice again
    }
    return best;
}

}  // namespace

MultiMinimization MinimizeMulti(const MultiProblem& p, const MultiOptions& options,
                                const std::vector<MultiCube>& given) {
    const auto started = Clock::now();
    MultiMinimization result;
    MultiStats& stats = result.stats;
    Guard guard(After(options.loopSeconds), options.cancel);
    const auto report = [&](const char* step) {
        if (options.progress) options.progress(step, static_cast<int>(result.cover.size()));
    };
    std::map<Cube, Outputs> merged;
    for (int j = 0; j < p.OutputCount(); ++j)
        for (const Cube& c : Isop(p.On(j), p.Upper(j))) merged[c].set(j);
    std::vector<MultiCube> start;
    for (const auto& [in, out] : merged) start.push_back({in, out});
    if (!MultiCoverImplements(p, start)) throw VerificationError("the start cover is wrong");
    // The loop runs to its natural end: only the clock or Cancel cut it short. Two starts: the
    // irredundant one growing products in their inputs, and the given cover (or the same
    // start) growing them in their outputs first, for more sharing. The covers met all go to
    // the pool.
    Work loop(Work::kUnlimited, &guard);
    const auto consider = [&](std::vector<MultiCube> cover) {
        if (!MultiCoverImplements(p, cover)) return;
        if (result.cover.empty() || CostOf(cover) < CostOf(result.cover))
            std::swap(cover, result.cover);
        for (const MultiCube& c : cover) start.push_back(c);
    };
    const std::vector<MultiCube> isop = start;
    consider(MultiEspresso(p, isop, loop));
    if (result.cover.empty()) result.cover = isop;
    const std::vector<MultiCube>& second =
        !given.empty() && MultiCoverImplements(p, given) ? given : isop;
    if (!loop.Over()) consider(MultiEspresso(p, second, loop, true));
    stats.work += loop.Spent();
    report("loop");
    const bool exact =
        options.effort != Effort::Quick && options.exactSeconds > 0 && options.workScale > 0;
    Guard exactGuard(After(options.exactSeconds), nullptr, &guard);
    bool settled = false;
    bool gaveUp = false;  // a step ran out of its allowance
    // Few outputs: each one's own minimum (the single-output core settles large functions
    // that the loop cannot), equal products merged, is a cover too.
    if (exact && p.OutputCount() <= kMaxAloneOutputs && !guard.Stopped()) {
        std::map<Cube, Outputs> joined;
        bool eachMinimum = false;
        const MultiMinimization each = EachAlone(p, options, eachMinimum);
        stats.work += each.stats.work;
        // One output: its own proven minimum is the answer.
        settled = p.OutputCount() == 1 && eachMinimum;
        for (const MultiCube& c : each.cover) joined[c.in] |= c.out;
        std::vector<MultiCube> alone;
        for (const auto& [in, out] : joined) alone.push_back({in, out});
        for (const MultiCube& c : alone) start.push_back(c);
        if (settled || CostOf(alone) < CostOf(result.cover)) result.cover = std::move(alone);
        result.minimum = settled;
    }
    if (exact && !settled && !exactGuard.Stopped()) {
        const int64_t tables = p.Span(Cube{}) * p.OutputCount();
        Work pooling(Scaled(kPoolBase + loop.Spent() / kPoolShare + kPoolPerTableWord * tables,
                            options.workScale),
                     &exactGuard);
        result.cover = FromPool(p, start, result.cover, pooling, stats.nodes);
        stats.work += pooling.Spent();
        gaveUp = gaveUp || pooling.Reason() == StoppedBy::Work;
        report("pool");
    }
    if (exact && !settled && !exactGuard.Stopped()) {
        Work work(options.effort == Effort::Prove
                      ? Work::kUnlimited
                      : Scaled(kExactBase + loop.Spent(), options.workScale),
                  &exactGuard);
        const MultiExactResult found = MultiExactMinimum(p, result.cover, work);
        stats.work += work.Spent();
        gaveUp = gaveUp || work.Reason() == StoppedBy::Work;
        stats.nodes += found.nodes;
        if (!found.cover.empty() && CostOf(found.cover) <= CostOf(result.cover) &&
            MultiCoverImplements(p, found.cover))
            result.cover = found.cover;
        result.minimum = found.proven && (found.cover.empty() || result.cover == found.cover);
        report("exact");
    }
    // A step cut short by its allowance may leave products not yet prime: one last pass makes
    // each as large as it can be; then each gives up the outputs others cover for it and
    // takes the literals that frees.
    Work last(Work::kUnlimited, &guard);
    std::vector<MultiCube> polished = result.cover;
    MultiExpand(p, polished, &last);
    MultiIrredundant(p, polished, &last);
    MultiMakeSparse(p, polished, &last);
    if (!(CostOf(result.cover) < CostOf(polished)) && MultiCoverImplements(p, polished)) {
        // A proven minimum stays one: equal products, literals no more.
        result.cover = std::move(polished);
    } else {
        MultiMakeSparse(p, result.cover, &last);
    }
    stats.work += last.Spent();
    report("sparse");
    if (!MultiCoverImplements(p, result.cover))
        throw VerificationError("no verified cover for the outputs");
    Canonical(result.cover);
    stats.stoppedBy = guard.Reason() != StoppedBy::Nothing        ? guard.Reason()
                      : exactGuard.Reason() != StoppedBy::Nothing ? exactGuard.Reason()
                      : gaveUp && !result.minimum                 ? StoppedBy::Work
                                                                  : StoppedBy::Nothing;
    stats.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    return result;
}

MultiMinimization MinimizeEachAlone(const MultiProblem& p, const MultiOptions& options) {
    bool eachMinimum = false;
    return EachAlone(p, options, eachMinimum);
}

namespace {

// eachMinimum: every output got its own proven minimum.
MultiMinimization EachAlone(const MultiProblem& p, const MultiOptions& options, bool& eachMinimum) {
    MultiMinimization result;
    result.minimum = true;
    MinimizeOptions single;
    single.effort = options.effort;
    single.timeLimitSeconds = options.loopSeconds;
    single.workScale = options.exactSeconds > 0 ? options.workScale : 0;
    single.cancel = options.cancel;
    single.maxCovers = 1;
    for (int j = 0; j < p.OutputCount(); ++j) {
        const Minimization m = Minimize(OutputProblem(p, j), single);
        result.minimum = result.minimum && m.minimum;
        result.stats.work += m.stats.work;
        result.stats.nodes += m.stats.nodes;
        if (m.stats.stoppedBy == StoppedBy::TimeLimit || m.stats.stoppedBy == StoppedBy::Cancel)
            result.stats.stoppedBy = m.stats.stoppedBy;
        Outputs o;
        o.set(j);
        if (m.kind == Minimization::Kind::One) result.cover.push_back({Cube{}, o});
        if (m.kind == Minimization::Kind::Sum)
            for (const Cube& c : m.covers.front()) result.cover.push_back({c, o});
    }
    if (!MultiCoverImplements(p, result.cover))
        throw VerificationError("no verified cover for the outputs");
    eachMinimum = result.minimum;
    result.minimum = false;  // minimum for each output alone says nothing of the whole
    return result;
}

}  // namespace

}  // namespace mwcore
