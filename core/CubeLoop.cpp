#include "core/CubeLoop.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace mwcore::cubes {
namespace {

// Failed attempts to swallow another cube before a cube's expansion settles for raising.
constexpr int kMaxFailedMerges = 24;

int OutputCount(const Word* out, int words) {
    int n = 0;
    for (int k = 0; k < words; ++k) n += std::popcount(out[k]);
    return n;
}

template <class F>
void ForEachOutput(const Word* out, int words, F&& f) {
    for (int k = 0; k < words; ++k)
        for (Word x = out[k]; x; x &= x - 1) f(k * 64 + std::countr_zero(x));
}

}  // namespace

CubeLoop::CubeLoop(const Shape& shape, CubeList dc, std::vector<CubeList> off,
                   std::vector<char> hasOff, std::vector<CubeList> upper, Work& work)
    : s_(shape),
      dc_(std::move(dc)),
      off_(std::move(off)),
      hasOff_(std::move(hasOff)),
      upper_(std::move(upper)),
      work_(work) {}

CoverCost CubeLoop::Cost(const CubeList& f) const {
    CoverCost c;
    for (std::size_t i = 0; i < f.Size(); ++i) {
        ++c.products;
        c.literals += LiteralCount(f[i], s_.inWords);
    }
    return c;
}

std::vector<std::size_t> CubeLoop::BySize(const CubeList& f, bool largestFirst) const {
    std::vector<int> literals(f.Size()), outputs(f.Size());
    for (std::size_t i = 0; i < f.Size(); ++i) {
        literals[i] = LiteralCount(f[i], s_.inWords);
        outputs[i] = OutputCount(f[i] + s_.inWords, s_.outWords);
    }
    std::vector<std::size_t> order(f.Size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (literals[a] != literals[b])
            return largestFirst ? literals[a] < literals[b] : literals[a] > literals[b];
        return largestFirst ? outputs[a] > outputs[b] : outputs[a] < outputs[b];
    });
    return order;
}

std::vector<std::size_t> CubeLoop::ByWeight(const CubeList& f, bool ascending) const {
    const int w = s_.Width();
    std::vector<int64_t> count(static_cast<std::size_t>(w) * 64, 0);
    for (std::size_t i = 0; i < f.Size(); ++i)
        for (int k = 0; k < w; ++k)
            for (Word x = f[i][k]; x; x &= x - 1) ++count[k * 64 + std::countr_zero(x)];
    std::vector<int64_t> weight(f.Size(), 0);
    for (std::size_t i = 0; i < f.Size(); ++i)
        for (int k = 0; k < w; ++k)
            for (Word x = f[i][k]; x; x &= x - 1) weight[i] += count[k * 64 + std::countr_zero(x)];
    units_ += static_cast<int64_t>(f.Size()) * w * 2;
    std::vector<std::size_t> order(f.Size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return ascending ? weight[a] < weight[b] : weight[a] > weight[b];
    });
    return order;
}

void CubeLoop::Gather(const CubeList& list, const std::vector<char>* alive, std::size_t skip,
                      const Word* in, int j, CubeList& scratch) {
    const int iw = s_.inWords;
    units_ += static_cast<int64_t>(list.Size()) * iw;
    const std::size_t had = scratch.Size();
    Word* h = scratch.Extend(list.Size());
    std::size_t added = 0;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        if (i == skip || (alive && !(*alive)[i])) continue;
        const Word* g = list[i];
        if (!Shape::Output(g + iw, j) || Disjoint(g, in, iw)) continue;
        for (int k = 0; k < iw; ++k) h[k] = g[k] | ~in[k];
        h += iw;
        ++added;
    }
    scratch.Truncate(had + added);
}

bool CubeLoop::Covered(const CubeList& f, const std::vector<char>* alive, std::size_t skip,
                       const Word* in, int j) {
    CubeList scratch(s_.inWords);
    Gather(f, alive, skip, in, j, scratch);
    Gather(dc_, nullptr, static_cast<std::size_t>(-1), in, j, scratch);
    const bool covered = Tautology(std::move(scratch), &units_);
    Spend();
    return covered;
}

bool CubeLoop::Feasible(const Word* cube, int onlyOutput) {
    const int iw = s_.inWords;
    bool ok = true;
    const auto check = [&](int j) {
        if (!ok) return;
        if (hasOff_[j]) {
            const CubeList& r = off_[j];
            units_ += static_cast<int64_t>(r.Size()) * iw;
            for (std::size_t i = 0; i < r.Size(); ++i)
                if (!Disjoint(r[i], cube, iw)) {
                    ok = false;
                    return;
                }
        } else {
            CubeList scratch(iw);
            CofactorInto(upper_[j], cube, scratch, &units_);
            ok = Tautology(std::move(scratch), &units_);
        }
    };
    if (onlyOutput >= 0)
        check(onlyOutput);
    else
        ForEachOutput(cube + iw, s_.outWords, check);
    Spend();
    return ok;
}

