#include "files/MapText.h"

#include <vector>

#include "engine/CarnoGrid.h"
#include "platform/Text.h"

namespace maptext {

namespace {

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

std::string ColumnLabel(const TCarnoGrid& map, int col) {
    const int i = col - 1;
    return TCarnoGrid::ByteToBinary(static_cast<std::uint8_t>(i ^ (i >> 1)))
        .substr(8 - map.ColumnVariableCount());
}

std::string RowLabel(const TCarnoGrid& map, int row) {
    const int i = row - 1;
    return TCarnoGrid::ByteToBinary(static_cast<std::uint8_t>(i ^ (i >> 1)))
        .substr(8 - map.RowVariableCount());
}

std::optional<std::string> CellValue(const std::string& field) {
    const std::string v = platform::Trim(field, " \t\r");
    if (v == "0" || v == "1" || v.empty()) return v;
    if (v == "*" || v == "X" || v == "x" || v == "-") return std::string("*");
    return std::nullopt;
}

// Lines of fields, without the line break a spreadsheet puts after the last row.
std::vector<std::vector<std::string>> Table(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    std::vector<std::vector<std::string>> rows;
    for (std::string& line : SplitAt(text, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        rows.push_back(SplitAt(line, '\t'));
    }
    return rows;
}

// The rows are the map as MapAsText writes it: labels in the first row and column.
bool HasMapLabels(const TCarnoGrid& map, const std::vector<std::vector<std::string>>& rows) {
    if (static_cast<int>(rows.size()) != map.MapRows() + 1) return false;
    if (static_cast<int>(rows[0].size()) != map.MapColumns() + 1) return false;
    for (int c = 1; c <= map.MapColumns(); ++c)
        if (platform::Trim(rows[0][c], " \t\r") != ColumnLabel(map, c)) return false;
    for (int r = 1; r <= map.MapRows(); ++r)
        if (rows[r].empty() || platform::Trim(rows[r][0], " \t\r") != RowLabel(map, r))
            return false;
    return true;
}

}  // namespace

std::string MapAsText(const TCarnoGrid& map) {
    std::string rowNames, colNames;
    for (int k = 1; k <= map.VariableCount(); ++k) {
        std::string& names = k <= map.RowVariableCount() ? rowNames : colNames;
        names += (names.empty() ? "" : " ") + map.VarName(k);
    }
    std::string out = rowNames + " \\ " + colNames;
    for (int c = 1; c <= map.MapColumns(); ++c) out += "\t" + ColumnLabel(map, c);
    out += "\n";
    for (int r = 1; r <= map.MapRows(); ++r) {
        out += RowLabel(map, r);
        for (int c = 1; c <= map.MapColumns(); ++c) out += "\t" + map.Cells(c, r);
        out += "\n";
    }
    return out;
}

std::optional<FileProblem> PasteCells(TCarnoGrid& map, const std::string& text, int col, int row) {
    if (text.size() > kMaxPasteSize) return FileProblem{"The text is too long.", 0};
    std::vector<std::vector<std::string>> rows = Table(text);
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        return FileProblem{"There are no cells to paste.", 0};
    if (HasMapLabels(map, rows)) {
        rows.erase(rows.begin());
        for (auto& r : rows) r.erase(r.begin());
        col = row = 1;
    }
    std::vector<std::vector<std::string>> values(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int line = static_cast<int>(r) + 1;
        if (row + static_cast<int>(r) > map.MapRows() ||
            col + static_cast<int>(rows[r].size()) - 1 > map.MapColumns())
            return FileProblem{"The cells do not fit into the map from the selected cell.", line};
        for (const std::string& field : rows[r]) {
            const auto v = CellValue(field);
            if (!v) return FileProblem{"Only 0, 1, *, X, - and empty cells can be pasted.", line};
            values[r].push_back(*v);
        }
    }
    for (std::size_t r = 0; r < values.size(); ++r)
        for (std::size_t c = 0; c < values[r].size(); ++c)
            map.SetCells(col + static_cast<int>(c), row + static_cast<int>(r), values[r][c]);
    return std::nullopt;
}

}  // namespace maptext
