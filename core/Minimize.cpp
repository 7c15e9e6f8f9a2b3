#include "core/Minimize.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <exception>
#include <functional>
#include <numeric>
#include <random>
#include <thread>

#include "core/CoveringRows.h"
#include "core/Espresso.h"
#include "core/ExactCover.h"
#include "core/Helpers.h"
#include "core/Isop.h"
#include "core/Mincov.h"
#include "core/Verify.h"

namespace mwcore {

namespace {

using Clock = std::chrono::steady_clock;

// Beyond this the exact search runs before the heuristic loop.
constexpr int kMaxVarsHeuristicFirst = 16;
// Tables of up to this many variables fit one word.
constexpr int kMaxVarsOneWord = 6;

// Distinct rows the covering of a pool of cubes may have.
constexpr std::size_t kMaxPoolRows = 100000;

// Work allowances (a unit is some tens of nanoseconds of this machine's time; see Work.h).
// The exact search and the pooling get a fixed part plus a share of what the first heuristic
// run spent, so that an answer without a proof comes in a time that follows the heuristic's
// own.
constexpr int64_t kExactBase = 400000;
constexpr int64_t kStartBase = 200000;
constexpr int64_t kPoolBase = 150000;
// The heuristic loop with its restarts: a fixed part and a share per table word, far beyond
// what the loop needs on the classic functions; on large dense ones it ends the loop in work
// (some seconds) rather than by the clock. Each chain of restarts has a part of it.
constexpr int64_t kLoopBase = 1000000000;
constexpr int64_t kLoopPerTableWord = 1000;
// The loop's restarts over renumbered variables: at most this many, ended by this many in a row
// without a gain; fewer for the other starts, which run beside the exact search.
constexpr int kRounds = 16;
constexpr int kPatience = 4;
constexpr int kStartRounds = 8;
constexpr int kStartPatience = 2;
// Restarts only where the cover has at least one product per 2^kTableShare minterms.
constexpr int kTableShare = 8;
// Proofs of small functions: where the best cover has at most kProofProducts products, the
// exact search runs again from it with kProofWork; where that ends unproven, once more with
// kCloseProofWork when the search's lower bound (its root's) lies within kCloseGap products of
// the cover, or with kNearProofWork within an eighth of its products. The hard classic
// functions prove within these; random ones of that size mostly have wider gaps.
constexpr int kProofProducts = 128;
constexpr int64_t kProofWork = 4000000;
constexpr int kCloseGap = 5;
constexpr int64_t kCloseProofWork = 48000000;
constexpr int64_t kNearProofWork = 16000000;

// Small functions are settled by the exact search anyway; the chain's allowance ends the
// starts of larger ones.
int ExtraStarts(int vars) {
    return vars <= 6 ? 0 : vars <= 16 ? 12 : 0;
}

// Expanding single minterms costs about their number times the primes found.
constexpr uint64_t kMaxMintermStart = 65536;

// Start k (from 0) of the extra heuristic starts: the on-set's minterms, espresso's own start
// (which reaches other local optima than an irredundant one), over the variables as they are
// and then shuffled by a seed of the start's own, so that every start is the same wherever and
// whenever it runs; where the minterms are too many, the irredundant start over variables
// reversed, then shuffled.
std::vector<Cube> OtherStart(const Problem& p, int k, Work& work) {
    const bool minterms = p.on.Count() <= kMaxMintermStart;
    std::vector<int> perm(p.vars), back(p.vars);
    std::iota(perm.begin(), perm.end(), 0);
    if (!minterms && k == 0) {
        std::reverse(perm.begin(), perm.end());
    } else if (k > 0) {
        std::mt19937 rng(12345 + k);
        std::shuffle(perm.begin(), perm.end(), rng);
    }
    for (int i = 0; i < p.vars; ++i) back[perm[i]] = i;
    const Problem q = k > 0 || !minterms ? Permuted(p, perm) : p;
    work.Spend(int64_t{1} << std::max(0, p.vars - 3));
    std::vector<Cube> start;
    if (minterms) {
        const uint32_t all = (1u << q.vars) - 1;
        for (uint32_t m = 0; m <= all; ++m)
            if (q.on.Get(m)) start.push_back({all, m});
    } else {
        start = Isop(q.on, q.Upper());
    }
    std::vector<Cube> cover = Espresso(q, std::move(start), work);
    for (Cube& c : cover) c = PermutedCube(c, back);
    return Restarted(p, std::move(cover), 1000 + k, kStartPatience, kStartRounds, work);
}

// Each start keeps some good cubes another misses: the covering search, run on the cubes of
// all the covers made, often finds a cover better than any of them (its greedy start where it
// cannot finish within its allowance).
std::vector<Cube> BestFromPool(const Problem& p, const std::vector<std::vector<Cube>>& pool,
                               std::vector<Cube> best, Work& work, uint64_t& nodes) {
    std::vector<Cube> cubes;
    for (const auto& cover : pool) cubes.insert(cubes.end(), cover.begin(), cover.end());
    std::sort(cubes.begin(), cubes.end());
    cubes.erase(std::unique(cubes.begin(), cubes.end()), cubes.end());
    if (cubes.size() <= best.size()) return best;
    auto rows = DistinctCoveringRows(p.on, cubes, kMaxPoolRows, work);
    if (!rows) return best;
    DropDominatedRows(*rows);
    const CoverCost b = CostOf(best);
    const int64_t weight = b.literals + 1;  // a product outweighs every literal of `best`
    std::vector<int64_t> cost;
    for (const Cube& c : cubes) cost.push_back(weight + c.Literals());
    Mincov solver(cost, work, weight);
    std::vector<int> chosen;
    try {
        if (auto cheaper = solver.Solve(*rows, b.products * weight + b.literals))
            chosen = std::move(*cheaper);
    } catch (const CoveringTimeout&) {
        chosen = solver.Incumbent();
    }
    nodes += solver.Nodes();
    std::vector<Cube> cover;
    for (int i : chosen) cover.push_back(cubes[i]);
    if (!cover.empty() && CostOf(cover) < b && CoverImplements(p, cover)) return cover;
    return best;
}

// One minimization: the plan's steps in order, with its guard and its record of what was done.
class Plan {
  public:
    Plan(const Problem& p, const MinimizeOptions& options)
        : p_(p),
          options_(options),
          started_(Clock::now()),
          guard_(started_ +
                     std::chrono::duration_cast<Clock::duration>(
                         std::chrono::duration<double>(std::max(0.0, options.timeLimitSeconds))),
                 options.cancel),
          exact_(options.effort == Effort::Prove ||
                 (options.effort == Effort::Thorough && options.workScale > 0)),
          exactFirst_(p.vars > kMaxVarsHeuristicFirst && exact_),
          scale_(std::max(options.workScale, 0.25)) {}

