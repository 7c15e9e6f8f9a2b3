#include "files/TruthTableHtml.h"

#include "files/HtmlExport.h"
#include "input/TruthTableData.h"
#include "platform/LineEnds.h"

namespace html {

std::optional<std::string> FormatCell(const std::string& cellTemplate, const std::string& text) {
    std::string out;
    int arguments = 0;
    for (std::size_t i = 0; i < cellTemplate.size(); ++i) {
        if (cellTemplate[i] != '%') {
            out += cellTemplate[i];
            continue;
        }
        const char next = i + 1 < cellTemplate.size() ? cellTemplate[i + 1] : '\0';
        if (next == '%') {
            out += '%';
        } else if (next == 's' && arguments++ == 0) {
            out += Escape(text);
        } else {
            return std::nullopt;
        }
        ++i;
    }
    if (arguments != 1) return std::nullopt;
    return out;
}

std::string TemplateText(const std::string& fileContent) {
    return platform::WithCrLfLineEnds(fileContent);
}

bool TruthTableFromTemplates(const TruthTableData& table, const std::string& header,
                             const std::string& body, const std::string& last,
                             std::vector<std::string>& out) {
    std::vector<std::string> lines{
        R"(<TABLE align="center" border="1" bordercolor="#C0C0C0" cellspacing="0" cellpadding="2" ><TR>)"};
    auto add = [&](const std::string& cellTemplate, const std::string& text) {
        const auto cell = FormatCell(cellTemplate, text);
        if (cell) lines.push_back(*cell);
        return cell.has_value();
    };
    for (int c = 0; c < table.VariableCount(); ++c)
        if (!add(header, table.Title(c))) return false;
    if (!add(header, table.Title(table.FunctionColumn(1)))) return false;
    lines.push_back("</TR>");
    const int lastColumn = table.ColCount() - 1;
    for (int r = 1; r < table.RowCount(); ++r) {
        lines.push_back("<TR>");
        for (int c = 0; c <= lastColumn; ++c)
            if (!add(c == lastColumn ? last : body, table.Cells(c, r))) return false;
        lines.push_back("</TR>");
    }
    lines.push_back("</TABLE>");
    out = std::move(lines);
    return true;
}

}  // namespace html

bool TruthTableData::SaveToHTMLTemplate(const std::string& header, const std::string& body,
                                        const std::string& last,
                                        std::vector<std::string>& out) const {
    return html::TruthTableFromTemplates(*this, header, body, last, out);
}
