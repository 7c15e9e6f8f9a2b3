// The answer depends only on the function and the settings: byte-identical result lines with
// one thread and with two, with the machine's cores busy, and run after run. And on the
// seeded random functions kept beside this file, never more products than espresso's default
// heuristic (its figures kept with them), nor more literals at equal products; on the larger
// ones, not even with the heuristic alone.

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/ExchangeFormat.h"
#include "core/Helpers.h"
#include "core/Isop.h"
#include "core/Minimize.h"
#include "core/RandomFunctions.h"

namespace {

using namespace mwcore;

// Everything the core writes except the wall-clock seconds.
std::string Answer(const Problem& p, const MinimizeOptions& options) {
    std::string text;
    for (const std::string& line : ResultLines(Minimize(p, options))) text += line + "\n";
    const std::size_t at = text.find(" seconds=\"");
    if (at != std::string::npos) text.erase(at, text.find('"', at + 10) + 1 - at);
    return text;
}

// Busy threads on every core for as long as it lives.
class Busy {
  public:
    Busy() {
        for (unsigned i = 0; i < std::max(2u, std::thread::hardware_concurrency()); ++i)
            threads_.emplace_back([this] {
                volatile uint64_t x = 0;
                while (!stop_) x = x * 6364136223846793005ull + 1;
            });
    }
    ~Busy() {
        stop_ = true;
        for (auto& t : threads_) t.join();
    }

