#include "report/Generate.h"

#include "engine/CarnoGrid.h"
#include "explain/Explain.h"
#include "explain/MethodSection.h"
#include "explain/ReportSection.h"
#include "files/HtmlExport.h"
#include "input/Sets.h"
#include "platform/Translate.h"
#include "report/ReportBuilder.h"
#include "report/ReportFiles.h"
#include "report/TruthTableSection.h"

namespace report {

bool GenerateReport(const TCarnoGrid& grid, const Choices& choices, TruthTableData& table,
                    const std::function<void(int)>& onTerm, std::string& page, std::string& error) {
    std::string pageTemplate;
    if (!ReadTemplate("report.inc", &pageTemplate, &error)) return false;

    Content content;
    content.method = grid.GlueMethod;
    for (int i = 1; i <= grid.VariableCount(); ++i) content.names.push_back(grid.VarName(i));
    content.formula = grid.ResultText();
    content.notation = choices.notation;
    if (choices.sets) {
        std::array<std::string, 3> sets;
        MapToSets(grid, sets[0], sets[1], sets[2]);
        content.sets = sets;
    }
    if (choices.truthTable) {
        std::string html;
        if (!TruthTableSection(grid, table, html, error)) return false;
        content.truthTableHtml = html;
    }
    std::vector<std::string> lines;
    if (choices.map) {
        SaveToHTMLTemp(grid, lines, -1);
        content.mapHtml = html::JoinLines(lines);
    }
    content.eachTerm = choices.eachTerm;
    if (choices.eachTerm) {
        const std::vector<std::string> nodeTexts = grid.ResultTermTexts();
        for (std::size_t k = 0; k < nodeTexts.size(); ++k) {
            if (onTerm) onTerm(static_cast<int>(k));
            SaveToHTMLTemp(grid, lines, static_cast<int>(k));
            content.terms.push_back({nodeTexts[k], html::JoinLines(lines)});
        }
    }
    if (choices.minimal) {
        explain::MapFunction f;
        if (explain::ReadMap(grid, grid.GlueMethod, f).ok) {
            const explain::Explanation e = explain::Explain(f);
            content.minimalHtml = explain::MinimalSolutionsHtml(e) +
                                  explain::StepByStepHtml(explain::StepByStep(f, e), e) +
                                  explain::HazardsHtml(f, e);
        }
    }
    std::string missing;
    const auto built = Build(pageTemplate, content, missing);
    if (!built) {
        error =
            platform::TranslateText("The report template lacks the placeholder") + " " + missing;
        return false;
    }
    page = *built;
    return true;
}

}  // namespace report