void CubeLoop::RaiseLiterals(Word* cube) {
    const int iw = s_.inWords;
    // Inputs that fewest off cubes depend on go first: raising them blocks least.
    std::vector<int> vars;
    std::vector<int> conflicts(static_cast<std::size_t>(iw) * 32, 0);
    for (int v = 0; v < s_.vars; ++v)
        if (Shape::Literal(cube, v) != 2) vars.push_back(v);
    ForEachOutput(cube + iw, s_.outWords, [&](int j) {
        if (!hasOff_[j]) return;
        const CubeList& r = off_[j];
        units_ += static_cast<int64_t>(r.Size()) * iw;
        for (std::size_t i = 0; i < r.Size(); ++i)
            for (int k = 0; k < iw; ++k) {
                const Word x = r[i][k] & cube[k];
                for (Word y = ~(x | x >> 1) & kLow; y; y &= y - 1)
                    ++conflicts[k * 32 + std::countr_zero(y) / 2];
            }
    });
    std::stable_sort(vars.begin(), vars.end(),
                     [&](int a, int b) { return conflicts[a] < conflicts[b]; });
    std::vector<Word> trial(cube, cube + s_.Width());
    // Inputs some off cube is kept out by alone stay; raising the others may keep them too.
    const std::vector<Word> must = Lowering(cube);
    for (int v : vars) {
        if (must[v >> 5] >> (2 * (v & 31)) & 1) continue;
        const int was = Shape::Literal(trial.data(), v);
        Shape::SetLiteral(trial.data(), v, 2);
        if (Feasible(trial.data()))
            Shape::SetLiteral(cube, v, 2);
        else
            Shape::SetLiteral(trial.data(), v, was);
        if (work_.Over()) return;
    }
}

void CubeLoop::AddOutputs(Word* cube, const CubeList& f) {
    const int iw = s_.inWords;
    std::vector<Word> touched(s_.outWords, 0);  // outputs whose cover meets the cube
    for (std::size_t i = 0; i < f.Size(); ++i)
        if (!Disjoint(f[i], cube, iw))
            for (int k = 0; k < s_.outWords; ++k) touched[k] |= f[i][iw + k];
    for (int k = 0; k < s_.outWords; ++k) touched[k] &= ~cube[iw + k];
    units_ += static_cast<int64_t>(f.Size()) * iw;
    ForEachOutput(touched.data(), s_.outWords, [&](int j) {
        if (Feasible(cube, j)) Shape::SetOutput(cube + iw, j);
    });
}

std::vector<Word> CubeLoop::Lowering(const Word* cube) {
    const int iw = s_.inWords;
    std::vector<Word> must(iw, 0), conflict(iw);
    ForEachOutput(cube + iw, s_.outWords, [&](int j) {
        if (!hasOff_[j]) return;
        const CubeList& r = off_[j];
        units_ += static_cast<int64_t>(r.Size()) * iw;
        for (std::size_t i = 0; i < r.Size(); ++i) {
            int count = 0;
            for (int k = 0; k < iw && count < 2; ++k) {
                const Word x = r[i][k] & cube[k];
                conflict[k] = ~(x | x >> 1) & kLow;
                count += std::popcount(conflict[k]);
            }
            if (count == 1)
                for (int k = 0; k < iw; ++k) must[k] |= conflict[k];
        }
    });
    return must;
}

bool CubeLoop::Raises(const Word* from, const Word* to, const std::vector<Word>& must) const {
    for (int k = 0; k < s_.inWords; ++k) {
        const Word d = from[k] ^ to[k];
        if ((d | d >> 1) & kLow & must[k]) return true;
    }
    return false;
}

