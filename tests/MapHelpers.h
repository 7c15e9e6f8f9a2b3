#pragma once
// Shared helpers for the map suites: filling a map from minterm lists and evaluating a
// formula text over the variable names (the forms the minimizer writes).

#include <string>
#include <vector>

#include "engine/CarnoGrid.h"

namespace testing_support {

// Sets every visible cell to `rest`, then the listed minterms.
inline void FillMinterms(TCarnoGrid& map, const std::vector<int>& ones,
                         const std::vector<int>& dc = {}, const std::string& one = "1",
                         const std::string& rest = "0") {
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, rest);
    for (int m : ones) {
        const TCellPos p = map.PositionOfMinterm(m);
        map.SetCells(p.Col, p.Row, one);
    }
    for (int m : dc) {
        const TCellPos p = map.PositionOfMinterm(m);
        map.SetCells(p.Col, p.Row, "*");
    }
}

// The minterms whose cell holds exactly text, in increasing order.
inline std::vector<int> MintermsWith(const TCarnoGrid& map, const std::string& text) {
    std::vector<int> out;
    for (int m = 0; m < (1 << map.VariableCount()); ++m) {
        const TCellPos p = map.PositionOfMinterm(m);
        if (map.Cells(p.Col, p.Row) == text) out.push_back(m);
    }
    return out;
}

// Value of a sum of products ("+" between terms, "*" inside) or a product of sums ("*"
// between terms, "+" inside) at a minterm; names are the map's variables 1..n.
inline bool Evaluate(const TCarnoGrid& map, const std::string& formula, bool productOfSums,
                     int minterm) {
    const int n = map.VariableCount();
    auto literalValue = [&](std::string lit) {
        bool neg = false;
        if (!lit.empty() && lit[0] == '|') {
            neg = true;
            lit.erase(0, 1);
        }
        for (int k = 1; k <= n; ++k)
            if (map.VarName(k) == lit) return (((minterm >> (n - k)) & 1) != 0) != neg;
        throw std::runtime_error("unknown literal " + lit);
    };
    const char outer = productOfSums ? '*' : '+';
    const char inner = productOfSums ? '+' : '*';
    auto split = [](const std::string& s, char c) {
        std::vector<std::string> out;
        std::size_t start = 0;
        for (;;) {
            std::size_t at = s.find(c, start);
            out.push_back(
                s.substr(start, at == std::string::npos ? std::string::npos : at - start));
            if (at == std::string::npos) break;
            start = at + 1;
        }
        return out;
    };
    if (formula == "1") return true;
    if (formula == "0") return false;
    if (formula.empty()) return productOfSums;  // an empty product is 1, an empty sum 0
    bool result = productOfSums;
    for (const std::string& term : split(formula, outer)) {
        bool termValue = !productOfSums;
        for (const std::string& lit : split(term, inner)) {
            const bool v = literalValue(lit);
            termValue = productOfSums ? (termValue || v) : (termValue && v);
        }
        result = productOfSums ? (result && termValue) : (result || termValue);
    }
    return result;
}

}  // namespace testing_support
