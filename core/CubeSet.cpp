#include "core/CubeSet.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace mwcore::cubes {

Word* CubeList::Add(const Word* from) {
    const std::size_t at = words_.size();
    words_.resize(at + width_);
    if (from) std::copy(from, from + width_, words_.begin() + at);
    return words_.data() + at;
}

void CubeList::Keep(const std::vector<char>& keep) {
    std::size_t to = 0;
    for (std::size_t i = 0; i < Size(); ++i)
        if (keep[i]) {
            if (to != i) std::copy((*this)[i], (*this)[i] + width_, words_.begin() + to * width_);
            ++to;
        }
    words_.resize(to * width_);
}

Shape::Shape(int v, int o)
    : vars(v),
      outputs(o),
      inWords(std::max(1, (v + 31) / 32)),
      outWords(std::max(1, (o + 63) / 64)) {}

void Shape::Universe(Word* in) const {
    std::fill(in, in + inWords, ~Word{0});
}

bool Disjoint(const Word* a, const Word* b, int words) {
    for (int k = 0; k < words; ++k) {
        const Word x = a[k] & b[k];
        if (((x | x >> 1) & kLow) != kLow) return true;
    }
    return false;
}

bool ContainsIn(const Word* a, const Word* b, int words) {
    for (int k = 0; k < words; ++k)
        if (b[k] & ~a[k]) return false;
    return true;
}

bool IsUniverse(const Word* a, int words) {
    for (int k = 0; k < words; ++k)
        if (~a[k]) return false;
    return true;
}

int LiteralCount(const Word* a, int words) {
    int n = 0;
    for (int k = 0; k < words; ++k) n += 32 - std::popcount(a[k] & a[k] >> 1 & kLow);
    return n;
}

int Distance(const Word* a, const Word* b, int words) {
    int n = 0;
    for (int k = 0; k < words; ++k) {
        const Word x = a[k] & b[k];
        n += std::popcount(~(x | x >> 1) & kLow);
    }
    return n;
}

void CofactorInto(const CubeList& from, const Word* c, CubeList& into, int64_t* units) {
    const int w = from.Width();
    *units += static_cast<int64_t>(from.Size()) * w + 1;
    const std::size_t had = into.Size();
    Word* g = into.Extend(from.Size());
    std::size_t added = 0;
    for (std::size_t i = 0; i < from.Size(); ++i) {
        const Word* f = from[i];
        if (Disjoint(f, c, w)) continue;
        for (int k = 0; k < w; ++k) g[k] = f[k] | ~c[k];
        g += w;
        ++added;
    }
    into.Truncate(had + added);
}

namespace {

// A few words of scratch per call, on the stack where the cubes are narrow: the recursions
// below would otherwise spend much of their time in the allocator.
template <class T, std::size_t N>
class Scratch {
  public:
    Scratch(std::size_t n, T value) : heap_(n > N ? n : 0, value) {
        data_ = n > N ? heap_.data() : inline_;
        if (n <= N) std::fill(inline_, inline_ + n, value);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    T* data() { return data_; }
    const T* data() const { return data_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }

  private:
    T inline_[N];
    std::vector<T> heap_;
    T* data_;
};

using Words = Scratch<Word, 8>;

// Per input: which literals the list holds, as the low bit of each pair.
struct Columns {
    Words zero, one;        // some cube has the literal 0 (1) there
    Words free;             // some cube is free there
    bool universe = false;  // some cube is free everywhere

