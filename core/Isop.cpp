#include "core/Isop.h"

#include <algorithm>
#include <cstring>

#include "core/Invariant.h"
#include "core/LargePages.h"
#include "core/TableMemory.h"
#include "core/Work.h"

namespace mwcore {

namespace {

uint64_t FullWord(int k) {
    return k >= 6 ? ~0ull : (1ull << (1u << k)) - 1;
}

Cube WithLiteral(Cube c, int var, bool positive) {
    c.mask |= 1u << var;
    if (positive) c.val |= 1u << var;
    return c;
}

class ThreeVarCovers;
// Tables of at most six variables live in one word; with `small`, three variables are looked up.
uint64_t IsopWord(uint64_t lower, uint64_t upper, int k, Cube prefix, std::vector<Cube>& out,
                  const ThreeVarCovers* small);

// Every pair of bounds on three variables (lower within upper: 3^8 pairs, each minterm off, free
// or on) with the recursion's own answer, cubes in its order: most of the recursion's calls
// are on three variables or fewer, and one look-up replaces them.
class ThreeVarCovers {
  public:
    ThreeVarCovers() {
        for (int x = 0; x < 256; ++x)
            for (int i = 0; i < 8; ++i)
                if (x & (1 << i)) weight_[x] = static_cast<uint16_t>(weight_[x] + Pow3(i));
        std::vector<Cube> cubes;
        for (uint32_t upper = 0; upper < 256; ++upper)
            for (uint32_t lower = upper;; lower = (lower - 1) & upper) {
                cubes.clear();
                Entry& e = entries_[Index(lower, upper)];
                e.cover = static_cast<uint8_t>(IsopWord(lower, upper, 3, Cube{}, cubes, nullptr));
                MW_INVARIANT(cubes.size() <= 4);  // parity is the most three variables need
                e.count = static_cast<uint8_t>(cubes.size());
                for (std::size_t c = 0; c < cubes.size(); ++c) {
                    e.mask[c] = static_cast<uint8_t>(cubes[c].mask);
                    e.val[c] = static_cast<uint8_t>(cubes[c].val);
                }
                if (lower == 0) break;
            }
    }
    // lower and upper within the low eight bits, lower within upper.
    uint64_t Cover(uint64_t lower, uint64_t upper, Cube prefix, std::vector<Cube>& out) const {
        const Entry& e =
            entries_[Index(static_cast<uint32_t>(lower), static_cast<uint32_t>(upper))];
        for (int c = 0; c < e.count; ++c)
            out.push_back({prefix.mask | e.mask[c], prefix.val | e.val[c]});
        return e.cover;
    }

  private:
    struct Entry {
        uint8_t cover = 0, count = 0;
        uint8_t mask[4] = {}, val[4] = {};
    };
    static int Pow3(int i) { return i == 0 ? 1 : 3 * Pow3(i - 1); }
    std::size_t Index(uint32_t lower, uint32_t upper) const {
        return weight_[lower] + weight_[upper];
    }

