#include "input/TruthTableData.h"

#include "platform/Message.h"
#include "platform/Translate.h"

TruthTableData::TruthTableData() {
    Resize(4, 1);
}

bool TruthTableData::Resize(int variables, int functions) {
    if (variables < 2 || variables > 8 || functions < 1 || functions > 4) {
        platform::Say("Invalid number of variables", platform::MsgIcon::Information,
                      platform::MsgButtons::Ok);
        return false;
    }
    // Input titles and the other function columns survive a resize where their columns do.
    std::vector<std::vector<std::string>> oldCells = std::move(cells_);
    std::vector<std::string> oldTitles = std::move(titles_);
    const int oldVariables = variableCount_;
    variableCount_ = variables;
    functionCount_ = functions;
    const int rows = RowCount();
    cells_.assign(ColCount(), std::vector<std::string>(rows));
    titles_.assign(ColCount(), {});
    for (int c = 0; c < variables && c < oldVariables; ++c) titles_[c] = oldTitles[c];
    for (int f = 2; f <= functions; ++f) {
        const int oldCol = oldVariables + f - 1;
        if (oldCol >= static_cast<int>(oldCells.size())) continue;
        for (int r = 1; r < rows && r < static_cast<int>(oldCells[oldCol].size()); ++r)
            cells_[FunctionColumn(f)][r] = oldCells[oldCol][r];
    }
    for (int f = 1; f <= functions; ++f) titles_[FunctionColumn(f)] = "F" + std::to_string(f);
    Fill();
    return true;
}

std::string TruthTableData::Cells(int col, int row) const {
    if (col < 0 || col >= ColCount() || row < 1 || row >= RowCount()) return {};
    return cells_[col][row];
}

void TruthTableData::SetCells(int col, int row, const std::string& text) {
    if (col < 0 || col >= ColCount() || row < 1 || row >= RowCount()) return;
    cells_[col][row] = text;
}

void TruthTableData::SetTitle(int col, const std::string& title) {
    if (col < 0 || col >= ColCount()) return;
    titles_[col] = title.substr(0, kMaxTitleLength);
}

void TruthTableData::Fill() {
    const int n = variableCount_;
    for (int r = 1; r < RowCount(); ++r) {
        const int m = r - 1;
        for (int v = 0; v < n; ++v) cells_[v][r] = ((m >> (n - 1 - v)) & 1) ? "1" : "0";
    }
    FillFunction("");
}

void TruthTableData::FillFunction(const std::string& value) {
    for (int r = 1; r < RowCount(); ++r) cells_[FunctionColumn(1)][r] = value;
}

int TruthTableData::TitleColumnWidth(
    int defaultWidth, const std::function<int(const std::string&)>& textWidth) const {
    for (const std::string& title : titles_) {
        const int w = textWidth(title);
        if (w > defaultWidth) defaultWidth = w + 10;
    }
    return defaultWidth;
}
