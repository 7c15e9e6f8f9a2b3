// mapwright-cli worksheet: twenty exercises and their solutions from one command, a page
// each; the TeX compiles with pdflatex, the HTML prints a block per page from Chromium, the
// PDF is drawn directly; the same seed gives the same sheet.

#include <gtest/gtest.h>

#include <regex>

#include "OutsideTool.h"
#include "PictureTools.h"
#include "TempFolder.h"
#include "cli/CliRun.h"

namespace {

using testing_support::Cli;
using testing_support::TempFolder;

int Pages(const std::string& pdf) {
    static const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

}  // namespace

TEST(WorksheetCli, TwentyExercisesInTeXCompileToAPageEach) {
    TempFolder folder;
    const std::vector<std::string> args{"worksheet", "--count", "20",
                                        "--vars",    "3-5",     "--seed",
                                        "7",         "--out",   folder / "sheet.tex"};
    const auto r = Cli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string tex = testing_support::ReadAll(folder / "sheet.tex");
    EXPECT_EQ(Count(tex, "\\section*{Exercise "), 20u);
    EXPECT_EQ(Count(tex, "\\section*{Solution "), 20u);
    EXPECT_EQ(Count(tex, "\\begin{tikzpicture}"), 40u);
    std::filesystem::rename(folder / "sheet.tex", folder / "first.tex");
    ASSERT_EQ(Cli(args).status, 0);
    EXPECT_EQ(testing_support::ReadAll(folder / "sheet.tex"), tex) << "the seed decides the sheet";
    MW_REQUIRE_PROGRAM("pdflatex");
    std::string log;
    const auto pdf = testing_support::CompileTex(folder.Path().string(), "sheet", &log);
    ASSERT_TRUE(pdf) << log;
    EXPECT_EQ(Pages(*pdf), 40);
}

TEST(WorksheetCli, HtmlPrintsABlockPerPageAndPdfIsDrawn) {
    TempFolder folder;
    ASSERT_EQ(Cli({"worksheet", "--count", "3", "--vars", "4", "--seed", "2", "--out",
                   folder / "sheet.pdf"})
                  .status,
              0);
    const std::string drawn = testing_support::ReadAll(folder / "sheet.pdf");
    EXPECT_EQ(drawn.substr(0, 5), "%PDF-");
    EXPECT_EQ(Pages(drawn), 6);
    const auto r = Cli({"worksheet", "--count", "3", "--vars", "4", "--seed", "2", "--out",
                        folder / "sheet.html"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string html = testing_support::ReadAll(folder / "sheet.html");
    EXPECT_EQ(Count(html, "<section class=\"page\">"), 6u);
    EXPECT_EQ(Count(html, "<svg"), 6u);
    MW_REQUIRE_PROGRAM("chromium");
    const std::string printed = folder / "printed.pdf";
    const std::string command =
        "timeout 120 " + *testing_support::FindProgram("chromium") +
        " --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking"
        " --disable-component-update --disable-sync --user-data-dir=" +
        folder / "profile" + " --no-pdf-header-footer --print-to-pdf=" + printed + " file://" +
        folder / "sheet.html" + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(Pages(testing_support::ReadAll(printed)), 6);
}

TEST(WorksheetCli, Refusals) {
    TempFolder folder;
    EXPECT_EQ(Cli({"worksheet", "--count", "2"}).status, 2) << "no --out";
    EXPECT_EQ(Cli({"worksheet", "--out", folder / "sheet.doc"}).status, 2);
    EXPECT_EQ(Cli({"worksheet", "--vars", "5-3", "--out", folder / "s.tex"}).status, 2);
    EXPECT_EQ(Cli({"worksheet", "--vars", "3-9", "--out", folder / "s.tex"}).status, 2);
    EXPECT_EQ(Cli({"worksheet", "--out", folder / "missing/s.tex"}).status, 1);
}
