#include "explain/ReportSection.h"

#include "explain/Sentences.h"
#include "files/HtmlExport.h"
#include "platform/Translate.h"

namespace explain {

namespace {

std::string T(const std::string& english) {
    return html::Escape(platform::TranslateText(english));
}

std::string Cell(const std::string& text) {
    return "<td>" + text + "</td>";
}
std::string Head(const std::string& text) {
    return "<th>" + text + "</th>";
}

}  // namespace

std::string MinimalSolutionsHtml(const Explanation& e) {
    const char* table = R"(<table cellpadding="5" width="100%" align="center" border="1">)";
    std::string out = "<h3 align=\"center\">" + T("Minimal solutions") + "</h3>\r\n";
    out += "<p>" + html::Escape(ComparisonLine(e)) + "</p>\r\n";
    if (e.timedOut) return out;

    out += "<p>" + T(e.form == gmKNF ? "Prime implicates" : "Prime implicants") + "</p>\r\n";
    out += std::string(table) + "<tr>" + Head(T("Prime")) + Head(T("Term")) + Head(T("Cells")) +
           Head(T("Literals")) + Head(T("Essential")) + "</tr>\r\n";
    for (std::size_t i = 0; i < e.primes.size(); ++i) {
        const Prime& p = e.primes[i];
        const std::string essential =
            p.essential ? html::Escape(Fill(platform::TranslateText("yes, by cell %1"),
                                            {std::to_string(p.essentialCell)}))
                        : std::string("&nbsp;");
        out += "<tr>" + Cell(PrimeLabel(static_cast<int>(i))) + Cell(html::Escape(p.text)) +
               Cell(CellList(p.minterms)) + Cell(std::to_string(p.literals)) + Cell(essential) +
               "</tr>\r\n";
    }
    out += "</table>\r\n";

    out += "<p>" + T("Prime chart") + "</p>\r\n";
    if (!e.targets.empty() && e.targets.size() * e.primes.size() <= kReportChartCells) {
        out += std::string(table) + "<tr>" + Head("&nbsp;");
        for (std::size_t i = 0; i < e.primes.size(); ++i)
            out += Head(PrimeLabel(static_cast<int>(i)));
        out += "</tr>\r\n";
        for (int m : e.targets) {
            out += "<tr>" + Head(std::to_string(m));
            for (const Prime& p : e.primes)
                out += Cell(p.cube.Has(static_cast<uint32_t>(m)) ? "&times;" : "&nbsp;");
            out += "</tr>\r\n";
        }
        out += "</table>\r\n";
    } else if (!e.targets.empty()) {
        out += "<p>" + T("The chart is too large to show here.") + "</p>\r\n";
    }
    out += "<ol>\r\n";
    for (const ChartStep& step : e.steps)
        out += "<li>" + html::Escape(StepSentence(step, e)) + "</li>\r\n";
    out += "</ol>\r\n";

    out += "<p>" + html::Escape(CountText(e)) + "</p>\r\n";
    out += std::string(table) + "<tr>" + Head("#") + Head(T("Formula")) + Head(T("Terms")) +
           Head(T("Literals")) + "</tr>\r\n";
    for (std::size_t i = 0; i < e.solutions.size(); ++i)
        out += "<tr>" + Cell(std::to_string(i + 1)) + Cell(html::Escape(e.solutions[i].formula)) +
               Cell(std::to_string(e.solutions[i].terms)) +
               Cell(std::to_string(e.solutions[i].literals)) + "</tr>\r\n";
    out += "</table>\r\n";
    return out;
}

}  // namespace explain
