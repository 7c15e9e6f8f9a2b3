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

class TruthTableData;
struct FunctionTable;

// Asked before an edit makes the results in the tree stale ("Results of analyze will be lost,
// Continue?"): true clears them; the edit goes on either way. The window asks the user, the
// command line and the tests answer for themselves; no question keeps the results.
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
    // Asks when results would be lost; a yes clears the tree.
    void ConfirmResultsLoss(const ResultsQuestion& ask, platform::MsgIcon icon);

    // --- cell operations ---
    // Every visible cell to text; results in the tree are the caller's to ask about first.
    void FillCard(const std::string& text);
    void CleareCard();  // empties the whole store, hidden cells too, after a load only
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
    // ValidateFormulaString's answer for a text longer than kMaxTextLength.
    static constexpr int kTextTooLong = -1;

    // --- formula language (input/Formula.cpp) ---
    // 0 when every literal names one of the variables 1..n, else the 1-based position (in the
    // text without spaces) of the first piece that does not; kTextTooLong for a text too long.
    int ValidateFormulaString(const std::string& text) const;
    // Sets the cells the formula covers: to "1" for a sum of products (FormulaType gmDNF), to
    // "0" for a product of sums (gmKNF); other cells keep their text. A text too long for
    // ValidateFormulaString changes nothing.
    void AnalyzeFormulaString(const std::string& text);

    // --- sets of minterm numbers (input/Sets.cpp) ---
    // Writes value into every cell the sets text names ("0-3,5,6"; spaces ignored; numbers
    // beyond the map skipped). Any character besides digits, "-" and "," refuses the whole
    // text with "Invalid symbol in string.", a text over kMaxTextLength with "The text is too
    // long.". Returns whether the text was read.
    bool AnalyzeWorkString(const std::string& text, const std::string& value);
    // The sets texts of the cells holding exactly "1", "0" and "*"; runs of three or more
    // numbers as ranges.
    void MapToSets(std::string& ones, std::string& zeros, std::string& dontCares) const;

    // --- truth table (input/TruthTableMap.cpp) ---
    // Every map cell from the table's F1 column, by each row's input code.
    void FillCarnoCard(const TruthTableData& table);
    // Entry m: the first character of minterm m's cell, 0 for an empty cell.
    void MapToTruthTable(TTruthTableValues& values) const;

    // --- map file (files/MapFile.cpp) ---
    // True when written; a failure is reported once and leaves any old file as it was.
    bool SaveToFile(const std::string& fileName);
    // True when the map was replaced; a missing file does nothing, a bad one is reported and
    // leaves the map, its variable count and the result tree as they were.
    bool LoadFromFile(const std::string& fileName, const ResultsQuestion& ask = {});

    // --- Boolean function file (files/BooleanFunctionFile.cpp) ---
    // The section "Boolean Function" with VarCount and the three sets texts; other sections and
    // keys of an existing file stay. True when written, a failure reported once.
    bool SaveToBooleanFunctionFile(const std::string& fileName) const;
    // Reads the three lists of such a file into the map (2 to 8 variables; names stay). A
    // missing file does nothing; a bad one is reported and leaves the map as it was.
    bool LoadFromBooleanFunctionFile(const std::string& fileName, const ResultsQuestion& ask = {});

    // --- exchange files (files/FunctionFile.cpp) ---
    // A CSV truth table of 2 to 8 inputs replaces the map's cells and variable count, and its
    // input names become the variable names where they suit a map. A missing file does nothing;
    // a bad one is reported (with its line) and leaves the map as it was. True when loaded.
    bool LoadFromCsvFile(const std::string& fileName, const ResultsQuestion& ask = {});
    // The visible map as a CSV truth table; cells that are not 0, 1, * or empty refuse the save.
    bool SaveToCsvFile(const std::string& fileName) const;
    // Takes a table of 2 to 8 inputs as LoadFromFile takes a file: asks before dropping results,
    // then replaces cells, variable count and (where they suit) names. False for another size.
    bool TakeFunctionTable(const FunctionTable& table, const ResultsQuestion& ask = {});

    // --- PLA (files/PlaFile.cpp; reading goes through ReadPlaForMap and TakeFunctionTable) ---
    // The visible map as type fd: compact cubes of its ones and of its don't cares, the names
    // as .ilb. Empty cells count as 0; cells the check refuses refuse the save.
    bool SaveToPlaFile(const std::string& fileName) const;
    // The last sum-of-products result as a type f cover; refused with a message when there is
    // none (or it is a product of sums).
    bool SaveResultToPlaFile(const std::string& fileName) const;

    // --- HTML exports (files/HtmlExport.cpp) ---
    // The map as an HTML page; true when written, a failure reported once.
    bool SaveToHTMLFile(const std::string& fileName) const;
    // Replaces list with the lines of the map's table, the cells of result term `term` (from 0)
    // in TermColor; -1 or a term that is not there marks nothing.
    void SaveToHTMLTemp(std::vector<std::string>& list, int term) const;
    // Names 1..n each followed by a blank, "\ " before the first column variable.
    std::string CornerText() const;

    // --- properties ---
    TGlueMethod GlueMethod = gmDNF;
    std::uint32_t TermColor = kTeal;
    ResultTree* TreeView = nullptr;    // not owned
    ProgressSink* Progress = nullptr;  // not owned
    std::uint8_t PackedFlag = 0;
    TGlueMethod FormulaType = gmDNF;  // how the formula language reads a formula
    std::uint8_t LoadedMark = 0;      // 2 after a map file was loaded

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
