#include "core/ExchangeFormat.h"

#include <algorithm>
#include <bit>
#include <cstdio>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace mwcore {

Problem ParseFunctionString(const std::string& text, int vars) {
    std::size_t length = text.size();
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) --length;
    const std::size_t size = std::size_t{1} << vars;
    if (length != size)
        throw FormatError("the function string has " + std::to_string(length) + " characters; " +
                          std::to_string(vars) + " variables need " + std::to_string(size));
    TruthTable on(vars), dc(vars);
    // A word of 64 characters at a time: a 23-variable string is 8 MB.
    for (std::size_t w = 0; w * 64 < size; ++w) {
        const std::size_t count = std::min<std::size_t>(64, size - w * 64);
        const char* chars = text.data() + w * 64;
        uint64_t one = 0, free = 0, bad = 0;
#ifdef __SSE2__
        if (count == 64) {
            for (int part = 0; part < 4; ++part) {
                const __m128i c =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + part * 16));
                // Signed compare: every byte outside '0'..'2' (including bytes >= 0x80) is bad.
                const __m128i low = _mm_cmplt_epi8(c, _mm_set1_epi8('0'));
                const __m128i high = _mm_cmpgt_epi8(c, _mm_set1_epi8('2'));
                const int shift = part * 16;
                one |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(c, _mm_set1_epi8('1')))))
                       << shift;
                free |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(c, _mm_set1_epi8('2')))))
                        << shift;
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

namespace {

// The characters [first, last] as the aligned blocks of minterms they are made of: at most
// two per variable for any run, so a list of ranges stays a few cubes.
template <typename Fn>
void ForEachBlock(std::size_t first, std::size_t last, int vars, Fn&& fn) {
    const uint32_t all = vars >= 32 ? ~0u : (1u << vars) - 1;
    while (first <= last) {
        int k = 0;
        while (k < vars && (first & ((std::size_t{2} << k) - 1)) == 0 &&
               first + (std::size_t{2} << k) - 1 <= last)
            ++k;
        const uint32_t mask = all & ~((1u << k) - 1);
        fn(Cube{mask, static_cast<uint32_t>(first) & mask});
        first += std::size_t{1} << k;
    }
}

// Appends cover's text to out: each literal's text made once, no temporaries per literal (an
// answer after Cancel can hold millions of products).
void AppendCoverText(std::string& out, const std::vector<Cube>& cover, int vars) {
    std::vector<std::string> plain(vars), negated(vars);
    for (int v = 0; v < vars; ++v) {
        plain[v] = 'x' + std::to_string(v + 1) + '*';
        negated[v] = '|' + plain[v];
    }
    std::size_t literals = 0;
    for (const Cube& c : cover) literals += std::popcount(c.mask);
    out.reserve(out.size() + cover.size() + literals * (vars >= 10 ? 5 : 4));
    for (std::size_t i = 0; i < cover.size(); ++i) {
        if (i) out += '+';
        for (int v = vars - 1; v >= 0; --v) {
            if (!(cover[i].mask & (1u << v))) continue;
            out += cover[i].val & (1u << v) ? plain[v] : negated[v];
        }
    }
}

}  // namespace

MultiProblem ParseFunctionStrings(const std::string& text, int vars, int outputs) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (static_cast<int>(lines.size()) != outputs)
        throw FormatError("the exchange file holds " + std::to_string(lines.size()) +
                          " function strings; " + std::to_string(outputs) + " were announced");
    MultiProblem p(vars, outputs);
    for (int j = 0; j < outputs; ++j) {
        try {
            ParseFunctionString(lines[j], vars);  // the checks and their messages
        } catch (const FormatError& e) {
            throw FormatError("function " + std::to_string(j + 1) + ": " + e.what());
        }
        const std::string& f = lines[j];
        for (std::size_t m = 0; m < f.size();) {
            std::size_t end = m;
            while (end + 1 < f.size() && f[end + 1] == f[m]) ++end;
            if (f[m] == '1') ForEachBlock(m, end, vars, [&](const Cube& c) { p.AddOn(j, c); });
            if (f[m] == '2') ForEachBlock(m, end, vars, [&](const Cube& c) { p.AddDc(j, c); });
            m = end + 1;
        }
    }
    p.Finish(true);
    return p;
}

std::vector<std::string> MultiResultLines(const MultiMinimization& m, int outputs) {
    const std::vector<MultiCube>& cover = m.cover;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", m.stats.seconds);
    const std::string claim = m.minimum ? " minimum=\"true\"" : " minimum=\"false\"";
    std::vector<std::string> lines;
    for (int j = 0; j < outputs; ++j) {
        std::vector<Cube> mine;
        for (const MultiCube& c : cover)
            if (c.out.test(j)) mine.push_back(c.in);
        std::string line = "<result output=\"" + std::to_string(j + 1) + "\"" + claim;
        if (j == 0)
            line += " products=\"" + std::to_string(cover.size()) + "\" nodes=\"" +
                    std::to_string(m.stats.nodes) + "\" work=\"" + std::to_string(m.stats.work) +
                    "\" proven=\"" + (m.minimum ? "true" : "false") + "\" seconds=\"" + seconds +
                    "\" stopped=\"" + StoppedByName(m.stats.stoppedBy) + "\"";
        line += ">";
        const bool one =
            std::any_of(mine.begin(), mine.end(), [](const Cube& c) { return c.mask == 0; });
        if (mine.empty() || one)
            line += mine.empty() ? "ZERO_FUN" : "ONE_FUN";
        else
            AppendCoverText(line, mine, kMaxVars);
        line += "</result>";
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string CoverText(const std::vector<Cube>& cover, int vars) {
    std::string out;
    AppendCoverText(out, cover, vars);
    return out;
}

std::string StatsAttributes(const MinimizeStats& s) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", s.seconds);
    return " nodes=\"" + std::to_string(s.nodes) + "\" work=\"" + std::to_string(s.work) +
           "\" bound=\"" + std::to_string(s.lowerProducts) + "\" proven=\"" +
           (s.proven ? "true" : "false") + "\" seconds=\"" + seconds + "\" stopped=\"" +
           StoppedByName(s.stoppedBy) + "\"";
}

std::vector<std::string> ResultLines(const Minimization& m) {
    // The first line also says what the core did; hosts that do not know the words skip them.
    const std::string claim = m.minimum ? "<result minimum=\"true\"" : "<result minimum=\"false\"";
    const std::string first = claim + StatsAttributes(m.stats) + ">";
    const std::string open = claim + ">";
    const std::string close = "</result>";
    switch (m.kind) {
        case Minimization::Kind::Zero:
            return {first + "ZERO_FUN" + close};
        case Minimization::Kind::One:
            return {first + "ONE_FUN" + close};
        case Minimization::Kind::Sum:
            break;
    }
    std::vector<std::string> lines;
    for (const auto& cover : m.covers) {
        std::string line = lines.empty() ? first : open;
        AppendCoverText(line, cover, kMaxVars);
        line += close;
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace mwcore
