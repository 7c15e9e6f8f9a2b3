#include "engine/CarnoGrid.h"

TCarnoGrid::TCarnoGrid() {
    SetVariableCount(4);
}

std::string TCarnoGrid::Cells(int col, int row) const {
    if (col < 1 || row < 1 || col > kStoreSize || row > kStoreSize) return {};
    return store_[col - 1][row - 1];
}

void TCarnoGrid::SetCells(int col, int row, const std::string& text) {
    if (col < 1 || row < 1 || col > kStoreSize || row > kStoreSize) return;
    store_[col - 1][row - 1] = text;
}

TMapState TCarnoGrid::State() const {
    return {store_, variableCount_, varNames_, LoadedMark};
}

void TCarnoGrid::SetState(const TMapState& state) {
    store_ = state.Store;
    varNames_ = state.VarNames;
    LoadedMark = state.LoadedMark;
    if (state.VariableCount != variableCount_) SetVariableCount(state.VariableCount);
}

bool TCarnoGrid::SetVariableCount(int n) {
    if (n < 2 || n > 8) return false;
    colVarCount_ = (n + 1) / 2;
    rowVarCount_ = n / 2;
    variableCount_ = n;
    GenGray();
    return true;
}

void TCarnoGrid::GenGray() {
    FillGrayTable(rowVarCount_, rowGray_);
    FillGrayTable(colVarCount_, colGray_);
}

void TCarnoGrid::FillGrayTable(int k, GrayTable& table) {
    if (k > 8) return;
    std::array<int, 256> value{};
    value[0] = 0;
    value[1] = 1;
    table[0] = "00000000";
    table[1] = "00000001";
    for (int j = 1; j <= k; ++j) {
        const int h = 1 << (j - 1);
        for (int i = 0; i < h; ++i) {
            value[h + i] = h + value[h - 1 - i];
            table[h + i] = ByteToBinary(static_cast<std::uint8_t>(value[h + i]));
        }
    }
}

std::string TCarnoGrid::CellCode(int col, int row) const {
    const std::string& r = rowGray_[row - 1];
    const std::string& c = colGray_[col - 1];
    return r.substr(r.size() - rowVarCount_) + c.substr(c.size() - colVarCount_);
}

int TCarnoGrid::MintermNumber(int col, int row) const {
    auto gray = [](int i) { return i ^ (i >> 1); };
    return (gray(row - 1) << colVarCount_) + gray(col - 1);
}

TCellPos TCarnoGrid::PositionOfMinterm(int minterm) const {
    auto inverseGray = [](int g) {
        int i = 0;
        for (; g; g >>= 1) i ^= g;
        return i;
    };
    const int colBits = minterm & ((1 << colVarCount_) - 1);
    const int rowBits = minterm >> colVarCount_;
    return {static_cast<std::uint8_t>(inverseGray(colBits) + 1),
            static_cast<std::uint8_t>(inverseGray(rowBits) + 1)};
}

bool TCarnoGrid::ResultsWouldBeLost() const {
    return TreeView && TreeView->NodeCount() != 0;
}

bool TCarnoGrid::ConfirmResultsLoss(const ResultsQuestion& ask, platform::MsgIcon icon) {
    if (ResultsWouldBeLost() && ask && !ask(icon)) return false;
    ClearResults();
    return true;
}

void TCarnoGrid::ClearResults() {
    coveredList_.clear();
    resultList_.clear();
    levelList_.clear();
    resultFormula_.clear();
    if (TreeView) TreeView->Clear();
}

void TCarnoGrid::FillCard(const std::string& text) {
    for (auto& column : store_)
        for (auto& cell : column) cell = text;
    LoadedMark = 0;
}

void TCarnoGrid::CleareCard() {
    FillCard("");
}

bool TCarnoGrid::IsCellText(const std::string& text) {
    return text.empty() || text == "0" || text == "1" || text == "*";
}

std::optional<TCellPos> TCarnoGrid::FirstBadCell() const {
    for (int c = 1; c <= MapColumns(); ++c)
        for (int r = 1; r <= MapRows(); ++r)
            if (!IsCellText(store_[c - 1][r - 1]))
                return TCellPos{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r)};
    return std::nullopt;
}

bool TCarnoGrid::CheckCells() const {
    return !FirstBadCell();
}

void TCarnoGrid::Invert() {
    for (int c = 1; c <= MapColumns(); ++c) {
        for (int r = 1; r <= MapRows(); ++r) {
            std::string& t = store_[c - 1][r - 1];
            if (t == "1")
                t = "0";
            else if (t == "0")
                t = "1";
        }
    }
}

int TCarnoGrid::ValueCode(const std::string& text) {
    if (text.empty()) return 2;
    if (text[0] == '1') return 0;
    if (text[0] == '0') return 1;
    return 2;
}

std::string TCarnoGrid::ByteToBinary(std::uint8_t value) {
    std::string s(8, '0');
    for (int i = 0; i < 8; ++i)
        if (value & (0x80 >> i)) s[i] = '1';
    return s;
}

std::uint8_t TCarnoGrid::BinaryValue(const std::string& text) {
    const std::string s = text.substr(0, 8);
    unsigned v = 0;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] == '1') v += 1u << (s.size() - 1 - i);
    return static_cast<std::uint8_t>(v);
}

bool TCarnoGrid::IsCellOfTerm(int term, int col, int row) const {
    if (term < 0 || term >= ResultCount()) return false;
    for (const TCellRef& cell : resultList_[term].Cells)
        if (cell.Col == col && cell.Row == row) return true;
    return false;
}
