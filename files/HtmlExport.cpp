// The map as HTML: a page of its own, and the table fragment the report places, with the cells
// of one term in the products colour.

#include "files/HtmlExport.h"

#include <cstdio>

#include "engine/CarnoGrid.h"
#include "platform/Colour.h"
#include "platform/Message.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"

namespace html {

std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += ch;
        }
    }
    return out;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

bool WriteLines(const std::string& fileName, const std::vector<std::string>& lines) {
    std::string error;
    if (platform::WriteFileAtomically(fileName, JoinLines(lines), &error)) return true;
    platform::SayFileError("Cannot write the HTML file.", fileName, error);
    return false;
}

}  // namespace html

namespace {

const char* kTableStart =
    R"(  <Table Border="1" bordercolor="#C0C0C0" cellspacing="0" cellpadding="2">)";

std::string ColumnHeading(const TCarnoGrid& g, int col) {
    const std::string& e = g.ColumnGray()[col - 1];
    return e.substr(e.size() - g.ColumnVariableCount());
}

std::string RowHeading(const TCarnoGrid& g, int row) {
    const std::string& e = g.RowGray()[row - 1];
    return e.substr(e.size() - g.RowVariableCount());
}

// "#RRGGBB" from the platform colour 0x00BBGGRR.
std::string HexColor(std::uint32_t bgr) {
    return platform::HtmlColour(bgr);
}

}  // namespace

std::string CornerText(const TCarnoGrid& map) {
    std::string text;
    for (int i = 1; i <= map.VariableCount(); ++i) {
        if (i == map.VariableCount() / 2 + 1) text += "\\ ";
        text += map.VarName(i) + " ";
    }
    return text;
}

bool SaveToHTMLFile(const TCarnoGrid& map, const std::string& fileName) {
    std::vector<std::string> lines{"<HTML>",
                                   "  <HEAD>",
                                   "  <TITLE>Karnaugh Map</TITLE>",
                                   R"(   <meta name="GENERATOR" content="Mapwright">)",
                                   "  </HEAD>",
                                   "  <BODY>",
                                   kTableStart};
    std::string heading = R"(  <TR><TD bgcolor="white">)" + html::Escape(CornerText(map)) + "</TD>";
    for (int c = 1; c <= map.MapColumns(); ++c)
        heading += R"(<TD bgcolor="gray">)" + ColumnHeading(map, c) + "</TD>";
    lines.push_back(heading + "</TR>");
    for (int r = 1; r <= map.MapRows(); ++r) {
        std::string line =
            R"(  <TR><TD bgcolor="gray"><center>)" + RowHeading(map, r) + "</center></TD>";
        for (int c = 1; c <= map.MapColumns(); ++c)
            line += R"(<TD bgcolor="white">)" + html::Escape(map.Cells(c, r)) + "</TD>";
        lines.push_back(line + "</TR>");
    }
    lines.insert(lines.end(), {"  </Table>", "  </BODY>", "</HTML>"});
    return html::WriteLines(fileName, lines);
}

void SaveToHTMLTemp(const TCarnoGrid& map, std::vector<std::string>& list, int term) {
    const std::string rowEnd = "</TR>\r\n";  // the line break inside the item leaves an empty line
    std::vector<std::string> lines{
        kTableStart, R"(  <TR><TD bgcolor="white">)" + html::Escape(CornerText(map)) + "</TD>"};
    for (int c = 1; c <= map.MapColumns(); ++c)
        lines.push_back(R"(<TD bgcolor="gray">)" + ColumnHeading(map, c) + "</TD>");
    lines.push_back(rowEnd);
    const std::string marked = HexColor(map.TermColor);
    const std::string markedText = HexColor(platform::ContrastingText(map.TermColor));
    for (int r = 1; r <= map.MapRows(); ++r) {
        lines.push_back(R"(  <TR><TD bgcolor="gray"><center>)" + RowHeading(map, r) +
                        "</center></TD>");
        for (int c = 1; c <= map.MapColumns(); ++c) {
            const std::string text =
                map.Cells(c, r).empty() ? "&nbsp;" : html::Escape(map.Cells(c, r));
            // A marked value is written in black or white, whichever reads on the colour.
            const bool inTerm = map.IsCellOfTerm(term, c, r);
            const std::string color = inTerm ? marked : "white";
            const std::string value =
                inTerm ? R"(<font color=")" + markedText + R"(">)" + text + "</font>" : text;
            lines.push_back(R"(<TD bgcolor=")" + color + R"("><p align="center">)" + value +
                            "</TD>");
        }
        lines.push_back(rowEnd);
    }
    lines.push_back("  </Table>\r\n");
    list = std::move(lines);
}
