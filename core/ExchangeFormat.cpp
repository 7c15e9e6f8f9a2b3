#include "core/ExchangeFormat.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

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

// Each literal's text made once, four variables at a time: a product of 23 inputs is six
// copies of a fixed size, not 23 appends (an answer after Cancel holds millions of products).
class ProductText {
  public:
    // Bytes a write may touch past the text it leaves.
    static constexpr std::size_t kSlack = 24;

    explicit ProductText(int vars) : all_(vars >= 32 ? ~0u : (1u << vars) - 1) {
        groups_ = (std::min(vars, 32) + 3) / 4;
        pieces_.resize(std::size_t(groups_) * 256);
        for (int g = 0; g < groups_; ++g)
            for (uint32_t mask = 0; mask < 16; ++mask)
                for (uint32_t val = mask;; val = (val - 1) & mask) {
                    std::string text;
                    for (int b = 3; b >= 0; --b) {
                        const int v = 4 * g + b;
                        if (!(mask & (1u << b)) || v >= vars) continue;
                        if (!(val & (1u << b))) text += '|';
                        text += 'x' + std::to_string(v + 1) + '*';
                    }
                    Piece& p = pieces_[Index(g, mask, val)];
                    std::memcpy(p.text, text.data(), text.size());  // at most four of "|x32*"
                    p.length = static_cast<uint8_t>(text.size());
                    if (val == 0) break;
                }
    }
    // The longest product's text.
    std::size_t MaxLength() const { return std::size_t(groups_) * sizeof(Piece::text); }
    // Writes c's literals, most significant variable first, at `at`, where MaxLength() + kSlack
    // bytes are free; returns the end of the text.
    char* Write(char* at, const Cube& c) const {
        const uint32_t mask = c.mask & all_, val = c.val & mask;
        for (int g = groups_ - 1; g >= 0; --g) {
            const uint32_t m = (mask >> (4 * g)) & 15;
            if (!m) continue;
            const Piece& p = pieces_[Index(g, m, (val >> (4 * g)) & 15)];
            std::memcpy(at, &p, sizeof p);
            at += p.length;
        }
        return at;
    }

  private:
    struct Piece {
        char text[23] = {};
        uint8_t length = 0;
    };
    static_assert(sizeof(Piece) <= kSlack);
    static std::size_t Index(int group, uint32_t mask, uint32_t val) {
        return std::size_t(group) * 256 + mask * 16 + val;
    }

    uint32_t all_;
    int groups_ = 0;
    std::vector<Piece> pieces_;
};

// Text made in one buffer of about a megabyte and handed on as it fills.
class TextOut {
  public:
    explicit TextOut(const TextSink& sink) : sink_(sink), buffer_(kSize + kRoom) {}
    void Append(std::string_view s) {
        while (!s.empty()) {
            if (used_ == kSize) Flush();
            const std::size_t n = std::min(s.size(), kSize - used_);
            std::memcpy(buffer_.data() + used_, s.data(), n);
            used_ += n;
            s.remove_prefix(n);
        }
    }
    // At least `n` (at most kRoom) bytes free at the returned place; Used says where the text ends.
    char* Room(std::size_t n) {
        if (used_ + n > kSize + kRoom) Flush();
        return buffer_.data() + used_;
    }
    void Used(const char* end) {
        used_ = static_cast<std::size_t>(end - buffer_.data());
        if (used_ >= kSize) Flush();
    }
    void Flush() {
        if (used_) sink_(std::string_view(buffer_.data(), used_));
        used_ = 0;
    }

    static constexpr std::size_t kRoom = 4096;

