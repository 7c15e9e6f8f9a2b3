#include "core/MultiMinimize.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <map>
#include <utility>

#include "core/Helpers.h"
#include "core/Isop.h"
#include "core/LargePages.h"
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
// After Cancel, blocks covered in one task: on a few cores enough tasks to share evenly, each
// long enough for the sharing to cost nothing.
constexpr std::size_t kBlocksPerPiece = 8;

// Work allowances (units of Work.h: table words and cube tests): a fixed part plus a share of
// what the heuristic loop spent, so that the time beyond the loop follows the loop's own; the
// pool's primes come from tables, so it gets a share of their size too.
constexpr int64_t kPoolBase = 3000000;
constexpr int64_t kPoolPerTableWord = 40;
constexpr int64_t kPoolShare = 4;  // of the loop's work
constexpr int64_t kPairShare = 2;  // of the pool's allowance, for the primes of pairs
constexpr int64_t kExactBase = 24000000;
// The heuristic loop's allowance, a fixed part and a share per table word of every output;
// far beyond what the loop needs on the classic PLAs, it ends the loop on large random ones in
// work rather than by the clock. Quick takes a part of it.
constexpr int64_t kLoopBase = 400000000;
constexpr int64_t kLoopPerTableWord = 2000;
constexpr int64_t kQuickShare = 4;
// The last polish: a fixed part and a share of what the loop spent.
constexpr int64_t kSparseBase = 20000000;
constexpr int64_t kSparseShare = 4;

using Clock = std::chrono::steady_clock;

MultiMinimization EachAlone(const MultiProblem& p, const MinimizeOptions& options,
                            bool& eachMinimum, bool* cancelled = nullptr);

Clock::time_point After(double seconds) {
    if (seconds >= 1e6) return Clock::time_point::max();
    return Clock::now() + std::chrono::duration_cast<Clock::duration>(
                              std::chrono::duration<double>(std::max(0.0, seconds)));
}

Problem OutputProblem(const MultiProblem& p, int j) {
    TruthTable dc = p.Upper(j);
    dc.AndNot(p.On(j));
    return Problem(p.On(j), dc);
}

// One output's own products lie within its care set (just where their union does) and cover
// its on-set.
bool CoversOutput(const MultiProblem& p, int j, const std::vector<Cube>& cubes) {
    TruthTable got(p.Vars());
    for (const Cube& c : cubes) got.Paint(c);
    return got.SubsetOf(p.Upper(j)) && p.On(j).SubsetOf(got);
}

// Products made within the `size` minterms from `first` on (a power of two, aligned) lie
// within them and within output j's care set there, and cover its on-set there.
bool CoversBlocks(const MultiProblem& p, int j, std::size_t first, std::size_t size,
                  const std::vector<Cube>& cubes) {
    const int vars = std::countr_zero(size);
    const uint32_t low = static_cast<uint32_t>(size - 1);
    const uint32_t high = ~low & static_cast<uint32_t>((std::size_t{1} << p.Vars()) - 1);
    TruthTable got(vars);
    for (const Cube& c : cubes) {
        if ((c.mask & high) != high || (c.val & high) != static_cast<uint32_t>(first)) return false;
        got.Paint({c.mask & low, c.val & low});
    }
    const std::size_t at = first / 64;
    const uint64_t* on = p.On(j).Words() + at;
    const uint64_t* upper = p.Upper(j).Words() + at;
    const uint64_t* mine = got.Words();
    for (std::size_t w = 0; w < got.WordCount(); ++w)
        if ((mine[w] & ~upper[w]) != 0 || (on[w] & ~mine[w]) != 0) return false;
    return true;
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
        if (const auto primes = UsefulPrimes(Problem(std::move(on), std::move(dc)), limits))
            pool.insert(pool.end(), primes->begin(), primes->end());
    }
    work.Absorb(pairs);
    for (const Cube& c : GaspCandidates(p, best, work)) pool.push_back(c);
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
        for (const Cube& c : GaspCandidates(p, improved, work)) pool.push_back(c);
        std::sort(pool.begin(), pool.end());
        pool.erase(std::unique(pool.begin(), pool.end()), pool.end());
        best = std::move(improved);
        if (pool.size() == before) break;  // the same choice again
    }
    return best;
}

