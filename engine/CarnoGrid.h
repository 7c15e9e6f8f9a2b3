#pragma once
// TCarnoGrid: the Karnaugh map of 2 to 8 variables as logic. It owns the cell texts (kept for
// columns and rows 1..32 so hidden cells survive a smaller map), the geometry, the Gray tables,
// the variable names and the minimizer's lists. A view draws it; it draws nothing itself.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/Group.h"
#include "engine/ResultTree.h"
#include "platform/Message.h"

// Asked before an edit makes the results in the tree stale ("Results of analyze will be lost,
// Continue?"): true clears them and the edit goes on; false leaves map and results as they
// were. The window asks the user, the command line and the tests answer for themselves.
using ResultsQuestion = std::function<bool(platform::MsgIcon)>;

// Everything a map edit can change: the whole cell store (hidden cells too), the variable
// count, the names and the loaded mark. Undo puts one back as a whole.
struct TMapState {
    std::array<std::array<std::string, 32>, 32> Store{};
    int VariableCount = 4;
    std::array<std::string, 8> VarNames{};
    std::uint8_t LoadedMark = 0;
    bool operator==(const TMapState&) const = default;
};

// The map as truth-table values: entry m belongs to minterm m.
struct TTruthTableValues {
    std::uint8_t VariableCount = 0;
    std::array<char, 256> Values{};
};

class TCarnoGrid {
  public:
    static constexpr int kStoreSize = 32;             // columns and rows kept, hidden ones included
    static constexpr std::uint32_t kTeal = 0x808000;  // platform colour 0x00BBGGRR

    using GrayTable = std::array<std::string, 256>;

    TCarnoGrid();

    // --- cells: map positions are column 1..MapColumns(), row 1..MapRows() ---
    std::string Cells(int col, int row) const;  // never-written or out-of-store: empty
    void SetCells(int col, int row, const std::string& text);

    // --- geometry ---
    int VariableCount() const { return variableCount_; }
    // Out of 2..8 nothing changes ("Invalid number of variables" is the caller's to say).
    // Returns whether applied.
    bool SetVariableCount(int n);
    int ColumnVariableCount() const { return colVarCount_; }
    int RowVariableCount() const { return rowVarCount_; }
    int MapColumns() const { return 1 << colVarCount_; }
    int MapRows() const { return 1 << rowVarCount_; }
    int ColCount() const { return MapColumns() + 1; }  // grid, header included
    int RowCount() const { return MapRows() + 1; }

    // --- Gray tables, cell code and minterm number ---
    void GenGray();
    static void FillGrayTable(int k, GrayTable& table);
    const GrayTable& ColumnGray() const { return colGray_; }
    const GrayTable& RowGray() const { return rowGray_; }
    std::string CellCode(int col, int row) const;
    int MintermNumber(int col, int row) const;
    TCellPos PositionOfMinterm(int minterm) const;  // inverse of MintermNumber

    // --- variable names, index 1..8 ---
    const std::string& VarName(int i) const { return varNames_.at(i - 1); }
    void SetVarName(int i, const std::string& name) { varNames_.at(i - 1) = name; }

    // --- the whole state, for undo ---
    TMapState State() const;
    void SetState(const TMapState& state);

    // --- results shown in the tree ---
    // The tree holds results that an edit of the map would make stale.
    bool ResultsWouldBeLost() const;
    // Before an edit: asks when results would be lost. True (go on) clears every result, the
    // tree's and the lists; false means the user declined and nothing may change. Without a
    // question the edit goes on.
    bool ConfirmResultsLoss(const ResultsQuestion& ask, platform::MsgIcon icon);
    // Forgets the results of the last analysis: lists, formula and tree.
    void ClearResults();

    // --- cell operations ---
    // Every cell to text, hidden ones too, so that a larger map shows no older values; results
    // in the tree are the caller's to ask about first.
    void FillCard(const std::string& text);
    void CleareCard();  // empties the whole store, hidden cells too
    // False when a map cell holds anything but "", "0", "1" or "*" ("Invalid data in cell." is
    // the caller's to say).
    bool CheckCells() const;
    static bool IsCellText(const std::string& text);
    // The first cell CheckCells refuses, columns left to right, each top to bottom.
    std::optional<TCellPos> FirstBadCell() const;
    void Invert();
    static int ValueCode(const std::string& text);
    static std::string ByteToBinary(std::uint8_t value);
    static std::uint8_t BinaryValue(const std::string& text);

    // Formula and sets texts longer than this are refused unread: no map needs a fraction of it.
    static constexpr std::size_t kMaxTextLength = 1u << 20;
    // The formula language's answer for a text longer than kMaxTextLength.
    static constexpr int kTextTooLong = -1;

    // --- properties ---
    TGlueMethod GlueMethod = gmDNF;
    std::uint32_t TermColor = kTeal;
    ResultTree* TreeView = nullptr;    // not owned
    ProgressSink* Progress = nullptr;  // not owned
    std::uint8_t PackedFlag = 0;
    TGlueMethod FormulaType = gmDNF;  // how the formula language reads a formula
    std::uint8_t LoadedMark = 0;      // 2 after a map file was loaded
    // The function's own name as a truth table or PLA brought it, for the CSV writer to give
    // back; empty for a map of none.
    std::string FunctionName;

    // --- minimization by gluing ---
    // The analysis' entry (the design's name): checks the cells, glues and fills the tree;
    // false (nothing done) when a cell is refused.
    bool Test();
    void Glue();
    // One-way test: may g2 be glued to g1? Only g1's cells are examined.
    bool CanGlue(const TGroup& g1, const TGroup& g2) const;
    std::string GroupToTerm(const TGroup& g) const;  // the term writer
    // Another minimizer's terms become the result, written and put in the tree as Test does.
    void UseResult(std::vector<TGroup> groups);
    int ResultCount() const { return static_cast<int>(resultList_.size()); }
    bool IsCellOfTerm(int term, int col, int row) const;
    const std::string& ResultFormula() const { return resultFormula_; }
    // What the result tree shows: the formula node's text and each term's, the form's constant
    // standing in where a text is empty but a result exists.
    std::string ResultText() const;
    std::vector<std::string> ResultTermTexts() const;
    const std::vector<TGroup>& ResultList() const { return resultList_; }
    const std::vector<TGroupLevel>& LevelList() const { return levelList_; }
    const std::vector<TCellPos>& CoveredList() const { return coveredList_; }

  private:
    friend class Gluer;

    void FillTree();            // the formula node and one child per term
    void WriteResultFormula();  // the result terms' texts, joined

    std::array<std::array<std::string, kStoreSize>, kStoreSize> store_{};  // [col-1][row-1]
    int variableCount_ = 4;
    int colVarCount_ = 2;
    int rowVarCount_ = 2;
    GrayTable colGray_{};
    GrayTable rowGray_{};
    std::array<std::string, 8> varNames_{"A", "B", "C", "D", "E", "F", "G", "H"};
    int blockWidth_ = 4;

    std::vector<TCellPos> coveredList_;
    std::vector<TGroup> resultList_;
    std::vector<TGroupLevel> levelList_;
    std::string resultFormula_;
};
