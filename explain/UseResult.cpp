#include "explain/UseResult.h"

#include "engine/Analyze.h"

namespace explain {

bool UseSolution(TCarnoGrid& grid, const MapFunction& explained, const Explanation& e, int s) {
    if (s < 0 || s >= static_cast<int>(e.solutions.size())) return false;
    std::vector<std::vector<int>> terms;
    for (int p : e.solutions[s].primes) terms.push_back(e.primes.at(p).minterms);
    return UseCover(grid, explained, terms);
}

bool UseCover(TCarnoGrid& grid, const MapFunction& explained,
              const std::vector<std::vector<int>>& terms) {
    MapFunction now;
    if (!ReadMap(grid, explained.form, now).ok || now.vars != explained.vars ||
        now.values != explained.values)
        return false;
    const std::string uncovered = explained.form == gmKNF ? "1" : "0";
    for (int c = 1; c <= grid.MapColumns(); ++c)
        for (int r = 1; r <= grid.MapRows(); ++r)
            if (grid.Cells(c, r).empty()) grid.SetCells(c, r, uncovered);
    grid.GlueMethod = explained.form;
    std::vector<TGroup> groups;
    for (const std::vector<int>& term : terms) {
        TGroup g;
        for (int m : term) {
            const TCellPos pos = grid.PositionOfMinterm(m);
            g.Cells.push_back(
                {pos.Col, pos.Row,
                 static_cast<std::uint8_t>(TCarnoGrid::ValueCode(grid.Cells(pos.Col, pos.Row)))});
            g.Positions.Set((pos.Col - 1) * grid.MapRows() + (pos.Row - 1));
        }
        g.Count = static_cast<std::uint16_t>(g.Cells.size());
        groups.push_back(std::move(g));
    }
    grid.UseResult(std::move(groups));
    return true;
}

bool AnalyzeMapExactly(TCarnoGrid& grid, TGlueMethod method) {
    if (!AnalyzeMap(grid, method)) return false;
    MapFunction f;
    ReadMap(grid, method, f);
    Limits first;
    first.maxSolutions = 1;
    first.countWork = 0;
    first.compareGluing = false;
    const Explanation e = Explain(f, first);
    // Without a proven minimum the gluing's result stays.
    if (!e.timedOut && e.proven) UseSolution(grid, f, e, 0);
    return true;
}

}  // namespace explain