// One minimization of several outputs: the plan's steps in order, with the guard and the
// record of what was done.
class MultiPlan {
  public:
    MultiPlan(const MultiProblem& p, const MinimizeOptions& options,
              const std::vector<MultiCube>& given)
        : p_(p),
          options_(options),
          given_(given),
          started_(Clock::now()),
          guard_(After(options.timeLimitSeconds), options.cancel),
          scale_(options.workScale > 0 ? options.workScale : 1.0),
          loop_(LoopAllowance(), &guard_) {}

    MultiMinimization Run() {
        MergedStart();
        Loops();
        const bool exact = options_.effort != Effort::Quick && options_.workScale > 0;
        if (exact && p_.OutputCount() <= kMaxAloneOutputs && !guard_.Stopped()) EachOnItsOwn();
        if (exact && !settled_ && !guard_.Stopped()) Pool();
        if (exact && !settled_ && !guard_.Stopped()) Exact();
        Sparse();
        return Finish();
    }

  private:
    int64_t LoopAllowance() const {
        const int64_t tables = p_.Span(Cube{}) * p_.OutputCount();
        const int64_t all = Scaled(kLoopBase + kLoopPerTableWord * tables, scale_);
        return options_.effort == Effort::Quick ? all / kQuickShare : all;
    }
    void Report(const char* step) {
        if (options_.progress) options_.progress(step, static_cast<int>(result_.cover.size()));
    }
    void MergedStart();
    void StoppedStart(std::vector<std::vector<Cube>> starts);
    bool StartVerified();  // throws VerificationError where the start is not a cover
    void Consider(std::vector<MultiCube> cover);
    void Loops();
    void EachOnItsOwn();
    void Pool();
    void Exact();
    void Sparse();
    MultiMinimization Finish();

    const MultiProblem& p_;
    const MinimizeOptions& options_;
    const std::vector<MultiCube>& given_;
    Clock::time_point started_;
    Guard guard_;
    double scale_;  // of the loop's and the polish's allowances: never none
    Work loop_;
    std::vector<MultiCube> isop_;
    std::vector<MultiCube> met_;  // every product of every cover met, for the pool
    bool startVerified_ = false;
    bool startTaken_ = false;  // the start, moved to the result after Cancel
    bool settled_ = false;     // one output, and its own minimum is proven
    bool gaveUp_ = false;      // a step ran out of its allowance
    MultiMinimization result_;
};

// Every output's irredundant start, a product met in several starts feeding them all.
void MultiPlan::MergedStart() {
    // Sorted and merged in place rather than through a map: on large tables the starts have
    // millions of products.
    std::vector<std::vector<Cube>> starts;
    for (int j = 0; j < p_.OutputCount() && !guard_.Stopped(); ++j)
        starts.push_back(Isop(p_.On(j), p_.Upper(j), guard_));
    if (guard_.Stopped()) return StoppedStart(std::move(starts));
    std::vector<std::pair<Cube, int>> all;
    for (int j = 0; j < p_.OutputCount(); ++j) {
        for (const Cube& c : starts[j]) all.push_back({c, j});
        std::vector<Cube>().swap(starts[j]);  // one start at a time beside the merged list
    }
    std::sort(all.begin(), all.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i == 0 || !(all[i].first == all[i - 1].first)) isop_.push_back({all[i].first, {}});
        isop_.back().out.set(all[i].second);
    }
    met_ = isop_;
}

