#pragma once
// What the several-output loop's steps share (MultiEspresso.cpp, MultiExpand.cpp): which points
// of an output a product alone holds, kept per output as the products change.

#include <optional>
#include <vector>

#include "core/CoverCounter.h"
#include "core/Helpers.h"
#include "core/MultiCubes.h"
#include "core/MultiProblem.h"
#include "core/Work.h"

namespace mwcore::multi {

inline std::vector<int> Members(const Outputs& o, int outputs) {
    std::vector<int> list;
    for (int j = 0; j < outputs; ++j)
        if (o.test(j)) list.push_back(j);
    return list;
}

// Which on points of an output a product alone holds among the products feeding it: per output
// a count of the products holding each point, or where tables are large (CubesOnly), the
// products themselves, asked by cofactor and tautology against them and the output's not-on
// cubes.
class Counts {
  public:
    Counts(const MultiProblem& p, const std::vector<MultiCube>& cover, Work& work)
        : p_(p), work_(work), cubes_(p.CubesOnly()) {
        const int k = p.OutputCount();
        if (cubes_) {
            lists_.resize(k);
            for (const MultiCube& c : cover) Add(c.in, c.out);
            work.Spend(static_cast<int64_t>(cover.size()) + k);
            return;
        }
        int64_t units = 0;
        for (const MultiCube& c : cover)
            units += p.Span(c.in) * static_cast<int64_t>(c.out.count());
        work.Spend(units + static_cast<int64_t>(k) * p.Span(Cube{}) / 8);
        std::vector<int> feeding(k, 0);
        for (const MultiCube& c : cover)
            for (int j = 0; j < k; ++j) feeding[j] += c.out.test(j);
        for (int j = 0; j < k; ++j) counters_.emplace_back(p.Vars(), feeding[j]);
        once_ = TruthTable(p.Vars());
        for (const MultiCube& c : cover) Add(c.in, c.out);
    }
    void Add(const Cube& c, const Outputs& o) {
        for (int j = 0; j < p_.OutputCount(); ++j)
            if (o.test(j)) {
                if (cubes_)
                    lists_[j].push_back(c);
                else
                    counters_[j].Add(c);
            }
    }
    void Remove(const Cube& c, const Outputs& o) {
        for (int j = 0; j < p_.OutputCount(); ++j)
            if (o.test(j)) Remove(c, j);
    }
    void Remove(const Cube& c, int j) {
        if (!cubes_) {
            counters_[j].Remove(c);
            return;
        }
        auto& list = lists_[j];
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i] == c) {
                list[i] = list.back();
                list.pop_back();
                return;
            }
    }
    // c (one of the products feeding j) alone holds some on point of j.
    bool Needed(const Cube& c, int j) {
        if (!cubes_) {
            work_.Spend(1 + 2 * p_.Span(c));
            return counters_[j].HoldsOnceSomewhere(c, p_.On(j));
        }
        int64_t units = 0;
        const bool covered = Tautology(Others(c, j), Free(c), units);
        work_.Spend(units);
        return !covered;
    }
    // The smallest cube holding the on points of j that c alone holds; nothing when none.
    std::optional<Cube> Alone(const Cube& c, int j) {
        if (!cubes_) {
            work_.Spend(1 + 3 * p_.Span(c));
            counters_[j].HeldOnce(c, p_.On(j), once_);
            Cube part;
            if (!once_.SupercubeWithin(c, part)) return std::nullopt;
            return part;
        }
        int64_t units = 0;
        const auto part = UncoveredSupercube(Others(c, j), Free(c), units);
        work_.Spend(units);
        if (!part) return std::nullopt;
        return Cube{c.mask | part->mask, c.val | part->val};
    }

  private:
    uint32_t Free(const Cube& c) const { return ~c.mask & ((1u << p_.Vars()) - 1); }
    // Inside c: every other product feeding j and every point where j is not on.
    std::vector<Cube> Others(const Cube& c, int j) const {
        std::vector<Cube> within = Cofactor(p_.NotOnCubes(j), c);
        bool self = false;
        for (const Cube& q : lists_[j]) {
            if (!self && q == c) {
                self = true;
                continue;
            }
            if (q.Intersects(c)) within.push_back({q.mask & ~c.mask, q.val & ~c.mask});
        }
        return within;
    }

    const MultiProblem& p_;
    Work& work_;
    bool cubes_;
    std::vector<CoverCounter> counters_;
    TruthTable once_;
    std::vector<std::vector<Cube>> lists_;
};

// The smallest cube holding what c alone holds of every output it feeds; `kept` the outputs
// where it holds something. Nothing when it holds nothing alone.
inline std::optional<Cube> AloneOfAll(const MultiProblem& p, Counts& count, const MultiCube& c,
                                      Outputs& kept) {
    std::optional<Cube> all;
    kept.reset();
    for (int j = 0; j < p.OutputCount(); ++j) {
        if (!c.out.test(j)) continue;
        const auto part = count.Alone(c.in, j);
        if (!part) continue;
        kept.set(j);
        all = all ? Cube::Supercube(*all, *part) : *part;
    }
    return all;
}

}  // namespace mwcore::multi
