#pragma once
// Budgets counted in work rather than time, so that an answer depends only on the function
// and the settings, never on the machine or its load. A unit is roughly one pass of a simple
// loop over 64 bits or one cube test; each search counts its own. The wall clock and the
// user's Cancel only stand guard: when either stops the work, the result says so.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace mwcore {

enum class StoppedBy { Nothing, Work, TimeLimit, Cancel };

// Shared by every search of one minimization, from any thread.
class Guard {
  public:
    using Clock = std::chrono::steady_clock;
    explicit Guard(Clock::time_point limit = Clock::time_point::max(),
                   const std::atomic<bool>* cancel = nullptr, Guard* parent = nullptr)
        : limit_(limit), cancel_(cancel), parent_(parent) {}

    // Reads the clock and the cancel flag; once stopped, stays stopped.
    bool Stopped();
    StoppedBy Reason() const { return static_cast<StoppedBy>(reason_.load()); }

  private:
    Clock::time_point limit_;
    const std::atomic<bool>* cancel_;
    Guard* parent_;  // stops this one too
    std::atomic<int> reason_{0};
};

// One search's allowance. Past it, or when the guard stops, Spend says no and keeps saying it.
class Work {
  public:
    static constexpr int64_t kUnlimited = std::numeric_limits<int64_t>::max();

    explicit Work(int64_t allowance = kUnlimited, Guard* guard = nullptr)
        : allowance_(allowance), guard_(guard) {}

    // False when the search must give up.
    bool Spend(int64_t units) {
        spent_ += units;
        if (spent_ > allowance_) {
            if (stopped_ == StoppedBy::Nothing) stopped_ = StoppedBy::Work;
            return false;
        }
        // The clock is read every few calls and after every large step.
        if (guard_ && ((++calls_ & 7) == 0 || units >= 4096) && guard_->Stopped())
            stopped_ = guard_->Reason();
        return stopped_ == StoppedBy::Nothing;
    }
    bool Over() const { return stopped_ != StoppedBy::Nothing; }
    // Reads the guard now: the clock or Cancel (never the allowance) ended the work. A pass that
    // ends early on this alone does what an uninterrupted run does until Cancel comes.
    bool Halted() {
        if (stopped_ == StoppedBy::TimeLimit || stopped_ == StoppedBy::Cancel) return true;
        if (!guard_ || !guard_->Stopped()) return false;
        if (stopped_ == StoppedBy::Nothing) stopped_ = guard_->Reason();
        return true;
    }
    // The same, read only every 4096th step of a long pass, where the guard's own cost would
    // show.
    bool HaltedAt(std::size_t step) { return (step & 4095) == 0 && Halted(); }
    StoppedBy Reason() const { return stopped_; }
    int64_t Spent() const { return spent_; }
    int64_t Allowance() const { return allowance_; }
    Guard* Guardian() const { return guard_; }

    // An allowance for a part of this search, counted into it when the part ends.
    Work Part(int64_t allowance) const {
        return Work(std::min(allowance, allowance_ == kUnlimited
                                            ? kUnlimited
                                            : std::max<int64_t>(0, allowance_ - spent_)),
                    guard_);
    }
    void Absorb(const Work& part) {
        spent_ += part.spent_;
        if (part.stopped_ == StoppedBy::TimeLimit || part.stopped_ == StoppedBy::Cancel)
            stopped_ = part.stopped_;
        if (spent_ > allowance_ && stopped_ == StoppedBy::Nothing) stopped_ = StoppedBy::Work;
    }

  private:
    int64_t allowance_;
    int64_t spent_ = 0;
    Guard* guard_;
    uint32_t calls_ = 0;
    StoppedBy stopped_ = StoppedBy::Nothing;
};

const char* StoppedByName(StoppedBy s);

}  // namespace mwcore
