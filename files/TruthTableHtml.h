#pragma once
// The truth table as an HTML table whose cells come from three one-argument templates (header
// cell, argument cell, function-value cell), so a report's look lives in its template files.

#include <optional>
#include <string>
#include <vector>

class TruthTableData;

namespace html {

// A cell template applied to one text: its "%s" replaced by the text (escaped), "%%" read as
// "%". Nothing when the template does not hold exactly one "%s".
std::optional<std::string> FormatCell(const std::string& cellTemplate, const std::string& text);

// A template file's text as the format text: its lines, each ended by CR LF.
std::string TemplateText(const std::string& fileContent);

// The table's lines; false when a template is not a one-argument format.
bool TruthTableFromTemplates(const TruthTableData& table, const std::string& header,
                             const std::string& body, const std::string& last,
                             std::vector<std::string>& out);

}  // namespace html