// After Cancel the output under way has ended its start with what it had (Isop); the outputs not
// begun are covered a few blocks at a time (at 23 inputs each whole start takes a few hundred
// ms), the pieces and the checks shared among the threads. Each piece is checked against its
// own blocks, and laid out in a fixed order: the answer is the same with any number of threads.
// No merge: it would only shorten an answer that is wanted now.
void MultiPlan::StoppedStart(std::vector<std::vector<Cube>> starts) {
    const int begun = static_cast<int>(starts.size());
    const int vars = p_.Vars();
    const std::size_t blocks = std::size_t{1} << (vars - IsopBlockVars(vars));
    const std::size_t perPiece = std::min(blocks, kBlocksPerPiece);
    const std::size_t perOutput = blocks / perPiece;
    const int tasks = begun + static_cast<int>((p_.OutputCount() - begun) * perOutput);
    starts.resize(tasks);
    std::vector<char> right(tasks, 0);
    RunTasks(tasks, options_.threads, [&](int t) {
        if (t < begun) {
            right[t] = CoversOutput(p_, t, starts[t]);
            return;
        }
        const int j = begun + static_cast<int>((t - begun) / perOutput);
        const std::size_t first = (t - begun) % perOutput * perPiece;
        starts[t] = BlockCover(p_.On(j), p_.Upper(j), first, perPiece);
        right[t] = CoversBlocks(p_, j, first << IsopBlockVars(vars),
                                perPiece << IsopBlockVars(vars), starts[t]);
    });
    if (std::find(right.begin(), right.end(), 0) != right.end())
        throw VerificationError("the start cover is wrong");
    std::size_t size = 0;
    for (const std::vector<Cube>& start : starts) size += start.size();
    isop_.reserve(size);
    LargePages(isop_.data(), isop_.capacity() * sizeof(MultiCube));
    for (int t = 0; t < tasks; ++t) {
        Outputs o;
        o.set(t < begun ? t : begun + static_cast<int>((t - begun) / perOutput));
        for (const Cube& c : starts[t]) isop_.push_back({c, o});
        std::vector<Cube>().swap(starts[t]);
    }
    startVerified_ = true;
}

// The start is checked once, when it is first taken as a cover: a Cancel during the loop's
// first pass answers with it after one check of millions of products, not two.
bool MultiPlan::StartVerified() {
    if (!startVerified_ && !MultiCoverImplements(p_, isop_))
        throw VerificationError("the start cover is wrong");
    startVerified_ = true;
    return true;
}

// A correct cover becomes the result where it is cheaper; its products join the pool.
void MultiPlan::Consider(std::vector<MultiCube> cover) {
    // A loop stopped at once gives the start back.
    if (cover == isop_ ? !StartVerified() : !MultiCoverImplements(p_, cover)) return;
    if (result_.cover.empty() || CostOf(cover) < CostOf(result_.cover))
        std::swap(cover, result_.cover);
    for (const MultiCube& c : cover) met_.push_back(c);
}

// Two starts: the irredundant one growing products in their inputs, and the given cover (or
// the same start) growing them in their outputs first, for more sharing. The loop ends by
// itself or at its allowance.
void MultiPlan::Loops() {
    if (guard_.Stopped()) {  // Cancel came during the start: it is the answer, checked once
        StartVerified();
        result_.cover = std::move(isop_);
        startTaken_ = true;
        Report("loop");
        return;
    }
    Consider(MultiEspresso(p_, isop_, loop_));
    if (result_.cover.empty()) result_.cover = isop_;
    const std::vector<MultiCube>& second =
        !given_.empty() && MultiCoverImplements(p_, given_) ? given_ : isop_;
    if (!loop_.Over()) Consider(MultiEspresso(p_, second, loop_, true));
    result_.stats.work += loop_.Spent();
    gaveUp_ = gaveUp_ || loop_.Reason() == StoppedBy::Work;
    Report("loop");
}

// Few outputs: each one's own minimum (the single-output core settles large functions that
// the loop cannot), equal products merged, is a cover too.
void MultiPlan::EachOnItsOwn() {
    std::map<Cube, Outputs> joined;
    bool eachMinimum = false;
    bool cancelled = false;
    const MultiMinimization each = EachAlone(p_, options_, eachMinimum, &cancelled);
    result_.stats.work += each.stats.work;
    if (cancelled) return;
    // One output: its own proven minimum is the answer.
    settled_ = p_.OutputCount() == 1 && eachMinimum;
    for (const MultiCube& c : each.cover) joined[c.in] |= c.out;
    std::vector<MultiCube> alone;
    for (const auto& [in, out] : joined) alone.push_back({in, out});
    for (const MultiCube& c : alone) met_.push_back(c);
    if (settled_ || CostOf(alone) < CostOf(result_.cover)) result_.cover = std::move(alone);
    result_.minimum = settled_;
}

