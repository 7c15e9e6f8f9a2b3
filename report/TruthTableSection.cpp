#include "report/TruthTableSection.h"

#include "engine/CarnoGrid.h"
#include "files/HtmlExport.h"
#include "files/TruthTableHtml.h"
#include "input/TruthTableData.h"
#include "input/TruthTableMap.h"
#include "platform/Translate.h"
#include "report/ReportFiles.h"

namespace report {

bool TruthTableSection(const TCarnoGrid& grid, TruthTableData& table, std::string& html,
                       std::string& error) {
    TTruthTableValues values;
    MapToTruthTable(grid, values);
    const int n = grid.VariableCount();
    table.SetVariableCount(n);
    table.Fill();
    for (int m = 0; m < (1 << n); ++m) {
        const char v = values.Values[m];
        table.SetCells(table.FunctionColumn(1), m + 1, v ? std::string(1, v) : std::string());
    }
    for (int i = 1; i <= n; ++i) table.SetTitle(i - 1, grid.VarName(i));

    std::string cells[3];
    const char* names[3] = {"ttcell1.inc", "ttcell2.inc", "ttcell3.inc"};
    for (int k = 0; k < 3; ++k) {
        std::string content;
        if (!ReadTemplate(names[k], &content, &error)) return false;
        cells[k] = html::TemplateText(content);
    }
    std::vector<std::string> lines;
    if (!html::TruthTableFromTemplates(table, cells[0], cells[1], cells[2], lines)) {
        error = platform::TranslateText("A truth table cell template must hold exactly one %s");
        return false;
    }
    html = html::JoinLines(lines);
    return true;
}

}  // namespace report