  private:
    static constexpr std::size_t kSize = std::size_t{1} << 20;
    const TextSink& sink_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

// The products of `cubes` for which `take` holds, joined by '+'.
template <class Cubes, class Take, class InOf>
void WriteCover(TextOut& out, const ProductText& text, const Cubes& cubes, Take&& take, InOf&& in) {
    const std::size_t room = text.MaxLength() + 1 + ProductText::kSlack;
    bool first = true;
    for (const auto& c : cubes) {
        if (!take(c)) continue;
        char* at = out.Room(room);
        if (!first) *at++ = '+';
        first = false;
        out.Used(text.Write(at, in(c)));
    }
}

// Appends cover's text to out.
void AppendCoverText(std::string& out, const std::vector<Cube>& cover, int vars) {
    const TextSink sink = [&](std::string_view piece) { out.append(piece); };
    TextOut text(sink);
    WriteCover(
        text, ProductText(vars), cover, [](const Cube&) { return true; },
        [](const Cube& c) { return c; });
    text.Flush();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
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

void WriteMultiResultText(const MultiMinimization& m, int outputs, const TextSink& sink) {
    const std::vector<MultiCube>& cover = m.cover;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", m.stats.seconds);
    const std::string claim = m.minimum ? " minimum=\"true\"" : " minimum=\"false\"";
    const ProductText text(kMaxVars);
    TextOut out(sink);
    // Where each output's products lie in the cover, and whether one is the constant one, in
    // one pass: a cover given output by output (after Cancel, millions of products) is then
    // read once more in all, not once per output.
    std::vector<std::size_t> begin(outputs, cover.size()), end(outputs, 0);
    std::vector<char> one(outputs, 0);
    for (std::size_t i = 0; i < cover.size(); ++i)
        for (int j = 0; j < outputs; ++j)
            if (cover[i].out.test(j)) {
                begin[j] = std::min(begin[j], i);
                end[j] = i + 1;
                one[j] = one[j] || cover[i].in.mask == 0;
            }
    for (int j = 0; j < outputs; ++j) {
        std::string tag = "<result output=\"" + std::to_string(j + 1) + "\"" + claim;
        if (j == 0)
            tag += " products=\"" + std::to_string(cover.size()) + "\" nodes=\"" +
                   std::to_string(m.stats.nodes) + "\" work=\"" + std::to_string(m.stats.work) +
                   "\" proven=\"" + (m.minimum ? "true" : "false") + "\" seconds=\"" + seconds +
                   "\" stopped=\"" + StoppedByName(m.stats.stoppedBy) + "\"";
        tag += ">";
        out.Append(tag);
        const bool any = begin[j] < end[j];
        if (!any || one[j])
            out.Append(any ? "ONE_FUN" : "ZERO_FUN");
        else
            WriteCover(
                out, text, std::span(cover.data() + begin[j], end[j] - begin[j]),
                [j](const MultiCube& c) { return c.out.test(j); },
                [](const MultiCube& c) { return c.in; });
        out.Append("</result>\n");
    }
    out.Flush();
}

std::vector<std::string> MultiResultLines(const MultiMinimization& m, int outputs) {
    std::string text;
    WriteMultiResultText(m, outputs, [&](std::string_view piece) { text.append(piece); });
    return SplitLines(text);
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

void WriteResultText(const Minimization& m, const TextSink& sink) {
    // The first line also says what the core did; hosts that do not know the words skip them.
    const std::string claim = m.minimum ? "<result minimum=\"true\"" : "<result minimum=\"false\"";
    const std::string first = claim + StatsAttributes(m.stats) + ">";
    const std::string close = "</result>\n";
    TextOut out(sink);
    switch (m.kind) {
        case Minimization::Kind::Zero:
            out.Append(first + "ZERO_FUN" + close);
            break;
        case Minimization::Kind::One:
            out.Append(first + "ONE_FUN" + close);
            break;
        case Minimization::Kind::Sum: {
            const ProductText text(kMaxVars);
            for (std::size_t i = 0; i < m.covers.size(); ++i) {
                out.Append(i == 0 ? first : claim + ">");
                WriteCover(
                    out, text, m.covers[i], [](const Cube&) { return true; },
                    [](const Cube& c) { return c; });
                out.Append(close);
            }
            break;
        }
    }
    out.Flush();
}

std::vector<std::string> ResultLines(const Minimization& m) {
    std::string text;
    WriteResultText(m, [&](std::string_view piece) { text.append(piece); });
    return SplitLines(text);
}

}  // namespace mwcore