void MultiPlan::Pool() {
    const int64_t tables = p_.Span(Cube{}) * p_.OutputCount();
    Work pooling(Scaled(kPoolBase + loop_.Spent() / kPoolShare + kPoolPerTableWord * tables,
                        options_.workScale),
                 &guard_);
    result_.cover = FromPool(p_, met_, result_.cover, pooling, result_.stats.nodes);
    result_.stats.work += pooling.Spent();
    gaveUp_ = gaveUp_ || pooling.Reason() == StoppedBy::Work;
    Report("pool");
}

void MultiPlan::Exact() {
    Work work(options_.effort == Effort::Prove
                  ? Work::kUnlimited
                  : Scaled(kExactBase + loop_.Spent(), options_.workScale),
              &guard_);
    const MultiExactResult found = MultiExactMinimum(p_, result_.cover, work);
    result_.stats.work += work.Spent();
    gaveUp_ = gaveUp_ || work.Reason() == StoppedBy::Work;
    result_.stats.nodes += found.nodes;
    if (!found.cover.empty() && CostOf(found.cover) <= CostOf(result_.cover) &&
        MultiCoverImplements(p_, found.cover))
        result_.cover = found.cover;
    result_.minimum = found.proven && (found.cover.empty() || result_.cover == found.cover);
    Report("exact");
}

// A step cut short by its allowance may leave products not yet prime: one last pass makes each
// as large as it can be; then each gives up the outputs others cover for it and takes the
// literals that frees.
void MultiPlan::Sparse() {
    if (guard_.Stopped()) {  // Cancel wants the cover it has, not one more pass
        Report("sparse");
        return;
    }
    Work last(Scaled(kSparseBase, scale_) + loop_.Spent() / kSparseShare, &guard_);
    std::vector<MultiCube> polished = result_.cover;
    MultiExpand(p_, polished, last);
    MultiIrredundant(p_, polished, last);
    MultiMakeSparse(p_, polished, last);
    if (!(CostOf(result_.cover) < CostOf(polished)) && MultiCoverImplements(p_, polished)) {
        // A proven minimum stays one: equal products, literals no more.
        result_.cover = std::move(polished);
    } else {
        MultiMakeSparse(p_, result_.cover, last);
    }
    result_.stats.work += last.Spent();
    Report("sparse");
}

MultiMinimization MultiPlan::Finish() {
    const bool checked = startTaken_ || (startVerified_ && result_.cover == isop_);
    if (!checked && !MultiCoverImplements(p_, result_.cover))
        throw VerificationError("no verified cover for the outputs");
    // The start given back after Cancel keeps its own order: sorting its millions of products
    // would take longer than making them.
    if (!startTaken_) Canonical(result_.cover);
    MinimizeStats& stats = result_.stats;
    stats.proven = result_.minimum;
    stats.stoppedBy = guard_.Reason() != StoppedBy::Nothing ? guard_.Reason()
                      : gaveUp_ && !result_.minimum         ? StoppedBy::Work
                                                            : StoppedBy::Nothing;
    stats.seconds = std::chrono::duration<double>(Clock::now() - started_).count();
    return std::move(result_);
}

// eachMinimum: every output got its own proven minimum. Where `cancelled` is given, Cancel
// ends the outputs early with no cover, said there.
MultiMinimization EachAlone(const MultiProblem& p, const MinimizeOptions& options,
                            bool& eachMinimum, bool* cancelled) {
    MultiMinimization result;
    result.minimum = true;
    MinimizeOptions single = options;
    single.maxCovers = 1;
    single.proveSmall = options.proveSmall && p.OutputCount() == 1;
    single.progress = nullptr;
    for (int j = 0; j < p.OutputCount(); ++j) {
        if (cancelled && options.cancel && options.cancel->load()) {
            *cancelled = true;
            return result;
        }
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

MinimizeOptions MultiOptionsFor(Effort effort) {
    MinimizeOptions o;
    o.effort = effort;
    o.timeLimitSeconds = 600;  // a guard: the allowances end quick and thorough long before
    return o;
}

MultiMinimization MinimizeMulti(const MultiProblem& p, const MinimizeOptions& options,
                                const std::vector<MultiCube>& given) {
    return MultiPlan(p, options, given).Run();
}

MultiMinimization MinimizeEachAlone(const MultiProblem& p, const MinimizeOptions& options) {
    bool eachMinimum = false;
    return EachAlone(p, options, eachMinimum);
}

}  // namespace mwcore
