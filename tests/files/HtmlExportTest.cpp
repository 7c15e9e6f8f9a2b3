// The map's HTML page and report fragment, line by line, and user texts kept out of the markup.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "HtmlCheck.h"
#include "TempFolder.h"
#include "engine/CarnoGrid.h"
#include "files/HtmlExport.h"
#include "platform/Message.h"

namespace {

using testing_support::ReadAll;

TEST(HtmlExport, CornerTextSplitsRowAndColumnVariables) {
    TCarnoGrid map;
    map.SetVariableCount(2);
    map.SetVarName(1, "X");
    map.SetVarName(2, "Y");
    EXPECT_EQ(CornerText(map), "X \\ Y ");
    map.SetVariableCount(3);
    map.SetVarName(3, "Z");
    EXPECT_EQ(CornerText(map), "X \\ Y Z ");
    map.SetVariableCount(4);
    for (int i = 1; i <= 4; ++i) map.SetVarName(i, std::string(1, "WXYZ"[i - 1]));
    EXPECT_EQ(CornerText(map), "W X \\ Y Z ");
}

TEST(HtmlExport, PageLines) {
    TCarnoGrid map;
    map.SetVariableCount(2);
    map.SetVarName(1, "X");
    map.SetVarName(2, "Y");
    map.SetCells(1, 1, "1");
    map.SetCells(2, 1, "*");
    map.SetCells(1, 2, "0");
    const std::string path = ::testing::TempDir() + "/map.htm";
    ASSERT_TRUE(SaveToHTMLFile(map, path));
    EXPECT_EQ(
        ReadAll(path),
        "<HTML>\r\n  <HEAD>\r\n  <TITLE>Karnaugh Map</TITLE>\r\n"
        "   <meta name=\"GENERATOR\" content=\"Mapwright\">\r\n  </HEAD>\r\n  <BODY>\r\n"
        "  <Table Border=\"1\" bordercolor=\"#C0C0C0\" cellspacing=\"0\" cellpadding=\"2\">\r\n"
        "  <TR><TD bgcolor=\"white\">X \\ Y </TD><TD bgcolor=\"gray\">0</TD><TD bgcolor=\"gray\">1</TD></TR>\r\n"
        "  <TR><TD bgcolor=\"gray\"><center>0</center></TD><TD bgcolor=\"white\">1</TD><TD bgcolor=\"white\">*</TD></TR>\r\n"
        "  <TR><TD bgcolor=\"gray\"><center>1</center></TD><TD bgcolor=\"white\">0</TD><TD bgcolor=\"white\"></TD></TR>\r\n"
        "  </Table>\r\n  </BODY>\r\n</HTML>\r\n");
    EXPECT_EQ(testing_support::HtmlErrors(ReadAll(path)), "");
    std::remove(path.c_str());
}

TEST(HtmlExport, FragmentMarksOneTermInItsColour) {
    TCarnoGrid map;
    map.SetVariableCount(2);
    map.SetCells(1, 1, "1");
    map.SetCells(2, 1, "1");
    map.SetCells(1, 2, "0");
    map.Glue();
    map.TermColor = 0x0A0B0C;  // red 0C, green 0B, blue 0A
    std::vector<std::string> lines{"old content"};
    SaveToHTMLTemp(map, lines, 0);
    const std::vector<std::string> expected{
        "  <Table Border=\"1\" bordercolor=\"#C0C0C0\" cellspacing=\"0\" cellpadding=\"2\">",
        "  <TR><TD bgcolor=\"white\">A \\ B </TD>",
        "<TD bgcolor=\"gray\">0</TD>",
        "<TD bgcolor=\"gray\">1</TD>",
        "</TR>\r\n",
        "  <TR><TD bgcolor=\"gray\"><center>0</center></TD>",
        "<TD bgcolor=\"#0C0B0A\"><p align=\"center\"><font color=\"#FFFFFF\">1</font></TD>",
        "<TD bgcolor=\"#0C0B0A\"><p align=\"center\"><font color=\"#FFFFFF\">1</font></TD>",
        "</TR>\r\n",
        "  <TR><TD bgcolor=\"gray\"><center>1</center></TD>",
        "<TD bgcolor=\"white\"><p align=\"center\">0</TD>",
        "<TD bgcolor=\"white\"><p align=\"center\">&nbsp;</TD>",
        "</TR>\r\n",
        "  </Table>\r\n"};
    EXPECT_EQ(lines, expected);
    SaveToHTMLTemp(map, lines, -1);
    EXPECT_EQ(lines[6], "<TD bgcolor=\"white\"><p align=\"center\">1</TD>");
    SaveToHTMLTemp(map, lines, 5);  // no such term
    EXPECT_EQ(lines[6], "<TD bgcolor=\"white\"><p align=\"center\">1</TD>");
    map.TermColor = 0x80FFFF;  // light yellow: the marked values stay black
    SaveToHTMLTemp(map, lines, 0);
    EXPECT_EQ(lines[6],
              "<TD bgcolor=\"#FFFF80\"><p align=\"center\"><font color=\"#000000\">1</font></TD>");
}

TEST(HtmlExport, TypedTextCannotInjectMarkup) {
    EXPECT_EQ(html::Escape("<b>\"x\" & y</b>"), "&lt;b&gt;&quot;x&quot; &amp; y&lt;/b&gt;");
    EXPECT_EQ(html::Escape("|A*B+1"), "|A*B+1");
    TCarnoGrid map;
    map.SetVariableCount(2);
    map.SetVarName(1, "<I>");
    map.SetCells(1, 1, "<script>alert(1)</script>");
    std::vector<std::string> lines;
    SaveToHTMLTemp(map, lines, -1);
    const std::string text = html::JoinLines(lines);
    EXPECT_EQ(text.find("<script>"), std::string::npos);
    EXPECT_EQ(text.find("<I>"), std::string::npos);
    EXPECT_NE(text.find("&lt;script&gt;"), std::string::npos);
}

TEST(HtmlExport, AFailedWriteIsReportedAndReturnsFalse) {
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    TCarnoGrid map;
    EXPECT_FALSE(SaveToHTMLFile(map, "/nonexistent-folder/map.htm"));
    EXPECT_EQ(
        sink.Texts(),
        std::vector<std::string>{
            "Cannot write the HTML file.\n/nonexistent-folder/map.htm: No such file or directory"});
}

}  // namespace