void CubeLoop::ExpandOne(CubeList& f, std::size_t at, std::vector<char>& covered) {
    const int w = s_.Width(), iw = s_.inWords;
    std::vector<Word> cur(f[at], f[at] + w), merged(w);
    const auto merge = [&](std::size_t i) {
        for (int k = 0; k < w; ++k) merged[k] = cur[k] | f[i][k];
    };
    // Other cubes by how many literals holding them would cost.
    std::vector<std::pair<int, std::size_t>> candidates;
    const int literals = LiteralCount(cur.data(), iw);
    for (std::size_t i = 0; i < f.Size(); ++i) {
        if (i == at || covered[i]) continue;
        merge(i);
        candidates.push_back({literals - LiteralCount(merged.data(), iw), i});
    }
    units_ += static_cast<int64_t>(f.Size()) * w;
    // A stable sort by cost; costs are small counts, so by buckets.
    {
        int low = 0, high = 0;
        for (const auto& c : candidates) {
            low = std::min(low, c.first);
            high = std::max(high, c.first);
        }
        std::vector<std::size_t> start(static_cast<std::size_t>(high - low) + 2, 0);
        for (const auto& c : candidates) ++start[c.first - low + 1];
        for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
        std::vector<std::pair<int, std::size_t>> sorted(candidates.size());
        for (const auto& c : candidates) sorted[start[c.first - low]++] = c;
        candidates = std::move(sorted);
    }
    int failed = 0;
    std::vector<Word> must = Lowering(cur.data());
    for (const auto& [cost, i] : candidates) {
        if (covered[i]) continue;
        merge(i);
        if (ContainsIn(cur.data(), merged.data(), w)) {
            covered[i] = 1;
            continue;
        }
        units_ += w;
        if (Raises(cur.data(), merged.data(), must)) continue;
        if (Feasible(merged.data())) {
            cur = merged;
            covered[i] = 1;
            must = Lowering(cur.data());
        } else if (++failed >= kMaxFailedMerges || work_.Over()) {
            break;
        }
    }
    AddOutputs(cur.data(), f);
    RaiseLiterals(cur.data());
    std::copy(cur.begin(), cur.end(), f[at]);
    for (std::size_t i = 0; i < f.Size(); ++i)
        if (i != at && !covered[i] && ContainsIn(cur.data(), f[i], w)) covered[i] = 1;
    Spend();
}

void CubeLoop::Expand(CubeList& f, const std::vector<char>* settled) {
    std::vector<char> covered(f.Size(), 0);
    for (std::size_t at : BySize(f, true)) {
        if (covered[at] || (settled && (*settled)[at])) continue;
        ExpandOne(f, at, covered);
    }
    for (char& c : covered) c = !c;
    f.Keep(covered);
}

void CubeLoop::Irredundant(CubeList& f) {
    const int iw = s_.inWords;
    std::vector<char> alive(f.Size(), 1);
    for (std::size_t at : BySize(f, false)) {
        bool redundant = true;
        ForEachOutput(f[at] + iw, s_.outWords,
                      [&](int j) { redundant = redundant && Covered(f, &alive, at, f[at], j); });
        if (redundant) alive[at] = 0;
    }
    f.Keep(alive);
}

bool CubeLoop::Reduced(const CubeList& f, const std::vector<char>* alive, std::size_t at, Word* c) {
    const int iw = s_.inWords;
    std::vector<Word> acc(iw), part(iw);
    bool any = false;
    ForEachOutput(c + iw, s_.outWords, [&](int j) {
        CubeList scratch(iw);
        Gather(f, alive, at, c, j, scratch);
        Gather(dc_, nullptr, static_cast<std::size_t>(-1), c, j, scratch);
        if (!ComplementSupercube(std::move(scratch), part.data(), &units_)) {
            Shape::ResetOutput(c + iw, j);
            return;
        }
        if (!any)
            acc = part;
        else
            for (int k = 0; k < iw; ++k) acc[k] |= part[k];
        any = true;
    });
    Spend();
    if (any)
        for (int k = 0; k < iw; ++k) c[k] &= acc[k];
    return any;
}

std::vector<char> CubeLoop::Reduce(CubeList& f) {
    const int w = s_.Width();
    std::vector<char> alive(f.Size(), 1), same(f.Size(), 0);
    std::vector<Word> was(w);
    // Espresso's two orders in turn: the heaviest first, then the largest first.
    heaviestFirst_ = !heaviestFirst_;
    for (std::size_t at : heaviestFirst_ ? ByWeight(f, false) : BySize(f, true)) {
        std::copy(f[at], f[at] + w, was.begin());
        if (!Reduced(f, &alive, at, f[at]))
            alive[at] = 0;
        else
            same[at] = std::equal(was.begin(), was.end(), f[at]);
    }
    f.Keep(alive);
    std::vector<char> settled;
    for (std::size_t i = 0; i < alive.size(); ++i)
        if (alive[i]) settled.push_back(same[i]);
    return settled;
}

