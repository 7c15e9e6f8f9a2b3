#include "core/ExchangeFormat.h"

namespace mwcore {

Problem ParseFunctionString(const std::string& text, int vars) {
    std::string s = text;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    const std::size_t size = std::size_t{1} << vars;
    if (s.size() != size)
        throw FormatError("the function string has " + std::to_string(s.size()) +
                          " characters; " + std::to_string(vars) + " variables need " +
                          std::to_string(size));
    TruthTable on(vars), dc(vars);
    for (std::size_t m = 0; m < size; ++m) {
        switch (s[m]) {
            case '1': on.Set(static_cast<uint32_t>(m)); break;
            case '2': dc.Set(static_cast<uint32_t>(m)); break;
            case '0': break;
            default:
                throw FormatError("invalid character in the function string at position " +
                                  std::to_string(m));
        }
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

std::vector<std::string> ResultLines(const Minimization& m) {
    const std::string open = m.minimum ? "<result minimum=\"true\">" : "<result minimum=\"false\">";
    const std::string close = "</result>";
    switch (m.kind) {
        case Minimization::Kind::Zero: return {open + "ZERO_FUN" + close};
        case Minimization::Kind::One: return {open + "ONE_FUN" + close};
        case Minimization::Kind::Sum: break;
    }
    std::vector<std::string> lines;
    for (const auto& cover : m.covers) {
        lines.push_back(open + CoverText(cover, kMaxVars) + close);
    }
    return lines;
}

}  // namespace mwcore
