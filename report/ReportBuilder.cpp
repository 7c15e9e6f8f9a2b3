#include "report/ReportBuilder.h"

#include "files/HtmlExport.h"
#include "platform/LineEnds.h"
#include "platform/Translate.h"

namespace report {

namespace {

const char* H1 = R"(<table align="center" width="100%" border="1"><tr><td>)";
const char* H2 = "</td><td> ";
const char* H3 = "</td></tr>";
const char* H4 = "<tr><td>";
const char* H5 = "</td><td>";
const char* H6 = "<tr><td>1</td><td>";
const char* H7 = "<tr><td>0</td><td>";
const char* H8 = "<tr><td>*";
const char* H9 = R"(<tr><p align="center">)";
const char* H10 = "</tr>";
const char* H11 = "</table>";
const char* H12 = R"(<table align="center" width="100%" border="1"><tr><td width="50%">)";
const char* H13 = "</td>";
const char* H14 = R"(<td width="50%" ><br><p align="center">F()";
const char* H15 = R"()=")";
const char* H16 = R"("</td></tr></table>)";
const char* H17 = R"(<table cellpadding="5" width="100%" align="center" border="1">)";
const char* H18 = R"(<tr><td width="50%">)";
const char* H19 = R"(<td width="50%"><p align="center">)";
const char* H20 = "[";
const char* H21 = R"(]=")";
const char* H22 = R"("</td></tr>)";

std::string T(const char* english) {
    return platform::TranslateText(english);
}

}  // namespace

std::string Wrap(const std::string& text, char c) {
    // Work on the growing text, remembering which characters were inserted.
    std::string s = text;
    std::vector<char> inserted(s.size(), 0);
    for (std::size_t q = 20; s.size() >= q; q += 20) {
        const std::size_t a = s.find(c, q - 1);
        if (a == std::string::npos) break;
        s.insert(a + 1, "<br>");
        inserted.insert(inserted.begin() + static_cast<std::ptrdiff_t>(a) + 1, 4, 1);
    }
    std::string out, run;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (inserted[i]) {
            out += html::Escape(run);
            run.clear();
            out += s[i];
        } else {
            run += s[i];
        }
    }
    return out + html::Escape(run);
}

bool ReplacePlaceholder(std::string& page, const std::string& placeholder,
                        const std::string& replacement) {
    const std::size_t p = page.find(placeholder);
    if (p == std::string::npos) return false;
    const std::size_t after = std::min(page.size(), p + placeholder.size() + 1);
    page = page.substr(0, p) + replacement + page.substr(after);
    return true;
}

std::string Rejoin(const std::string& text) {
    return platform::WithCrLfLineEnds(text);
}

std::optional<std::string> Build(const std::string& pageTemplate, const Content& content,
                                 std::string& missing) {
    const bool pos = content.method == gmKNF;
    const bool textbook = content.notation == FormulaNotation::Textbook;
    // Textbook sums stand in brackets, so a product of sums breaks after a closing one.
    const char wrapChar = pos ? (textbook ? ')' : '*') : '+';
    const std::string formula = ShownFormula(content.formula, content.method, content.notation);

    std::string f = std::string(H1) + T("Type") + H2 +
                    T(pos ? "Conjunctive Normal Form" : "Disjunctive Normal Form") + H3;
    f += H4 + T("Number of Variables") + H5 + std::to_string(content.names.size()) + H3;
    if (content.sets) {
        const auto& [ones, zeros, dc] = *content.sets;
        // The three rows stand in a table of their own: rows directly inside a cell are not HTML.
        f += H4 + T("Sets representation") + H5 + "<table>" + H6 + Wrap(ones, ',') + H3 + H7 +
             Wrap(zeros, ',') + H3 + H8 + T("(Don't Cares)") + H5 + Wrap(dc, ',') + H3 +
             "</table>" + H3;
    }
    if (content.truthTableHtml) f += H9 + *content.truthTableHtml + H10;

    std::string variables;
    for (std::size_t i = 0; i < content.names.size(); ++i)
        variables += (i ? "," : "") + html::Escape(content.names[i]);
    const std::string results =
        H12 + content.mapHtml + H13 + H14 + variables + H15 + Wrap(formula, wrapChar) + H16;

    std::string details;
    if (content.eachTerm) {
        details = H17;
        for (std::size_t k = 0; k < content.terms.size(); ++k)
            details += H18 + content.terms[k].second + H13 + H19 + T("Term") + H20 +
                       std::to_string(k + 1) + H21 +
                       html::Escape(
                           ShownFormula(content.terms[k].first, content.method, content.notation)) +
                       H22;
        details += H11;
    }
    details += content.minimalHtml;

    const std::pair<const char*, std::string> replacements[] = {
        {"<%FUNCTION%>", f + H11},
        {"<%TITLE1%>", T("Input Function")},
        {"<%TITLE2%>", T("Results of Analyze")},
        {"<%TITLE3%>", T("Advanced Detailes")},
        {"<%RESULTS%>", results},
        {"<%ADVDETAILES%>", details},
    };
    std::string page = pageTemplate;
    for (const auto& [placeholder, text] : replacements) {
        if (!ReplacePlaceholder(page, placeholder, text)) {
            missing = placeholder;
            return std::nullopt;
        }
        page = Rejoin(page);
    }
    return page;
}

}  // namespace report