bool CubeLoop::LastGasp(CubeList& f) {
    const int w = s_.Width();
    // Each cube reduced against all the others as they are, not as reduced before it.
    CubeList reduced(w);
    for (std::size_t at = 0; at < f.Size(); ++at) {
        if (!Reduced(f, nullptr, at, reduced.Add(f[at]))) reduced.PopBack();
        if (work_.Over()) return false;
    }
    // New primes that hold at least two of the reductions.
    CubeList fresh(w);
    std::vector<Word> merged(w);
    for (std::size_t a = 0; a < reduced.Size(); ++a) {
        std::vector<Word> cur(reduced[a], reduced[a] + w);
        int held = 1, failed = 0;
        for (std::size_t b = 0; b < reduced.Size() && failed < kMaxFailedMerges; ++b) {
            if (b == a) continue;
            for (int k = 0; k < w; ++k) merged[k] = cur[k] | reduced[b][k];
            if (ContainsIn(cur.data(), merged.data(), w)) {
                ++held;
            } else if (Feasible(merged.data())) {
                cur = merged;
                ++held;
            } else {
                ++failed;
            }
        }
        if (work_.Over()) return false;
        if (held < 2) continue;
        RaiseLiterals(cur.data());
        fresh.Add(cur.data());
    }
    if (fresh.Empty()) return false;
    CubeList g = f;
    for (std::size_t i = 0; i < fresh.Size(); ++i) g.Add(fresh[i]);
    Irredundant(g);
    if (!(Cost(g) < Cost(f)) || work_.Over()) return false;
    f = std::move(g);
    return true;
}

bool CubeLoop::Essential(const CubeList& f, std::size_t at) {
    const int iw = s_.inWords, ow = s_.outWords;
    const Word* c = f[at];
    const Word* cOut = c + iw;
    std::vector<CubeList> held(s_.outputs, CubeList(iw));
    std::vector<Word> part(iw);
    const auto add = [&](const Word* outs, const Word* in) {
        ForEachOutput(outs, ow, [&](int j) {
            if (Shape::Output(cOut, j)) held[j].Add(in);
        });
    };
    const auto consider = [&](const Word* p) {
        units_ += iw + ow;
        int conflicts = 0, conflictWord = 0;
        Word conflictBits = 0;
        for (int k = 0; k < iw && conflicts < 2; ++k) {
            const Word x = p[k] & c[k];
            const Word y = ~(x | x >> 1) & kLow;
            if (y) {
                conflicts += std::popcount(y);
                conflictWord = k;
                conflictBits = y;
            }
            part[k] = x;
        }
        if (conflicts >= 2) return;
        bool outsMeet = false, outsWithin = true;
        for (int k = 0; k < ow; ++k) {
            outsMeet = outsMeet || (p[iw + k] & cOut[k]);
            outsWithin = outsWithin && !(p[iw + k] & ~cOut[k]);
        }
        if (conflicts == 1) {
            if (!outsMeet) return;
            part[conflictWord] |= conflictBits * 3;  // the input they differ in made free
            add(p + iw, part.data());
            return;
        }
        if (outsWithin && ContainsIn(c, p, iw)) return;  // no news about c
        // Where p feeds outputs c does not, its part beyond c meets c in every output of c.
        add(outsWithin ? p + iw : cOut, part.data());
    };
    for (std::size_t i = 0; i < f.Size(); ++i)
        if (i != at) consider(f[i]);
    for (std::size_t i = 0; i < dc_.Size(); ++i) {
        consider(dc_[i]);
        add(dc_[i] + iw, dc_[i]);
    }
    bool essential = false;
    ForEachOutput(cOut, ow, [&](int j) {
        if (essential) return;
        CubeList scratch(iw);
        CofactorInto(held[j], c, scratch, &units_);
        essential = !Tautology(std::move(scratch), &units_);
    });
    Spend();
    return essential;
}

CubeList CubeLoop::TakeEssentials(CubeList& f) {
    const int w = s_.Width();
    std::vector<char> keep(f.Size(), 1);
    for (std::size_t i = 0; i < f.Size() && !work_.Over(); ++i) keep[i] = !Essential(f, i);
    CubeList essentials(w);
    for (std::size_t i = 0; i < f.Size(); ++i)
        if (!keep[i]) {
            essentials.Add(f[i]);
            dc_.Add(f[i]);
        }
    f.Keep(keep);
    return essentials;
}

void CubeLoop::MakeSparse(CubeList& f) {
    const int iw = s_.inWords;
    std::vector<char> alive(f.Size(), 1), lost(f.Size(), 0);
    for (std::size_t at : BySize(f, false)) {
        Word* c = f[at];
        ForEachOutput(c + iw, s_.outWords, [&](int j) {
            if (Covered(f, &alive, at, c, j)) {
                Shape::ResetOutput(c + iw, j);
                lost[at] = 1;
            }
        });
        if (OutputCount(c + iw, s_.outWords) == 0) alive[at] = 0;
        if (work_.Over()) break;
    }
    f.Keep(alive);
    // What a product no longer feeds no longer holds its inputs back.
    std::size_t k = 0;
    for (std::size_t i = 0; i < lost.size(); ++i) {
        if (!alive[i]) continue;
        if (lost[i] && !work_.Over()) RaiseLiterals(f[k]);
        ++k;
    }
    Irredundant(f);
}

}  // namespace mwcore::cubes
