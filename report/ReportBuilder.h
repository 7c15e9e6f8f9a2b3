#pragma once
// Assembly of the HTML report: the page template's six placeholders filled with the function,
// the headings, the result and the per-term maps. Pure text work; the dialog gathers the parts.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Group.h"
#include "engine/Notation.h"

namespace report {

// Inserts "<br>" after the first c at or beyond every 20th character, so long lists and
// formulas wrap; positions count in the text as it grows. Text a user typed is escaped, the
// inserted breaks are not.
std::string Wrap(const std::string& text, char c);

// Replaces the first occurrence of placeholder, together with the one character after it.
// False, and nothing changed, when the text does not hold it.
bool ReplacePlaceholder(std::string& page, const std::string& placeholder,
                        const std::string& replacement);

// Cuts the text into lines at CR, LF or CR LF and joins them with CR LF after each line.
std::string Rejoin(const std::string& text);

struct Content {
    TGlueMethod method = gmDNF;
    std::vector<std::string> names;                  // variables 1..n
    std::string formula;                             // the result formula
    std::optional<std::array<std::string, 3>> sets;  // ones, zeros, don't cares
    std::optional<std::string> truthTableHtml;
    std::string mapHtml;  // empty unless the map is included
    bool eachTerm = false;
    std::vector<std::pair<std::string, std::string>> terms;  // each term's node text and map
    std::string minimalHtml;  // the section "Minimal solutions", after the per-term maps
    FormulaNotation notation = FormulaNotation::AsTyped;
};

// The finished page, or nothing with `missing` naming the first placeholder the template lacks.
std::optional<std::string> Build(const std::string& pageTemplate, const Content& content,
                                 std::string& missing);

}  // namespace report