    Minimization Run() {
        isop_ = Isop(p_.on, p_.Upper());
        result_.covers = {isop_};
        if (exactFirst_ && ExactBeforeTheLoop()) return Finish();
        // Cancelled: the irredundant start is a cover already, and the loop would take seconds.
        if (guard_.Stopped()) return Finish();
        HeuristicLoop();
        if (options_.effort == Effort::Quick || guard_.Stopped()) return Finish();
        if (ExactBesideFirstStart()) return Finish();
        FurtherStarts();
        PoolTheStarts();
        ProveSmall();
        return Finish();
    }

  private:
    // The exact search's allowance, given the heuristic's work.
    int64_t ExactWork(int64_t heuristic) const {
        return options_.effort == Effort::Prove
                   ? Work::kUnlimited
                   : Scaled(kExactBase + heuristic, options_.workScale);
    }
    // Exact answers replace the result's covers when they are proven or cheaper; says
    // whether the result is now proven.
    bool TryExact(const std::vector<Cube>& bound, Work& work);
    bool ExactBeforeTheLoop();
    void HeuristicLoop();
    std::vector<Cube> Restarts(Work& loop);
    bool ExactBesideFirstStart();
    void FurtherStarts();
    void PoolTheStarts();
    void ProveSmall();
    void Spent(const Work& work) { result_.stats.work += work.Spent(); }
    Minimization Finish();

