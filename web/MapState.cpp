#include "web/MapState.h"

#include <charconv>

namespace web {

bool ParseState(const std::string& vars, const std::string& names, const std::string& cells,
                MapState& out) {
    int n = 0;
    const auto [end, error] = std::from_chars(vars.data(), vars.data() + vars.size(), n);
    if (error != std::errc() || end != vars.data() + vars.size() || n < 2 || n > 8) return false;
    out.vars = n;
    out.names.clear();
    const std::size_t titleMark = names.find('\x1e');
    out.title = titleMark == std::string::npos ? std::string() : names.substr(titleMark + 1);
    const std::string list = names.substr(0, titleMark);
    std::string name;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        if (i == list.size() || list[i] == '\x1d') {
            out.names.push_back(name);
            name.clear();
        } else {
            name += list[i];
        }
    }
    if (list.empty()) out.names.clear();
    out.cells = cells.substr(0, std::size_t{1} << n);
    return true;
}

void ToGrid(const MapState& state, TCarnoGrid& grid) {
    grid.SetVariableCount(state.vars);
    grid.FunctionName = state.title;
    for (std::size_t i = 0; i < state.names.size() && i < 8; ++i)
        if (!state.names[i].empty()) grid.SetVarName(static_cast<int>(i) + 1, state.names[i]);
    const int size = 1 << state.vars;
    for (int m = 0; m < size; ++m) {
        const char c = m < static_cast<int>(state.cells.size()) ? state.cells[m] : '-';
        const TCellPos p = grid.PositionOfMinterm(m);
        grid.SetCells(p.Col, p.Row, c == '-' ? std::string() : std::string(1, c));
    }
}

MapState FromGrid(const TCarnoGrid& grid) {
    MapState s;
    s.vars = grid.VariableCount();
    s.title = grid.FunctionName;
    for (int i = 1; i <= s.vars; ++i) s.names.push_back(grid.VarName(i));
    const int size = 1 << s.vars;
    for (int m = 0; m < size; ++m) {
        const TCellPos p = grid.PositionOfMinterm(m);
        const std::string text = grid.Cells(p.Col, p.Row);
        if (text.empty())
            s.cells += '-';
        else if (text == "1" || text == "0" || text == "*")
            s.cells += text;
        else
            s.cells += '?';  // the check names the cell when the map is analysed
    }
    return s;
}

void WriteState(JsonOut& json, const MapState& state) {
    json.Key("vars").Number(state.vars).Key("names").Texts(state.names);
    json.Key("cells").Text(state.cells).Key("title").Text(state.title);
}

std::string Layouts() {
    JsonOut json;
    json.Open('[');
    for (int n = 2; n <= 8; ++n) {
        TCarnoGrid grid;
        grid.SetVariableCount(n);
        json.Open('{').Key("vars").Number(n);
        json.Key("colVars").Number(grid.ColumnVariableCount());
        json.Key("rowVars").Number(grid.RowVariableCount());
        std::vector<std::string> colLabels, rowLabels;
        // Each label is the last bits of its Gray entry, one per variable on that side.
        const auto tail = [](const std::string& e, int k) { return e.substr(e.size() - k); };
        for (int c = 0; c < grid.MapColumns(); ++c)
            colLabels.push_back(tail(grid.ColumnGray()[c], grid.ColumnVariableCount()));
        for (int r = 0; r < grid.MapRows(); ++r)
            rowLabels.push_back(tail(grid.RowGray()[r], grid.RowVariableCount()));
        json.Key("colGray").Texts(colLabels).Key("rowGray").Texts(rowLabels);
        std::vector<int> minterms;  // row by row
        for (int r = 1; r <= grid.MapRows(); ++r)
            for (int c = 1; c <= grid.MapColumns(); ++c)
                minterms.push_back(grid.MintermNumber(c, r));
        json.Key("minterms").Numbers(minterms).Close();
    }
    return json.Close().Str();
}

}  // namespace web