    uint16_t weight_[256] = {};
    Entry entries_[6561];
};

const ThreeVarCovers& SmallCovers() {
    static const ThreeVarCovers covers;
    return covers;
}

uint64_t IsopWord(uint64_t lower, uint64_t upper, int k, Cube prefix, std::vector<Cube>& out,
                  const ThreeVarCovers* small) {
    if (small && k == 3) return small->Cover(lower & 0xff, upper & 0xff, prefix, out);
    const uint64_t full = FullWord(k);
    if (!(lower & full)) return 0;
    if ((upper & full) == full) {
        out.push_back(prefix);
        return full;
    }
    const int h = 1 << (k - 1);
    const uint64_t half = FullWord(k - 1);
    const uint64_t l0 = lower & half, l1 = (lower >> h) & half;
    const uint64_t u0 = upper & half, u1 = (upper >> h) & half;
    if (l0 == l1 && u0 == u1) {
        const uint64_t r = IsopWord(l0, u0, k - 1, prefix, out, small);
        return r | (r << h);
    }
    const uint64_t r0 =
        IsopWord(l0 & ~u1, u0, k - 1, WithLiteral(prefix, k - 1, false), out, small);
    const uint64_t r1 = IsopWord(l1 & ~u0, u1, k - 1, WithLiteral(prefix, k - 1, true), out, small);
    const uint64_t rs = IsopWord((l0 & ~r0) | (l1 & ~r1), u0 & u1, k - 1, prefix, out, small);
    const uint64_t r = (r0 | rs) | ((r1 | rs) << h);
    MW_INVARIANT((lower & full & ~r) == 0 && (r & ~upper & full) == 0);  // lower <= cover <= upper
    return r;
}

bool AllZero(const uint64_t* p, std::size_t n) {
    return std::all_of(p, p + n, [](uint64_t w) { return w == 0; });
}

bool AllOnes(const uint64_t* p, std::size_t n) {
    return std::all_of(p, p + n, [](uint64_t w) { return w == ~0ull; });
}

// Reads the guard at each split of a table larger than a block (a few thousand splits at most).
class Stop {
  public:
    explicit Stop(Guard* guard = nullptr) : guard_(guard) {}
    bool Now() {
        if (guard_ && !stopped_) stopped_ = guard_->Stopped();
        return stopped_;
    }

  private:
    Guard* guard_;
    bool stopped_ = false;
};

// Once stopped, what is left is covered in blocks of 2^16 minterms (the variables above fixed),
// each by the whole recursion: on a random function of 23 inputs about as quick as blocks of 64
// minterms, with two fifths fewer literals, whose text is the larger part of the time to answer.
constexpr int kBlockVars = 16;

// The recursion over tables of more than six variables, with one scratch per level (a split
// needs three half tables, and the levels below it run one after another) instead of an
// allocation at each of its millions of splits.
class Splitter {
  public:
    Splitter(int vars, std::vector<Cube>& out, Stop stop)
        : out_(out), small_(SmallCovers()), stop_(stop) {
        // Level k (> 6) uses 3 * 2^(k-7) words from 3 * (2^(k-7) - 1) on.
        if (vars > 6) scratch_.resize(3 * ((std::size_t{1} << (vars - 6)) - 1));
    }

    // Each block of the tables (variables above kBlockVars fixed by its place) covered on its own,
    // `count` of them from `first` on (all where count is 0); result holds the blocks covered.
    void Blocks(const uint64_t* lower, const uint64_t* upper, int k, Cube prefix, uint64_t* result,
                std::size_t first = 0, std::size_t count = 0) {
        const int b = std::min(k, kBlockVars);
        const std::size_t words = b > 6 ? std::size_t{1} << (b - 6) : 1;
        const std::size_t all = std::size_t{1} << (k - b);
        if (count == 0) count = all;
        const uint32_t high = static_cast<uint32_t>(all - 1) << b;
        prefix.mask |= high;
        for (std::size_t i = first; i < first + count; ++i) {
            Cube c = prefix;
            c.val = (c.val & ~high) | static_cast<uint32_t>(i << b);
            Words(lower + i * words, upper + i * words, b, c, result + (i - first) * words);
        }
    }

