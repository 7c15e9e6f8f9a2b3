// Circuits as vector pictures from mapwright-cli circuit: SVG with its gates as paths, parsed
// and rendered; TeX compiled by pdflatex into a page of the picture's size; the save dialog's
// entries and names mapped to their kinds in one place.

#include <gtest/gtest.h>

#include <QImage>

#include "OutsideTool.h"
#include "PictureTools.h"
#include "TempFolder.h"
#include "circuit/PictureFile.h"
#include "cli/CliRun.h"

namespace {

using namespace testing_support;

TEST(CircuitVector, SvgGatesArePathsAndRender) {
    TempFolder folder;
    for (const char* gates : {"US", "EU"}) {
        const auto run =
            Cli({"circuit", "--formula", "a*|b+c", "--gates", gates, "--out", folder / "c.svg"});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string svg = ReadAll(folder / "c.svg");
        EXPECT_EQ(XmlErrors(svg), "") << gates;
        EXPECT_EQ(svg.find("<image"), std::string::npos) << "no embedded bitmap";
        EXPECT_TRUE(svg.find("<path") != std::string::npos ||
                    svg.find("<polyline") != std::string::npos)
            << gates;
        MW_REQUIRE_PROGRAM("rsvg-convert");
        const QImage shown = RenderSvg(folder / "c.svg");
        ASSERT_FALSE(shown.isNull()) << gates;
        EXPECT_EQ(shown.width(), std::stoi(run.out.substr(0, run.out.find('x'))));
        EXPECT_GT(PixelsNear(shown, qRgb(0, 0, 0), 80), 300) << "gates, wires and labels";
    }
}

TEST(CircuitVector, TexCompilesToThePicturesPage) {
    TempFolder folder;
    const auto run =
        Cli({"circuit", "--formula", "a*|b+c*d", "--type", "SOP", "--out", folder / "c.tex"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string tex = ReadAll(folder / "c.tex");
    EXPECT_NE(tex.find("\\begin{tikzpicture}"), std::string::npos);
    EXPECT_NE(tex.find("{F}"), std::string::npos) << "the output's label";
    MW_REQUIRE_PROGRAM("pdflatex");
    std::string log;
    const auto pdf = CompileTex(folder.Path().string(), "c", &log);
    ASSERT_TRUE(pdf) << log;
    const auto size = PdfPageSize(*pdf);
    ASSERT_TRUE(size);
    const int width = std::stoi(run.out.substr(0, run.out.find('x')));
    EXPECT_NEAR(size->first, width * 0.75, 1.5);
}

TEST(CircuitVector, KindsByNameAndFilterEntry) {
    EXPECT_EQ(PictureKindOfName("x/C.SVG"), PictureKind::Svg);
    EXPECT_EQ(PictureKindOfName("c.tex"), PictureKind::Tex);
    EXPECT_EQ(PictureKindOfFilter(5, "c"), PictureKind::Svg);
    EXPECT_EQ(PictureKindOfFilter(6, "c"), PictureKind::Tex);
    EXPECT_EQ(PictureKindOfFilter(6, "c.jpg"), PictureKind::Jpeg)
        << "the name's kind wins over the filter";
    const int all = static_cast<int>(PictureSaveFilters().size());
    EXPECT_EQ(PictureKindOfFilter(all, "c.svg"), PictureKind::Svg);
    std::string error;
    EXPECT_FALSE(
        SavePicture(QImage(4, 4, QImage::Format_RGB32), "/tmp/x.svg", PictureKind::Svg, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
