#pragma once
// The truth table as logic: one header row of titles, then one row per minterm in counting
// order; the input columns (variable 1 leftmost) hold its bits, the function columns F1..Fk
// whatever the user typed. The TTruthTable widget only paints this and forwards edits.

#include <functional>
#include <string>
#include <vector>

class TCarnoGrid;

class TruthTableData {
  public:
    static constexpr int kDefaultColWidth = 25;
    static constexpr int kDefaultRowHeight = 20;
    static constexpr int kDefaultWidth = 180;
    static constexpr int kDefaultHeight = 365;
    static constexpr int kMaxFontPoints = 10;  // larger fonts are brought down to this
    static constexpr unsigned kFunctionTitleColor = 0xAAAAAA;  // platform colour 0x00BBGGRR
    static constexpr int kMaxTitleLength = 10;

    TruthTableData();

    // The table as HTML lines through three cell templates (header, argument, function value);
    // false when a template is not a one-argument format. Written with the other HTML writers
    // (files/TruthTableHtml.cpp).
    bool SaveToHTMLTemplate(const std::string& header, const std::string& body,
                            const std::string& last, std::vector<std::string>& out) const;

    int VariableCount() const { return variableCount_; }
    int FunctionCount() const { return functionCount_; }
    // Out of 2..8 variables or 1..4 functions: "Invalid number of variables", nothing changes.
    // Otherwise rebuilds the rows (see Fill) and writes the function titles.
    bool Resize(int variables, int functions);
    bool SetVariableCount(int n) { return Resize(n, functionCount_); }
    bool SetFunctionCount(int k) { return Resize(variableCount_, k); }

    // Header row included: 2^n + 1 rows, n + k columns.
    int RowCount() const { return (1 << variableCount_) + 1; }
    int ColCount() const { return variableCount_ + functionCount_; }
    int FunctionColumn(int f) const { return variableCount_ + f - 1; }  // f = 1..k, 0-based column
    bool IsFunctionColumn(int col) const { return col >= variableCount_; }

    // 0-based column, row 1.. for the minterm rows; outside the table reads empty.
    std::string Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);

    // Column titles: the input ones are the caller's, the function ones "F1".."Fk".
    const std::string& Title(int col) const { return titles_.at(col); }
    void SetTitle(int col, const std::string& title);

    // Input columns in counting order; F1 emptied; the other function columns kept.
    void Fill();
    // value into F1 of every row.
    void FillFunction(const std::string& value);

    // F1 of row m + 1 from minterm m's cell, its whole text (an empty cell stays empty), so
    // that copying the table back leaves the map as it was. Input titles from the map's names.
    void LoadFromMap(const TCarnoGrid& map);

    // The title row's default column width: measured left to right, a title wider than the
    // current width sets it to its width plus 10.
    int TitleColumnWidth(int defaultWidth,
                         const std::function<int(const std::string&)>& textWidth) const;

  private:
    int variableCount_ = 0;
    int functionCount_ = 0;
    std::vector<std::vector<std::string>> cells_;  // [col][row], row 0 unused
    std::vector<std::string> titles_;
};