    // k > 6: the tables span 2^(k-6) words; the top variable splits them into two halves.
    void Words(const uint64_t* lower, const uint64_t* upper, int k, Cube prefix, uint64_t* result) {
        if (k <= 6) {
            result[0] = IsopWord(lower[0], upper[0], k, prefix, out_, &small_);
            return;
        }
        const std::size_t size = std::size_t{1} << (k - 6);
        if (AllZero(lower, size)) {
            std::fill(result, result + size, 0);
            return;
        }
        if (AllOnes(upper, size)) {
            out_.push_back(prefix);
            std::fill(result, result + size, ~0ull);
            return;
        }
        if (k > kBlockVars && stop_.Now()) {
            Blocks(lower, upper, k, prefix, result);
            return;
        }
        const std::size_t half = size / 2;
        const uint64_t *l0 = lower, *l1 = lower + half, *u0 = upper, *u1 = upper + half;
        if (std::memcmp(l0, l1, half * 8) == 0 && std::memcmp(u0, u1, half * 8) == 0) {
            Words(l0, u0, k - 1, prefix, result);
            std::copy(result, result + half, result + half);
            return;
        }
        uint64_t *a = scratch_.data() + 3 * (half - 1), *b = a + half, *rs = b + half;
        uint64_t *r0 = result, *r1 = result + half;
        for (std::size_t i = 0; i < half; ++i) a[i] = l0[i] & ~u1[i];
        Words(a, u0, k - 1, WithLiteral(prefix, k - 1, false), r0);
        for (std::size_t i = 0; i < half; ++i) a[i] = l1[i] & ~u0[i];
        Words(a, u1, k - 1, WithLiteral(prefix, k - 1, true), r1);
        for (std::size_t i = 0; i < half; ++i) {
            a[i] = (l0[i] & ~r0[i]) | (l1[i] & ~r1[i]);
            b[i] = u0[i] & u1[i];
        }
        Words(a, b, k - 1, prefix, rs);
        for (std::size_t i = 0; i < half; ++i) {
            r0[i] |= rs[i];
            r1[i] |= rs[i];
        }
        for ([[maybe_unused]] std::size_t i = 0; i < size; ++i)
            MW_INVARIANT((lower[i] & ~result[i]) == 0 && (result[i] & ~upper[i]) == 0);
    }

  private:
    std::vector<Cube>& out_;
    const ThreeVarCovers& small_;
    Stop stop_;
    TableWords scratch_;
};

// Large tables: room for a product per minterm of the lower bound (an irredundant cover has no
// more), asked for in large pages; only what the products fill is ever touched.
void Reserve(std::vector<Cube>& out, const TruthTable& lower) {
    if (lower.Vars() < 18) return;
    out.reserve(lower.Count());
    LargePages(out.data(), out.capacity() * sizeof(Cube));
}

std::vector<Cube> IsopUntil(const TruthTable& lower, const TruthTable& upper, Stop stop) {
    std::vector<Cube> out;
    Reserve(out, lower);
    TableWords result(lower.WordCount());
    Splitter(lower.Vars(), out, stop)
        .Words(lower.Words(), upper.Words(), lower.Vars(), Cube{}, result.data());
    return out;
}

}  // namespace

std::vector<Cube> Isop(const TruthTable& lower, const TruthTable& upper) {
    return IsopUntil(lower, upper, Stop());
}

std::vector<Cube> Isop(const TruthTable& lower, const TruthTable& upper, Guard& guard) {
    return IsopUntil(lower, upper, Stop(&guard));
}

std::vector<Cube> BlockCover(const TruthTable& lower, const TruthTable& upper) {
    std::vector<Cube> out;
    Reserve(out, lower);
    TableWords result(lower.WordCount());
    Splitter(lower.Vars(), out, Stop())
        .Blocks(lower.Words(), upper.Words(), lower.Vars(), Cube{}, result.data());
    return out;
}

int IsopBlockVars(int vars) {
    return std::min(vars, kBlockVars);
}

std::vector<Cube> BlockCover(const TruthTable& lower, const TruthTable& upper, std::size_t first,
                             std::size_t count) {
    const int vars = lower.Vars();
    MW_INVARIANT(count > 0 && first + count <= std::size_t{1} << (vars - IsopBlockVars(vars)));
    std::vector<Cube> out;
    TableWords result(
        std::max<std::size_t>(1, count * (lower.WordCount() >> (vars - IsopBlockVars(vars)))));
    Splitter(IsopBlockVars(vars), out, Stop())
        .Blocks(lower.Words(), upper.Words(), vars, Cube{}, result.data(), first, count);
    return out;
}

}  // namespace mwcore