    explicit Columns(const CubeList& list)
        : zero(list.Width(), 0), one(list.Width(), 0), free(list.Width(), 0) {
        const int w = list.Width();
        for (std::size_t i = 0; i < list.Size(); ++i) {
            const Word* f = list[i];
            bool all = true;
            for (int k = 0; k < w; ++k) {
                const Word lo = f[k] & kLow, hi = f[k] >> 1 & kLow;
                zero[k] |= lo & ~hi;
                one[k] |= hi & ~lo;
                free[k] |= lo & hi;
                all = all && (lo & hi) == kLow;
            }
            universe = universe || all;
        }
    }
};

// The input whose literals split the list best: among those in both polarities the one most
// cubes depend on; -1 where no cube has a literal.
int SplitVariable(const CubeList& list, const Columns& cols, int64_t* units) {
    const int w = list.Width();
    Words binate(w, 0);
    bool any = false, anyBinate = false;
    for (int k = 0; k < w; ++k) {
        binate[k] = cols.zero[k] & cols.one[k];
        anyBinate = anyBinate || binate[k];
        any = any || cols.zero[k] || cols.one[k];
    }
    if (!any) return -1;
    if (!anyBinate)
        for (int k = 0; k < w; ++k) binate[k] = cols.zero[k] | cols.one[k];
    Scratch<int, 256> count(static_cast<std::size_t>(w) * 32, 0);
    *units += static_cast<int64_t>(list.Size()) * w;
    for (std::size_t i = 0; i < list.Size(); ++i) {
        const Word* f = list[i];
        for (int k = 0; k < w; ++k)
            for (Word x = ~(f[k] & f[k] >> 1) & binate[k]; x; x &= x - 1)
                ++count[k * 32 + std::countr_zero(x) / 2];
    }
    return static_cast<int>(std::max_element(count.data(), count.data() + w * 32) - count.data());
}

// Free everywhere but perhaps at `except`.
bool IsUniverse(const Word* a, int words, int except) {
    for (int k = 0; k < words; ++k) {
        Word x = a[k];
        if (k == except / 32) x |= Word{3} << (2 * (except % 32));
        if (~x) return false;
    }
    return true;
}

void CofactorVar(const CubeList& list, int var, int value, CubeList& into, int64_t* units) {
    Words c(list.Width(), ~Word{0});
    Shape::SetLiteral(c.data(), var, value);
    CofactorInto(list, c.data(), into, units);
}

bool ComplementOf(const CubeList& list, CubeList& out, std::size_t limit, Work& work) {
    const int w = list.Width();
    if (!work.Spend(static_cast<int64_t>(list.Size()) * w + 1)) return false;
    if (list.Empty()) {
        Word* g = out.Add();
        std::fill(g, g + w, ~Word{0});
        return out.Size() <= limit;
    }
    const Columns cols(list);
    if (cols.universe) return true;
    if (list.Size() == 1) {  // De Morgan: one cube per literal, the other way
        const Word* f = list[0];
        for (int k = 0; k < w; ++k)
            for (Word x = ~(f[k] & f[k] >> 1) & kLow; x; x &= x - 1) {
                const int var = k * 32 + std::countr_zero(x) / 2;
                Word* g = out.Add();
                std::fill(g, g + w, ~Word{0});
                Shape::SetLiteral(g, var, 1 - Shape::Literal(f, var));
            }
        return out.Size() <= limit;
    }
    int64_t units = 0;
    const int var = SplitVariable(list, cols, &units);
    work.Spend(units);
    CubeList halves[2] = {CubeList(w), CubeList(w)};
    for (int value = 0; value < 2; ++value) {
        CubeList part(w);
        units = 0;
        CofactorVar(list, var, value, part, &units);
        work.Spend(units);
        if (!ComplementOf(part, halves[value], limit, work)) return false;
    }
    // A cube in both halves needs no literal for the variable.
    std::vector<std::size_t> order(halves[1].Size());
    std::iota(order.begin(), order.end(), 0);
    const auto less = [&](const Word* a, const Word* b) {
        return std::lexicographical_compare(a, a + w, b, b + w);
    };
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return less(halves[1][a], halves[1][b]); });
    std::vector<char> used(halves[1].Size(), 0);
    work.Spend(static_cast<int64_t>(halves[0].Size() + halves[1].Size()) * w);
    for (std::size_t i = 0; i < halves[0].Size(); ++i) {
        const Word* c = halves[0][i];
        const auto at =
            std::lower_bound(order.begin(), order.end(), c,
                             [&](std::size_t a, const Word* b) { return less(halves[1][a], b); });
        Word* g = out.Add(c);
        if (at != order.end() && std::equal(c, c + w, halves[1][*at]) && !used[*at])
            used[*at] = 1;
        else
            Shape::SetLiteral(g, var, 0);
    }
    for (std::size_t i = 0; i < halves[1].Size(); ++i)
        if (!used[i]) Shape::SetLiteral(out.Add(halves[1][i]), var, 1);
    return out.Size() <= limit && !work.Over();
}

}  // namespace

