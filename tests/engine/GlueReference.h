#pragma once
// The gluing steps transcribed literally, with plain lists and pairwise comparisons and
// without any of the masks and indexes of the real minimizer: slow, but an independent
// reading to hold the real one against.

#include <algorithm>
#include <string>
#include <vector>

#include "engine/CarnoGrid.h"
#include "engine/Neighbours.h"

namespace reference {

inline bool Holds(const TGroup& g, int col, int row) {
    return std::any_of(g.Cells.begin(), g.Cells.end(),
                       [&](const TCellRef& x) { return x.Col == col && x.Row == row; });
}

inline bool AllCellsAmong(const TGroup& inner, const TGroup& outer) {
    return std::all_of(inner.Cells.begin(), inner.Cells.end(),
                       [&](const TCellRef& x) { return Holds(outer, x.Col, x.Row); });
}

struct Result {
    std::vector<TGroup> groups;
    std::string formula;
};

inline Result Glue(const TCarnoGrid& map) {
    const bool knf = map.GlueMethod == gmKNF;
    const std::string target = knf ? "0" : "1";
    const std::uint8_t targetCode = knf ? 1 : 0;
    const int C = map.MapColumns(), R = map.MapRows();
    std::vector<TGroupLevel> levels{{1, {}}, {2, {}}};
    int T = 0;

    auto appendPair = [&](int c, int r, const std::string& t, int qc, int qr,
                          const std::string& tq) {
        TGroup g;
        g.Count = 2;
        g.Cells = {{std::uint8_t(c), std::uint8_t(r), std::uint8_t(TCarnoGrid::ValueCode(t))},
                   {std::uint8_t(qc), std::uint8_t(qr), std::uint8_t(TCarnoGrid::ValueCode(tq))}};
        for (const TGroup& e : levels[1].Groups)
            if (AllCellsAmong(e, g) && AllCellsAmong(g, e)) return;
        levels[1].Groups.push_back(g);
    };
    for (int c = 1; c <= C; ++c) {
        for (int r = 1; r <= R; ++r) {
            const std::string t = map.Cells(c, r);
            if (t == target) {
                ++T;
                bool any = false;
                for (auto q : neighbours::OfCell(c, r, C, R)) {
                    const std::string tq = map.Cells(q.col, q.row);
                    if (tq == t || tq == "*") {
                        any = true;
                        appendPair(c, r, t, q.col, q.row, tq);
                    }
                }
                if (!any)
                    levels[0].Groups.push_back(
                        {1, {{std::uint8_t(c), std::uint8_t(r), targetCode}}, 0, {}});
            } else if (t == "*") {
                for (auto q : neighbours::OfCell(c, r, C, R)) {
                    const std::string tq = map.Cells(q.col, q.row);
                    if (tq == "*" || tq == target) appendPair(c, r, t, q.col, q.row, tq);
                }
            }
        }
    }
    unsigned s = 2;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (levels[i].Size != s || levels[i].Groups.empty()) continue;
        s *= 2;
        levels.push_back({std::uint16_t(s), {}});
        const std::vector<TGroup> L = levels[i].Groups;
        for (std::size_t a = 0; a < L.size(); ++a) {
            for (std::size_t b = a + 1; b < L.size(); ++b) {
                if (L[a].Count != L[b].Count || !map.CanGlue(L[a], L[b])) continue;
                TGroup g;
                g.Count = L[a].Count + L[b].Count;
                g.Cells = L[a].Cells;
                g.Cells.insert(g.Cells.end(), L[b].Cells.begin(), L[b].Cells.end());
                auto& out = levels.back().Groups;
                if (std::none_of(out.begin(), out.end(),
                                 [&](const TGroup& e) { return AllCellsAmong(e, g); }))
                    out.push_back(g);
            }
        }
    }
    Result res;
    std::vector<std::pair<int, int>> covered;
    auto isCovered = [&](int c, int r) {
        return std::find(covered.begin(), covered.end(), std::pair{c, r}) != covered.end();
    };
    for (std::size_t li = levels.size() - 2; li != 0 && int(covered.size()) < T; --li) {
        auto& L = levels[li].Groups;
        int best = 0;
        for (;;) {
            if (std::all_of(L.begin(), L.end(), [](const TGroup& g) { return g.Picked; }) ||
                int(covered.size()) == T)
                break;
            int cand = -1;
            for (std::size_t k = 0; k < L.size(); ++k) {
                TGroup& g = L[k];
                if (std::all_of(g.Cells.begin(), g.Cells.end(), [&](const TCellRef& x) {
                        return map.Cells(x.Col, x.Row) == "*";
                    })) {
                    g.Picked = 1;
                    continue;
                }
                if (!g.Picked && g.Count >= best) {
                    cand = int(k);
                    best = g.Count;
                }
            }
            if (cand < 0) break;
            res.groups.push_back(L[cand]);
            L[cand].Picked = 1;
            for (const TCellRef& x : L[cand].Cells)
                if (map.Cells(x.Col, x.Row) != "*" && !isCovered(x.Col, x.Row))
                    covered.push_back({x.Col, x.Row});
        }
    }
    for (const TGroup& g : levels[0].Groups) res.groups.push_back(g);

    auto& list = res.groups;
    for (std::size_t p = 0; p < list.size();) {
        bool removed = false;
        for (std::size_t q = 0; q < list.size() && !removed; ++q)
            if (q != p && AllCellsAmong(list[p], list[q])) removed = true;
        if (removed)
            list.erase(list.begin() + p);
        else
            ++p;
    }
    auto targetCells = [&](const TGroup& g) {
        return int(std::count_if(g.Cells.begin(), g.Cells.end(),
                                 [&](const TCellRef& x) { return x.Code == targetCode; }));
    };
    for (std::size_t p = 0; p < list.size();) {
        int F = 0;
        for (const TCellRef& x : list[p].Cells) {
            if (x.Code != targetCode) continue;
            for (std::size_t q = 0; q < list.size(); ++q)
                if (q != p && Holds(list[q], x.Col, x.Row)) {
                    ++F;
                    break;
                }
        }
        bool dominated = false;
        for (std::size_t q = 0; q < list.size() && !dominated; ++q) {
            if (q == p || targetCells(list[q]) <= targetCells(list[p])) continue;
            dominated =
                std::all_of(list[p].Cells.begin(), list[p].Cells.end(), [&](const TCellRef& x) {
                    return x.Code != targetCode || Holds(list[q], x.Col, x.Row);
                });
        }
        if (F == list[p].Count || dominated)
            list.erase(list.begin() + p);
        else
            ++p;
    }
    for (std::size_t k = 0; k < list.size(); ++k)
        res.formula += (k ? (knf ? "*" : "+") : "") + map.GroupToTerm(list[k]);
    return res;
}

}  // namespace reference
