#include "core/ExchangeFormat.h"

#include <cstdio>

#include <algorithm>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace mwcore {

Problem ParseFunctionString(const std::string& text, int vars) {
    std::size_t length = text.size();
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) --length;
    const std::size_t size = std::size_t{1} << vars;
    if (length != size)
        throw FormatError("the function string has " + std::to_string(length) +
                          " characters; " + std::to_string(vars) + " variables need " +
                          std::to_string(size));
    TruthTable on(vars), dc(vars);
    // A word of 64 characters at a time: a 23-variable string is 8 MB.
    for (std::size_t w = 0; w * 64 < size; ++w) {
        const std::size_t count = std::min<std::size_t>(64, size - w * 64);
        const char* chars = text.data() + w * 64;
        uint64_t one = 0, free = 0, bad = 0;
#ifdef __SSE2__
        if (count == 64) {
            for (int part = 0; part < 4; ++part) {
                const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + part * 16));
                // Signed compare: every byte outside '0'..'2' (including bytes >= 0x80) is bad.
                const __m128i low = _mm_cmplt_epi8(c, _mm_set1_epi8('0'));
                const __m128i high = _mm_cmpgt_epi8(c, _mm_set1_epi8('2'));
                const int shift = part * 16;
                one |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(c, _mm_set1_epi8('1'))))) << shift;
                free |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(c, _mm_set1_epi8('2'))))) << shift;
                bad |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_or_si128(low, high)))) << shift;
            }
        } else
#endif
        {
            for (std::size_t i = 0; i < count; ++i) {
                const char c = chars[i];
                one |= uint64_t{c == '1'} << i;
                free |= uint64_t{c == '2'} << i;
                bad |= uint64_t{c < '0' || c > '2'} << i;
            }
        }
        if (bad)
            throw FormatError("invalid character in the function string at position " +
                              std::to_string(w * 64 + std::countr_zero(bad)));
        on.Words()[w] = one;
        dc.Words()[w] = free;
    }
    return Problem(std::move(on), std::move(dc));
}

std::string CoverText(const std::vector<Cube>& cover, int vars) {
    std::string out;
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (i) out += '+';
        for (int v = vars - 1; v >= 0; --v) {
            if (!(cover[i].mask & (1u << v))) continue;
            if (!(cover[i].val & (1u << v))) out += '|';
            out += 'x' + std::to_string(v + 1) + '*';
        }
    }
    return out;
}

std::string StatsAttributes(const MinimizeStats& s) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", s.seconds);
    return " nodes=\"" + std::to_string(s.nodes) + "\" work=\"" + std::to_string(s.work) + "\" bound=\"" +
           std::to_string(s.lowerProducts) + "\" proven=\"" + (s.proven ? "true" : "false") + "\" seconds=\"" +
           seconds + "\" stopped=\"" + StoppedByName(s.stoppedBy) + "\"";
}

std::vector<std::string> ResultLines(const Minimization& m) {
    // The first line also says what the core did; hosts that do not know the words skip them.
    const std::string claim = m.minimum ? "<result minimum=\"true\"" : "<result minimum=\"false\"";
    const std::string first = claim + StatsAttributes(m.stats) + ">";
    const std::string open = claim + ">";
    const std::string close = "</result>";
    switch (m.kind) {
        case Minimization::Kind::Zero: return {first + "ZERO_FUN" + close};
        case Minimization::Kind::One: return {first + "ONE_FUN" + close};
        case Minimization::Kind::Sum: break;
    }
    std::vector<std::string> lines;
    for (const auto& cover : m.covers) {
        lines.push_back((lines.empty() ? first : open) + CoverText(cover, kMaxVars) + close);
    }
    return lines;
}

}  // namespace mwcore
