#include "core/CoverCounter.h"

#include <bit>

namespace mwcore {

CoverCounter::CoverCounter(int vars, int maxCount)
    : vars_(vars),
      planes_(std::bit_width(static_cast<unsigned>(maxCount < 1 ? 1 : maxCount))),
      bits_((vars >= 6 ? std::size_t{1} << (vars - 6) : 1) * planes_) {}

void CoverCounter::Add(const Cube& c) {
    ForEachCubeWord(c, vars_, [&](std::size_t w, uint64_t m) {
        uint64_t* p = &bits_[w * planes_];
        uint64_t carry = m;
        for (int i = 0; i < planes_ && carry; ++i) {
            const uint64_t next = p[i] & carry;
            p[i] ^= carry;
            carry = next;
        }
    });
}

void CoverCounter::Remove(const Cube& c) {
    ForEachCubeWord(c, vars_, [&](std::size_t w, uint64_t m) {
        uint64_t* p = &bits_[w * planes_];
        uint64_t borrow = m;
        for (int i = 0; i < planes_ && borrow; ++i) {
            const uint64_t next = ~p[i] & borrow;
            p[i] ^= borrow;
            borrow = next;
        }
    });
}

uint64_t CoverCounter::OnceMask(std::size_t w) const {
    const uint64_t* p = &bits_[w * planes_];
    uint64_t higher = 0;
    for (int i = 1; i < planes_; ++i) higher |= p[i];
    return p[0] & ~higher;
}

bool CoverCounter::HoldsOnceSomewhere(const Cube& c, const TruthTable& on) const {
    const uint64_t* o = on.Words();
    return AnyCubeWord(c, vars_, [&](std::size_t w, uint64_t m) {
        return (o[w] & m) && (OnceMask(w) & o[w] & m);
    });
}

void CoverCounter::HeldOnce(const Cube& c, const TruthTable& on, TruthTable& out) const {
    const uint64_t* o = on.Words();
    uint64_t* d = out.Words();
    ForEachCubeWord(c, vars_, [&](std::size_t w, uint64_t m) {
        d[w] = (o[w] & m) ? (OnceMask(w) & o[w] & m) : 0;
    });
}

void CoverCounter::HeldOnlyWith(const Cube& c, const Cube& other, const TruthTable& on,
                                TruthTable& out) const {
    const uint64_t* o = on.Words();
    uint64_t* d = out.Words();
    uint64_t otherLow = vars_ >= 6 ? ~0ull : (1ull << (1u << vars_)) - 1;
    for (int i = 0; i < 6 && i < vars_; ++i)
        if (other.mask & (1u << i))
            otherLow &= (other.val & (1u << i)) ? kVarPattern[i] : ~kVarPattern[i];
    const uint32_t high = other.mask & ~63u;
    ForEachCubeWord(c, vars_, [&](std::size_t w, uint64_t m) {
        if (!(o[w] & m)) {
            d[w] = 0;
            return;
        }
        const uint64_t* p = &bits_[w * planes_];
        uint64_t higher = 0;
        for (int i = 2; i < planes_; ++i) higher |= p[i];
        const uint64_t once = p[0] & ~(planes_ > 1 ? p[1] : 0) & ~higher;
        const uint64_t twice = planes_ > 1 ? ~p[0] & p[1] & ~higher : 0;
        const bool inOther = ((static_cast<uint32_t>(w << 6) ^ other.val) & high) == 0;
        d[w] = o[w] & m & (once | (inOther ? twice & otherLow : 0));
    });
}

}  // namespace mwcore