  private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

TEST(Determinism, SameLinesWithOneOrTwoThreadsAndUnderLoad) {
    std::mt19937_64 rng(501);
    // Dense functions whose exact search runs out of work: the other starts, the pool and the
    // listing of equal covers all take part.
    for (int n : {8, 10, 11}) {
        const Problem p = coretest::DenseProblem(n, 0.35, 0.15, rng);
        MinimizeOptions one, two;
        one.threads = 1;
        two.threads = 2;
        const std::string alone = Answer(p, one);
        EXPECT_NE(alone.find(" work=\""), std::string::npos);
        EXPECT_EQ(Answer(p, two), alone) << "n=" << n;
        {
            Busy busy;
            EXPECT_EQ(Answer(p, two), alone) << "n=" << n << " under load";
        }
        MinimizeOptions quick = two;
        quick.effort = Effort::Quick;
        EXPECT_EQ(Answer(p, quick), Answer(p, quick)) << "n=" << n;
    }
}

// The heuristic loop ends at its allowance, not at the clock: cut short by a small allowance,
// it gives the same cover alone, beside a second thread and on a busy machine.
TEST(Determinism, TheLoopEndsByItsAllowance) {
    std::mt19937_64 rng(503);
    const Problem p = coretest::DenseProblem(11, 0.35, 0.15, rng);
    MinimizeOptions quick;
    quick.effort = Effort::Quick;
    quick.threads = 1;
    const Minimization natural = Minimize(p, quick);
    EXPECT_EQ(natural.stats.stoppedBy, StoppedBy::Nothing);
    quick.workScale = 1e-4;
    const Minimization cut = Minimize(p, quick);
    EXPECT_EQ(cut.stats.stoppedBy, StoppedBy::Work);
    EXPECT_LT(cut.stats.work, natural.stats.work / 4);
    coretest::ExpectImplements(p, cut.covers.front());
    const std::string alone = Answer(p, quick);
    quick.threads = 2;
    EXPECT_EQ(Answer(p, quick), alone);
    Busy busy;
    EXPECT_EQ(Answer(p, quick), alone);
}

// Cancel and the time limit stop a proof however far it got, and the answer says so; the
// cover it keeps is still the function.
TEST(Determinism, CancelAndTimeLimitKeepACorrectCover) {
    std::mt19937_64 rng(502);
    const Problem p = coretest::DenseProblem(12, 0.4, 0.1, rng);
    std::atomic<bool> cancel{true};
    MinimizeOptions prove;
    prove.effort = Effort::Prove;
    prove.cancel = &cancel;
    Minimization m = Minimize(p, prove);
    EXPECT_EQ(m.stats.stoppedBy, StoppedBy::Cancel);
    EXPECT_FALSE(m.minimum);
    coretest::ExpectImplements(p, m.covers.front());
    prove.cancel = nullptr;
    prove.timeLimitSeconds = 0;
    m = Minimize(p, prove);
    EXPECT_EQ(m.stats.stoppedBy, StoppedBy::TimeLimit);
    EXPECT_FALSE(m.minimum);
    coretest::ExpectImplements(p, m.covers.front());
}

// Cancelled before it starts, the answer is the irredundant start: no pass spends work on
// it, whatever the size (the largest run their exact search first).
TEST(Determinism, CancelledAtOnceAnswersTheStartWithoutFurtherPasses) {
    std::mt19937_64 rng(503);
    for (int n : {8, 12, 18}) {
        const Problem p = coretest::DenseProblem(n, 0.4, 0.1, rng);
        std::atomic<bool> cancel{true};
        MinimizeOptions prove;
        prove.effort = Effort::Prove;
        prove.cancel = &cancel;
        const Minimization m = Minimize(p, prove);
        EXPECT_EQ(m.stats.stoppedBy, StoppedBy::Cancel) << n;
        EXPECT_EQ(m.stats.work, 0) << n;
        std::vector<Cube> start = Isop(p.on, p.Upper());
        Canonical(start);
        ASSERT_EQ(m.covers.size(), 1u) << n;
        EXPECT_EQ(m.covers.front(), start) << n;
    }
}

// A single-output PLA of type fd, one cube a line.
Problem ReadPla(const std::string& path) {
    std::ifstream in(path);
    int n = 0;
    std::vector<std::pair<std::string, char>> cubes;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string first, out;
        if (!(words >> first) || first[0] == '#') continue;
        if (first == ".i") words >> n;
        if (first[0] == '.') continue;
        words >> out;
        cubes.push_back({first, out.empty() ? '?' : out[0]});
    }
    TruthTable on(n), dc(n);
    for (const auto& [inputs, out] : cubes) {
        Cube c;
        for (int col = 0; col < n; ++col) {
            const uint32_t bit = 1u << (n - 1 - col);
            if (inputs[col] != '-') c.mask |= bit;
            if (inputs[col] == '1') c.val |= bit;
        }
        (out == '1' ? on : dc).Paint(c);
    }
    on.AndNot(dc);
    return Problem(on, dc);
}

// The default effort on every kept function; the heuristic alone (quick effort, no exact
// search, no other starts) on those marked for it.
TEST(NeverBehindEspresso, OnTheKeptRandomFunctions) {
    const std::string folder = std::string(MW_SOURCE_DIR) + "/tests/core/data/random/";
    std::ifstream figures(folder + "espresso.txt");
    int checked = 0, heuristicChecked = 0;
    for (std::string line; std::getline(figures, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name, mark;
        CoverCost espresso;
        fields >> name >> espresso.products >> espresso.literals >> mark;
        const Problem p = ReadPla(folder + name + ".pla");
        ASSERT_FALSE(p.on.Empty()) << name;
        std::vector<MinimizeOptions> runs(1);
        if (mark == "heuristic") {
            runs.emplace_back().effort = Effort::Quick;
            ++heuristicChecked;
        }
        for (const MinimizeOptions& options : runs) {
            const Minimization m = Minimize(p, options);
            ASSERT_EQ(m.kind, Minimization::Kind::Sum);
            for (const auto& cover : m.covers) {
                coretest::ExpectImplements(p, cover);
                if (HasFatalFailure()) return;
            }
            EXPECT_LE(CostOf(m.covers.front()), espresso)
                << name << " " << EffortName(options.effort);
        }
        ++checked;
    }
    EXPECT_EQ(checked, 12);
    EXPECT_EQ(heuristicChecked, 3);
}

}  // namespace
