#include "core/Isop.h"

#include <algorithm>
#include <cstring>

#include "core/Invariant.h"
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

// Tables of at most six variables live in one word.
uint64_t IsopWord(uint64_t lower, uint64_t upper, int k, Cube prefix, std::vector<Cube>& out) {
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
        const uint64_t r = IsopWord(l0, u0, k - 1, prefix, out);
        return r | (r << h);
    }
    const uint64_t r0 = IsopWord(l0 & ~u1, u0, k - 1, WithLiteral(prefix, k - 1, false), out);
    const uint64_t r1 = IsopWord(l1 & ~u0, u1, k - 1, WithLiteral(prefix, k - 1, true), out);
    const uint64_t rs = IsopWord((l0 & ~r0) | (l1 & ~r1), u0 & u1, k - 1, prefix, out);
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

// Reads the guard every few hundred splits: its clock costs more than a split of small tables.
class Stop {
  public:
    explicit Stop(Guard* guard = nullptr) : guard_(guard) {}
    bool Now() {
        if (guard_ && !stopped_ && (++calls_ & 255) == 0) stopped_ = guard_->Stopped();
        return stopped_;
    }

  private:
    Guard* guard_;
    uint32_t calls_ = 0;
    bool stopped_ = false;
};

// Each word of the tables (variables above the sixth fixed by its index) covered on its own.
void BlockWords(const uint64_t* lower, const uint64_t* upper, int k, Cube prefix,
                std::vector<Cube>& out, uint64_t* result) {
    if (k <= 6) {
        result[0] = IsopWord(lower[0], upper[0], k, prefix, out);
        return;
    }
    const std::size_t size = std::size_t{1} << (k - 6);
    const uint32_t high = static_cast<uint32_t>(size - 1) << 6;
    prefix.mask |= high;
    for (std::size_t i = 0; i < size; ++i) {
        Cube c = prefix;
        c.val = (c.val & ~high) | static_cast<uint32_t>(i << 6);
        result[i] = lower[i] ? IsopWord(lower[i], upper[i], 6, c, out) : 0;
    }
}

// k > 6: the tables span 2^(k-6) words; the top variable splits them into two halves.
void IsopWords(const uint64_t* lower, const uint64_t* upper, int k, Cube prefix,
               std::vector<Cube>& out, uint64_t* result, Stop& stop) {
    if (k <= 6) {
        result[0] = IsopWord(lower[0], upper[0], k, prefix, out);
        return;
    }
    const std::size_t size = std::size_t{1} << (k - 6);
    if (AllZero(lower, size)) {
        std::fill(result, result + size, 0);
        return;
    }
    if (AllOnes(upper, size)) {
        out.push_back(prefix);
        std::fill(result, result + size, ~0ull);
        return;
    }
    if (stop.Now()) {
        BlockWords(lower, upper, k, prefix, out, result);
        return;
    }
    const std::size_t half = size / 2;
    const uint64_t *l0 = lower, *l1 = lower + half, *u0 = upper, *u1 = upper + half;
    if (std::memcmp(l0, l1, half * 8) == 0 && std::memcmp(u0, u1, half * 8) == 0) {
        IsopWords(l0, u0, k - 1, prefix, out, result, stop);
        std::copy(result, result + half, result + half);
        return;
    }
    TableWords tmp(half * 3);
    uint64_t *a = tmp.data(), *b = a + half, *rs = b + half;
    uint64_t *r0 = result, *r1 = result + half;
    for (std::size_t i = 0; i < half; ++i) a[i] = l0[i] & ~u1[i];
    IsopWords(a, u0, k - 1, WithLiteral(prefix, k - 1, false), out, r0, stop);
    for (std::size_t i = 0; i < half; ++i) a[i] = l1[i] & ~u0[i];
    IsopWords(a, u1, k - 1, WithLiteral(prefix, k - 1, true), out, r1, stop);
    for (std::size_t i = 0; i < half; ++i) {
        a[i] = (l0[i] & ~r0[i]) | (l1[i] & ~r1[i]);
        b[i] = u0[i] & u1[i];
    }
    IsopWords(a, b, k - 1, prefix, out, rs, stop);
    for (std::size_t i = 0; i < half; ++i) {
        r0[i] |= rs[i];
        r1[i] |= rs[i];
    }
    for ([[maybe_unused]] std::size_t i = 0; i < size; ++i)
        MW_INVARIANT((lower[i] & ~result[i]) == 0 && (result[i] & ~upper[i]) == 0);
}

}  // namespace

namespace {

std::vector<Cube> IsopUntil(const TruthTable& lower, const TruthTable& upper, Stop stop) {
    std::vector<Cube> out;
    TableWords result(lower.WordCount());
    IsopWords(lower.Words(), upper.Words(), lower.Vars(), Cube{}, out, result.data(), stop);
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
    TableWords result(lower.WordCount());
    BlockWords(lower.Words(), upper.Words(), lower.Vars(), Cube{}, out, result.data());
    return out;
}

}  // namespace mwcore
