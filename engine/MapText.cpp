#include "engine/MapText.h"

#include <vector>

namespace maptext {

namespace {

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> cells;
    const bool tabs = line.find('\t') != std::string::npos;
    const bool commas = !tabs && line.find(',') != std::string::npos;
    std::string cell;
    for (char ch : line) {
        const bool cut = tabs ? ch == '\t' : commas ? ch == ',' : ch == ' ';
        if (!cut) {
            if (!(commas && ch == ' ')) cell += ch;
            continue;
        }
        if (tabs || commas || !cell.empty()) cells.push_back(cell);
        cell.clear();
    }
    if (tabs || commas || !cell.empty()) cells.push_back(cell);
    return cells;
}

}  // namespace

std::string Copy(const TCarnoGrid& grid, int left, int top, int right, int bottom) {
    std::string out;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left) out += '\t';
            out += grid.Cells(c, r);
        }
        out += '\n';
    }
    return out;
}

bool Paste(TCarnoGrid& grid, int col, int row, const std::string& text) {
    if (text.size() > TCarnoGrid::kMaxTextLength) return false;
    std::size_t start = 0;
    for (int r = row; start < text.size(); ++r) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (r < 1 || r > grid.MapRows()) continue;
        const std::vector<std::string> cells = Split(line);
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const int c = col + static_cast<int>(k);
            if (c >= 1 && c <= grid.MapColumns()) grid.SetCells(c, r, cells[k]);
        }
    }
    return true;
}

}  // namespace maptext
