#include "engine/Analyze.h"

bool AnalyzeMap(TCarnoGrid& grid, TGlueMethod method) {
    grid.GlueMethod = method;
    const std::string uncovered = method == gmKNF ? "1" : "0";
    for (int c = 1; c <= grid.MapColumns(); ++c)
        for (int r = 1; r <= grid.MapRows(); ++r)
            if (grid.Cells(c, r).empty()) grid.SetCells(c, r, uncovered);
    return grid.Test();
}
