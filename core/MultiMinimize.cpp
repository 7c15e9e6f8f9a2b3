#include "core/MultiMinimize.h"

#include <algorithm>
#include <chrono>
#include <map>

#include "core/Isop.h"
#include "core/Minimize.h"
#include "core/MultiEspresso.h"
#include "core/MultiExact.h"
#include "core/Primes.h"

namespace mwcore {

namespace {

constexpr std::size_t kMaxPoolPrimes = 5000;  // of one output
constexpr std::size_t kMaxPool = 20000;
constexpr int kMaxAloneOutputs = 4;

std::chrono::steady_clock::duration Seconds(double s) {
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(s));
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
std::vector<std::pair<int, int>> SharingPairs(const MultiProblem& p, const std::vector<MultiCube>& cover) {
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

// Each output's own primes (fed to all outputs that can take them) and every product the loop
// met make a pool; the covering search picks the cheapest cover of it, the loop improves that
// cover, its products join the pool, and so on while the cover gets cheaper.
std::vector<MultiCube> FromPool(const MultiProblem& p, const std::vector<MultiCube>& start,
                                std::vector<MultiCube> best, Deadline until) {
    std::vector<Cube> pool;
    for (const MultiCube& c : start) pool.push_back(c.in);
    for (const MultiCube& c : best) pool.push_back(c.in);
    PrimeLimits limits;
    limits.maxPrimes = kMaxPoolPrimes;
    limits.deadline = until;
    for (int j = 0; j < p.OutputCount() && pool.size() < kMaxPool; ++j)
        if (const auto primes = UsefulPrimes(OutputProblem(p, j), limits))
            pool.insert(pool.end(), primes->begin(), primes->end());
    // Products two outputs share are primes of the two together, often of neither alone:
    // pairs whose on-sets the same products of the cover feed come first, while time lasts.
    for (const auto& [i, j] : SharingPairs(p, best)) {
        if (pool.size() >= kMaxPool || std::chrono::steady_clock::now() > until) break;
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
    for (const Cube& c : GaspCandidates(p, best, until)) pool.push_back(c);
    std::sort(pool.begin(), pool.end());
    pool.erase(std::unique(pool.begin(), pool.end()), pool.end());
    if (pool.size() <= best.size()) return best;  // nothing to choose from
    while (std::chrono::steady_clock::now() < until) {
        const MultiExactResult picked = BestCoverOf(p, pool, best, until);
        if (picked.cover.empty() || !MultiCoverImplements(p, picked.cover)) break;
        std::vector<MultiCube> improved = MultiEspresso(p, picked.cover, until);
        if (!MultiCoverImplements(p, improved)) improved = picked.cover;
        for (const MultiCube& c : improved) pool.push_back(c.in);
        for (const Cube& c : GaspCandidates(p, improved, until)) pool.push_back(c);
        best = std::move(improved);
    }
    return best;
}

}  // namespace

MultiMinimization MinimizeMulti(const MultiProblem& p, const MultiOptions& options,
                                const std::vector<MultiCube>& given) {
    MultiMinimization result;
    std::map<Cube, Outputs> merged;
    for (int j = 0; j < p.OutputCount(); ++j)
        for (const Cube& c : Isop(p.On(j), p.Upper(j))) merged[c].set(j);
    std::vector<MultiCube> start;
    for (const auto& [in, out] : merged) start.push_back({in, out});
    if (!MultiCoverImplements(p, start)) throw VerificationError("the start cover is wrong");
    const auto loopStart = std::chrono::steady_clock::now();
    result.cover = MultiEspresso(p, start, loopStart + Seconds(options.loopSeconds));
    if (!MultiCoverImplements(p, result.cover)) result.cover = start;
    if (!given.empty() && MultiCoverImplements(p, given)) {
        std::vector<MultiCube> other = MultiEspresso(p, given, loopStart + Seconds(options.loopSeconds));
        if (MultiCoverImplements(p, other)) {
            for (const MultiCube& c : result.cover) start.push_back(c);  // into the pool
            if (CostOf(other) < CostOf(result.cover)) result.cover = std::move(other);
            else for (const MultiCube& c : other) start.push_back(c);
        }
    }
    // Few outputs: each one's own minimum (the single-output core settles large functions
    // that the loop cannot), equal products merged, is a cover too.
    if (options.exactSeconds > 0 && p.OutputCount() <= kMaxAloneOutputs) {
        std::map<Cube, Outputs> joined;
        for (const MultiCube& c : MinimizeEachAlone(p, options).cover) joined[c.in] |= c.out;
        std::vector<MultiCube> alone;
        for (const auto& [in, out] : joined) alone.push_back({in, out});
        for (const MultiCube& c : alone) start.push_back(c);
        if (CostOf(alone) < CostOf(result.cover)) result.cover = std::move(alone);
    }
    if (options.exactSeconds > 0) {
        const auto oneRun = std::chrono::steady_clock::now() - loopStart;
        const auto allowance = std::clamp<std::chrono::steady_clock::duration>(
            2 * oneRun, std::chrono::milliseconds(20), std::max<std::chrono::steady_clock::duration>(Seconds(options.exactSeconds), std::chrono::milliseconds(50)));
        result.cover = FromPool(p, start, result.cover, std::chrono::steady_clock::now() + allowance);
    }
    if (options.exactSeconds > 0) {
        const MultiExactResult exact =
            MultiExactMinimum(p, result.cover, std::chrono::steady_clock::now() + Seconds(options.exactSeconds));
        if (!exact.cover.empty() && CostOf(exact.cover) <= CostOf(result.cover) &&
            MultiCoverImplements(p, exact.cover))
            result.cover = exact.cover;
        result.minimum = exact.proven && (exact.cover.empty() || result.cover == exact.cover);
    }
    // A step cut short by its deadline may leave products not yet prime: one last pass, with
    // no deadline, makes each as large as it can be.
    std::vector<MultiCube> last = result.cover;
    MultiExpand(p, last);
    MultiIrredundant(p, last);
    if (!(CostOf(result.cover) < CostOf(last)) && MultiCoverImplements(p, last)) result.cover = std::move(last);
    DropSpareOutputs(p, result.cover);
    if (!MultiCoverImplements(p, result.cover)) throw VerificationError("no verified cover for the outputs");
    Canonical(result.cover);
    return result;
}

MultiMinimization MinimizeEachAlone(const MultiProblem& p, const MultiOptions& options) {
    MultiMinimization result;
    result.minimum = true;
    MinimizeOptions single;
    single.effort = options.effort;
    single.timeLimitSeconds = options.loopSeconds;
    single.maxCovers = 1;
    for (int j = 0; j < p.OutputCount(); ++j) {
        const Minimization m = Minimize(OutputProblem(p, j), single);
        result.minimum = result.minimum && m.minimum;
        Outputs o;
        o.set(j);
        if (m.kind == Minimization::Kind::One) result.cover.push_back({Cube{}, o});
        if (m.kind == Minimization::Kind::Sum)
            for (const Cube& c : m.covers.front()) result.cover.push_back({c, o});
    }
    if (!MultiCoverImplements(p, result.cover)) throw VerificationError("no verified cover for the outputs");
    result.minimum = false;  // minimum for each output alone says nothing of the whole
    return result;
}

}  // namespace mwcore
