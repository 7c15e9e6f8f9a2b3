// The shipped report template rendered by a real browser: headless Chromium takes a screenshot
// of a generated report, and the picture must show a page, not a blank.

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "HtmlCheck.h"
#include "MapHelpers.h"
#include "OutsideTool.h"
#include "TempFolder.h"
#include "engine/CarnoGrid.h"
#include "files/HtmlExport.h"
#include "report/ReportBuilder.h"

namespace {

TEST(ReportRender, ShippedTemplateRendersInChromium) {
    MW_REQUIRE_PROGRAM("chromium");
    const std::string browser = *testing_support::FindProgram("chromium");

    TCarnoGrid map;
    testing_support::FillMinterms(map, {0, 1, 2, 5, 8, 9, 10});
    map.Glue();
    report::Content content;
    content.names = {"A", "B", "C", "D"};
    content.formula = map.ResultFormula();
    content.sets = {{"0-2,5,8-10", "3-4,6-7,11-15", ""}};
    std::vector<std::string> lines;
    SaveToHTMLTemp(map, lines, -1);
    content.mapHtml = html::JoinLines(lines);
    content.eachTerm = true;
    for (int k = 0; k < map.ResultCount(); ++k) {
        SaveToHTMLTemp(map, lines, k);
        content.terms.push_back({map.GroupToTerm(map.ResultList()[k]), html::JoinLines(lines)});
    }
    std::string missing;
    const auto page = report::Build(
        testing_support::ReadAll(MW_SOURCE_DIR "/resources/Reports/Include/report.inc"), content,
        missing);
    ASSERT_TRUE(page.has_value()) << missing;
    EXPECT_EQ(testing_support::HtmlErrors(*page), "");

    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "mw-render";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "profile");
    std::ofstream(dir / "report.htm", std::ios::binary) << *page;
    const std::string shot = (dir / "shot.png").string();
    const std::string command =
        std::string("timeout 120 ") + browser +
        " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
        " --disable-background-networking --disable-component-update --disable-sync"
        " --user-data-dir=" +
        (dir / "profile").string() + " --window-size=900,1200 --screenshot=" + shot + " file://" +
        (dir / "report.htm").string() + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const QImage image(QString::fromStdString(shot));
    ASSERT_FALSE(image.isNull());
    // A page with headings, tables and a highlighted map: many colours, much of it not white.
    std::set<QRgb> colours;
    int inked = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) {
            const QRgb p = image.pixel(x, y);
            colours.insert(p);
            inked += p != qRgb(255, 255, 255);
        }
    EXPECT_GT(colours.size(), 20u);
    EXPECT_GT(inked, (image.width() / 3) * (image.height() / 3) / 20);
    std::filesystem::remove_all(dir);
}

}  // namespace
