// Between the truth table and the map: both number rows and cells by minterm.

#include "input/TruthTableMap.h"

#include "engine/CarnoGrid.h"
#include "input/TruthTableData.h"

void FillCarnoCard(TCarnoGrid& map, const TruthTableData& table) {
    const int n = map.VariableCount();
    for (int r = 1; r < table.RowCount(); ++r) {
        // The input cells can be edited: a row whose code names no cell of this map is skipped
        // rather than guessed at.
        int minterm = 0;
        bool valid = table.VariableCount() == n;
        for (int v = 0; v < table.VariableCount() && valid; ++v) {
            const std::string bit = table.Cells(v, r);
            valid = bit == "0" || bit == "1";
            minterm = minterm * 2 + (bit == "1");
        }
        if (!valid) continue;
        const TCellPos p = map.PositionOfMinterm(minterm);
        map.SetCells(p.Col, p.Row, table.Cells(table.FunctionColumn(1), r));
    }
}

void MapToTruthTable(const TCarnoGrid& map, TTruthTableValues& values) {
    values.VariableCount = static_cast<std::uint8_t>(map.VariableCount());
    values.Values.fill(0);
    for (int m = 0; m < (1 << map.VariableCount()); ++m) {
        const TCellPos p = map.PositionOfMinterm(m);
        const std::string t = map.Cells(p.Col, p.Row);
        if (!t.empty()) values.Values[m] = t[0];
    }
}

void TruthTableData::LoadFromMap(const TCarnoGrid& map) {
    for (int v = 0; v < VariableCount() && v < map.VariableCount(); ++v)
        SetTitle(v, map.VarName(v + 1));
    for (int m = 0; m < (1 << VariableCount()) && m < (1 << map.VariableCount()); ++m) {
        const TCellPos p = map.PositionOfMinterm(m);
        SetCells(FunctionColumn(1), m + 1, map.Cells(p.Col, p.Row));
    }
}