    const Problem& p_;
    const MinimizeOptions& options_;
    Clock::time_point started_;
    Guard guard_;
    const bool exact_;       // the exact search runs at all
    const bool exactFirst_;  // before the heuristic loop
    const double scale_;     // of the other starts' allowances
    bool gaveUp_ = false;    // some search ended short of its natural end
    std::vector<Cube> isop_, heuristic_;
    int64_t loopWork_ = 0;   // what the heuristic loop spent, the measure of every allowance
    int64_t firstWork_ = 0;  // what the first other start spent
    int lastLower_ = 0;      // the last exact search's lower bound on products (0: none)
    std::vector<std::vector<Cube>> others_;  // the other starts' covers
    Minimization result_;
};

bool Plan::TryExact(const std::vector<Cube>& bound, Work& work) {
    ExactLimits limits;
    limits.maxCovers = options_.maxCovers;
    limits.work = &work;
    ExactResult exact = ExactMinimum(p_, bound, limits);
    result_.stats.nodes += exact.nodes;
    result_.stats.lowerProducts = std::max(result_.stats.lowerProducts, exact.lowerProducts);
    lastLower_ = exact.lowerProducts;
    gaveUp_ = gaveUp_ || exact.gaveUp;
    std::erase_if(exact.covers, [&](const auto& c) { return !CoverImplements(p_, c); });
    if (!exact.covers.empty() && CostOf(exact.covers.front()) <= CostOf(result_.covers.front())) {
        result_.covers = std::move(exact.covers);
        result_.minimum = exact.proven;
    } else if (exact.proven && exact.covers.empty()) {
        result_.minimum = true;  // the bound itself is a minimum
    }
    return result_.minimum;
}

// Many variables: the heuristic loop is the costly part while the primes are usually few, so
// the exact search goes first with the irredundant start as its bound. The heuristic's work is
// not known yet: the table's size stands in for it.
bool Plan::ExactBeforeTheLoop() {
    if (guard_.Stopped()) return false;
    Work work(ExactWork(int64_t{1} << (p_.vars - 1)), &guard_);
    const bool proven = TryExact(isop_, work);
    Spent(work);
    return proven;
}

// The loop runs to its natural end or to its allowance; the clock and Cancel only stand guard.
void Plan::HeuristicLoop() {
    const int64_t words = std::max<int64_t>(1, p_.on.WordCount());
    Work loop(Scaled(kLoopBase + kLoopPerTableWord * words,
                     options_.workScale > 0 ? options_.workScale : 1.0),
              &guard_);
    heuristic_ = Espresso(p_, isop_, loop);
    heuristic_ = Restarts(loop);
    Spent(loop);
    loopWork_ = loop.Spent();
    gaveUp_ = gaveUp_ || loop.Over();
    if (!CoverImplements(p_, heuristic_)) heuristic_ = isop_;  // correct by construction
    if (CostOf(heuristic_) < CostOf(result_.covers.front())) result_.covers = {heuristic_};
}

// Two chains of restarts from the loop's cover, one per thread, each with seeds of its own; the
// better wins, the first on a tie. Each restart renumbers the tables, which costs too much on
// many variables, and more than the loop itself on a small cover; the smallest functions are
// left to the exact search, and their chains to one thread, where starting another would cost
// more than the work.
std::vector<Cube> Plan::Restarts(Work& loop) {
    const bool small = p_.vars <= kMaxVarsOneWord;
    if (p_.vars > kMaxVarsHeuristicFirst ||
        (heuristic_.size() << kTableShare) < (std::size_t{1} << p_.vars) ||
        (small && options_.effort != Effort::Quick))
        return heuristic_;
    std::array<std::vector<Cube>, 2> restarted;
    // Each chain has half of what the loop left, whichever thread runs it.
    std::array<Work, 2> rounds{loop.Part((loop.Allowance() - loop.Spent()) / 2),
                               loop.Part((loop.Allowance() - loop.Spent()) / 2)};
    RunTasks(2, small ? 1 : options_.threads, [&](int task) {
        restarted[task] = Restarted(p_, heuristic_, 1 + task, kPatience, kRounds, rounds[task]);
    });
    for (const Work& r : rounds) loop.Absorb(r);
    return CostOf(restarted[1]) < CostOf(restarted[0]) ? restarted[1] : restarted[0];
}

// The exact search beside espresso's own start (the on-set's minterms, or, where they are too
// many, the irredundant start over reversed variables), both within allowances. The start only
// counts where the exact search does not settle the function, so it is stopped once it does;
// nothing depends on which ran first or on how many threads there are. Says whether the result
// is proven.
bool Plan::ExactBesideFirstStart() {
    const bool runExact = exact_ && !exactFirst_;
    std::atomic<bool> settled{false};
    Guard startsGuard(Clock::time_point::max(), &settled, &guard_);
    Work exactRun(ExactWork(loopWork_ / 4), &guard_);
    Work first(ExtraStarts(p_.vars) > 0 ? Scaled(kStartBase + 3 * loopWork_, scale_) : 0,
               &startsGuard);
    const std::vector<Cube> bound = result_.covers.front();
    RunTasks(2, options_.threads, [&](int task) {
        if (task == 0) {
            if (runExact && TryExact(bound, exactRun)) settled = true;
        } else if (ExtraStarts(p_.vars) > 0) {
            others_.push_back(OtherStart(p_, 0, first));
        }
    });
    Spent(exactRun);
    // The start's work, cut short at a moment of the clock's choosing, is not counted.
    if (result_.minimum) return true;
    Spent(first);
    firstWork_ = first.Spent();
    return false;
}

// Further starts within a fixed allowance per thread, each thread a chain: they count where a
// start costs little; on large functions the restarts inside each start do more for the time.
void Plan::FurtherStarts() {
    const int64_t m = std::max(loopWork_, firstWork_);
    std::array<Work, 2> chain{Work(Scaled(kStartBase, scale_), &guard_),
                              Work(Scaled(kStartBase, scale_), &guard_)};
    std::array<std::vector<std::vector<Cube>>, 2> more;
    RunTasks(2, options_.threads, [&](int task) {
        // A start begun with too little work left would end far from its local optimum; one is
        // expected to cost what the first did.
        const auto room = [&] { return chain[task].Allowance() - chain[task].Spent() >= m; };
        for (int k = 1 + task; k < ExtraStarts(p_.vars) && room(); k += 2) {
            Work one = chain[task].Part(Work::kUnlimited);
            more[task].push_back(OtherStart(p_, k, one));
            chain[task].Absorb(one);
        }
    });
    for (int task : {0, 1}) {
        Spent(chain[task]);
        others_.insert(others_.end(), more[task].begin(), more[task].end());
    }
}

// The covering search picks from the cubes of every start together.
void Plan::PoolTheStarts() {
    std::vector<std::vector<Cube>> pool{heuristic_, result_.covers.front()};
    for (const auto& other : others_) {
        pool.push_back(other);
        if (CostOf(other) < CostOf(result_.covers.front()) && CoverImplements(p_, other))
            result_.covers = {other};
    }
    Work pooling(Scaled(kPoolBase + loopWork_ / 4, scale_), &guard_);
    result_.covers = {BestFromPool(p_, pool, result_.covers.front(), pooling, result_.stats.nodes)};
    Spent(pooling);
}

void Plan::ProveSmall() {
    if (!options_.proveSmall || options_.effort != Effort::Thorough || !exact_ || result_.minimum ||
        exactFirst_ || result_.covers.front().size() > static_cast<std::size_t>(kProofProducts))
        return;
    const auto attempt = [&](int64_t allowance) {
        Work work(Scaled(allowance, options_.workScale), &guard_);
        const std::vector<Cube> bound = result_.covers.front();
        const bool proven = TryExact(bound, work);
        Spent(work);
        return proven || guard_.Stopped();
    };
    if (attempt(kProofWork) || lastLower_ == 0) return;
    const int gap = static_cast<int>(result_.covers.front().size()) - lastLower_;
    if (gap <= kCloseGap)
        attempt(kCloseProofWork);
    else if (gap * 8 <= static_cast<int>(result_.covers.front().size()))
        attempt(kNearProofWork);
}

Minimization Plan::Finish() {
    if (!CoverImplements(p_, result_.covers.front()))
        throw VerificationError("no verified cover for the function");
    for (auto& cover : result_.covers) Canonical(cover);
    MinimizeStats& s = result_.stats;
    s.proven = result_.minimum;
    if (s.proven) s.lowerProducts = static_cast<int>(result_.covers.front().size());
    s.seconds = std::chrono::duration<double>(Clock::now() - started_).count();
    if (guard_.Reason() != StoppedBy::Nothing)
        s.stoppedBy = guard_.Reason();
    else if (!s.proven && gaveUp_)
        s.stoppedBy = StoppedBy::Work;
    return std::move(result_);
}

}  // namespace

const char* EffortName(Effort e) {
    switch (e) {
        case Effort::Quick:
            return "quick";
        case Effort::Thorough:
            return "thorough";
        case Effort::Prove:
            return "prove";
    }
    return "thorough";
}

Minimization Minimize(const Problem& p, const MinimizeOptions& options) {
    Minimization result;
    result.minimum = true;
    result.stats.proven = true;
    if (p.on.Empty()) {
        result.kind = Minimization::Kind::Zero;
        return result;
    }
    if (p.off.Empty()) {
        result.kind = Minimization::Kind::One;
        return result;
    }
    return Plan(p, options).Run();
}

}  // namespace mwcore