bool Tautology(CubeList list, int64_t* units) {
    const int w = list.Width();
    for (;;) {
        *units += static_cast<int64_t>(list.Size()) * w + 1;
        if (list.Empty()) return false;
        const Columns cols(list);
        if (cols.universe) return true;
        Word unate = 0;
        Words unateMask(w, 0);
        for (int k = 0; k < w; ++k) {
            const Word lo = cols.zero[k], hi = cols.one[k];
            unateMask[k] = (lo ^ hi);
            unate |= unateMask[k];
        }
        // A variable taken one way only: the cubes fixing it cannot help cover the other half,
        // and that half must be covered by the rest.
        if (unate) {
            std::vector<char> keep(list.Size(), 1);
            bool dropped = false;
            for (std::size_t i = 0; i < list.Size(); ++i) {
                const Word* f = list[i];
                for (int k = 0; k < w; ++k)
                    if (~(f[k] & f[k] >> 1) & unateMask[k]) {
                        keep[i] = 0;
                        dropped = true;
                        break;
                    }
            }
            if (dropped) {
                list.Keep(keep);
                continue;
            }
        }
        const int var = SplitVariable(list, cols, units);
        CubeList zero(w), one(w);
        CofactorVar(list, var, 0, zero, units);
        if (!Tautology(std::move(zero), units)) return false;
        CofactorVar(list, var, 1, one, units);
        list = std::move(one);
    }
}

bool Complement(const CubeList& list, CubeList& out, std::size_t limit, Work& work) {
    return ComplementOf(list, out, limit, work);
}

bool ComplementSupercube(CubeList list, Word* out, int64_t* units) {
    const int w = list.Width();
    *units += static_cast<int64_t>(list.Size()) * w + 1;
    std::fill(out, out + w, ~Word{0});
    if (list.Empty()) return true;
    const Columns cols(list);
    if (cols.universe) return false;
    // Inputs every cube fixes the same way leave the other half out whole: two of them span
    // everything; with one, only its own half can be covered.
    int fixedCount = 0, fixedVar = -1;
    bool binate = false;
    for (int k = 0; k < w; ++k) {
        const Word fixed = (cols.zero[k] ^ cols.one[k]) & ~cols.free[k];
        fixedCount += std::popcount(fixed);
        if (fixed && fixedVar < 0) fixedVar = k * 32 + std::countr_zero(fixed) / 2;
        binate = binate || (cols.zero[k] & cols.one[k]);
    }
    if (fixedCount >= 2) return true;
    if (fixedCount == 1) {
        const int value = Shape::Literal(list[0], fixedVar);
        CubeList rest(w);
        CofactorVar(list, fixedVar, value, rest, units);
        if (Tautology(std::move(rest), units)) Shape::SetLiteral(out, fixedVar, 1 - value);
        return true;
    }
    // Each input one way only: the left-out points go down from the point every cube misses,
    // so an input stays fixed exactly where a cube is that input's literal alone.
    if (!binate) {
        *units += static_cast<int64_t>(list.Size()) * w;
        for (std::size_t i = 0; i < list.Size(); ++i) {
            const Word* f = list[i];
            if (LiteralCount(f, w) != 1) continue;
            for (int k = 0; k < w; ++k)
                if (const Word x = ~(f[k] & f[k] >> 1) & kLow) {
                    const int var = k * 32 + std::countr_zero(x) / 2;
                    Shape::SetLiteral(out, var, 1 - Shape::Literal(f, var));
                }
        }
        return true;
    }
    const int var = SplitVariable(list, cols, units);
    bool found = false;
    Words part(w, 0);
    for (int value = 0; value < 2; ++value) {
        CubeList cof(w);
        CofactorVar(list, var, value, cof, units);
        // Where the first half's left-out points already span every other input, the answer
        // is the universe unless the second half leaves nothing out: tautology says that
        // without the second half's own (on unate lists, exponential) descent.
        if (found && IsUniverse(out, w, var)) {
            if (!Tautology(std::move(cof), units)) std::fill(out, out + w, ~Word{0});
            return true;
        }
        if (!ComplementSupercube(std::move(cof), part.data(), units)) continue;
        Shape::SetLiteral(part.data(), var, value);
        if (!found)
            std::copy(part.data(), part.data() + w, out);
        else
            for (int k = 0; k < w; ++k) out[k] |= part[k];
        found = true;
    }
    return found;
}

}  // namespace mwcore::cubes
