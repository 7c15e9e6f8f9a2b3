// Pictures of the map: loops split at the edges they wrap round, and every kind read back by
// its user: SVG parsed and rendered, PNG decoded at its scale, TeX compiled by pdflatex into a
// page the picture's size. None may be blank, and the loops and the highlight must show.

#include <gtest/gtest.h>

#include <QImage>

#include "OutsideTool.h"
#include "PictureTools.h"
#include "TempFolder.h"
#include "engine/CarnoGrid.h"
#include "files/MapPicture.h"
#include "files/TikzDevice.h"

namespace {

using namespace testing_support;

std::vector<TCellPos> Cells(std::initializer_list<std::pair<int, int>> colRows) {
    std::vector<TCellPos> cells;
    for (auto [c, r] : colRows) cells.push_back({std::uint8_t(c), std::uint8_t(r)});
    return cells;
}

TEST(MapLoops, WrappingTermsOpenAtTheEdges) {
    // The four corners of a 4 x 4 map: four pieces, each open towards its two edges.
    const auto corners = LoopPieces(Cells({{1, 1}, {4, 1}, {1, 4}, {4, 4}}), 4, 4);
    ASSERT_EQ(corners.size(), 4u);
    int openSides = 0;
    for (const LoopPiece& p : corners) {
        EXPECT_EQ(p.firstCol, p.lastCol);
        EXPECT_EQ(p.openLeft, p.firstCol == 1);
        EXPECT_EQ(p.openRight, p.firstCol == 4);
        EXPECT_EQ(p.openTop, p.firstRow == 1);
        EXPECT_EQ(p.openBottom, p.firstRow == 4);
        openSides += p.openLeft + p.openRight + p.openTop + p.openBottom;
    }
    EXPECT_EQ(openSides, 8);

    // A whole row is one closed loop; a block in the middle too.
    const auto row = LoopPieces(Cells({{1, 2}, {2, 2}, {3, 2}, {4, 2}}), 4, 4);
    ASSERT_EQ(row.size(), 1u);
    EXPECT_FALSE(row[0].openLeft || row[0].openRight || row[0].openTop || row[0].openBottom);
    // Columns 1, 4, 5, 8 of an 8-column axis: the pair round the edge and the pair in the middle.
    const auto split = LoopPieces(Cells({{1, 1}, {4, 1}, {5, 1}, {8, 1}}), 8, 4);
    ASSERT_EQ(split.size(), 3u);
    EXPECT_EQ(split[1].firstCol, 4);
    EXPECT_EQ(split[1].lastCol, 5);
    EXPECT_FALSE(split[1].openLeft || split[1].openRight);

    EXPECT_TRUE(LoopPieces(Cells({{1, 1}, {2, 2}}), 4, 4).empty()) << "not rows by columns";
    EXPECT_TRUE(LoopPieces(Cells({{5, 1}}), 4, 4).empty()) << "outside the map";
}

struct Sample {
    TCarnoGrid map;
    MapPictureOptions options;
};

// A 5-variable map with a wrapping loop, a middle loop and the first of them highlighted.
void Fill(Sample& s) {
    s.map.SetVariableCount(5);
    s.map.TermColor = 0x808000;  // teal
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 4; ++r) s.map.SetCells(c, r, "0");
    for (auto [c, r] : {std::pair{1, 1}, {8, 1}, {1, 4}, {8, 4}}) s.map.SetCells(c, r, "1");
    s.map.SetCells(4, 2, "*");
    s.map.SetCells(5, 2, "1");
    s.map.SetVarName(1, "CARRY");
    s.options.loops = {Cells({{1, 1}, {8, 1}, {1, 4}, {8, 4}}), Cells({{4, 2}, {5, 2}})};
    s.options.highlightedTerm = 0;
}

TEST(MapPicture, SvgParsesAndRendersWithLoopsAndHighlight) {
    EnsureGuiApplication();
    Sample s;
    Fill(s);
    const picture::Canvas canvas = MapCanvas(s.map, s.options);
    const std::string svg = picture::SvgText(canvas);
    EXPECT_EQ(XmlErrors(svg), "");
    EXPECT_EQ(svg.find("<image"), std::string::npos) << "vector, not an embedded bitmap";
    EXPECT_NE(svg.find("CARRY"), std::string::npos);
    MW_REQUIRE_PROGRAM("rsvg-convert");
    TempFolder folder;
    std::string error;
    ASSERT_TRUE(picture::Save(canvas, folder / "m.svg", picture::Kind::Svg, 1, &error)) << error;
    const QImage shown = RenderSvg(folder / "m.svg");
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), QSize(canvas.width, canvas.height));
    EXPECT_GT(PixelsNear(shown, qRgb(0xC0, 0xC0, 0xC0), 4), canvas.width * 10)
        << "the silver headers";
    EXPECT_GT(PixelsNear(shown, qRgb(0, 0x80, 0x80), 8), 4 * 100) << "four teal corner cells";
    EXPECT_GT(PixelsNear(shown, qRgb(0x1F, 0x77, 0xB4), 30), 20) << "the second loop";
    EXPECT_GT(PixelsNear(shown, qRgb(0, 0, 0), 60), 100) << "labels and values";
}

TEST(MapPicture, PngAtItsScale) {
    EnsureGuiApplication();
    Sample s;
    Fill(s);
    const picture::Canvas canvas = MapCanvas(s.map, s.options);
    TempFolder folder;
    std::string error;
    ASSERT_TRUE(picture::Save(canvas, folder / "m.png", picture::Kind::Png, 2, &error)) << error;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(folder / "m.png"), "PNG"));
    EXPECT_EQ(image.size(), QSize(2 * canvas.width, 2 * canvas.height));
    EXPECT_GT(PixelsNear(image, qRgb(0, 0x80, 0x80), 8), 4 * 400);
    EXPECT_GT(PixelsNear(image, qRgb(0xD6, 0x27, 0x28), 30), 40) << "the wrapping loop";

    EXPECT_FALSE(picture::Save(canvas, folder / "big.png", picture::Kind::Png, 100, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(MapPicture, TexCompilesToAPageThePictureSize) {
    EnsureGuiApplication();
    Sample s;
    Fill(s);
    s.map.SetVarName(2, "A_1%");  // TeX's special characters in a name
    const picture::Canvas canvas = MapCanvas(s.map, s.options);
    const std::string tex = picture::TexDocument(canvas);
    EXPECT_NE(tex.find("{CARRY A\\_1\\%}"), std::string::npos) << "the row variables in the corner";
    EXPECT_NE(tex.find("{110}"), std::string::npos) << "a Gray-code column label";
    EXPECT_NE(tex.find(".. controls"), std::string::npos) << "the loops' rounded corners";
    MW_REQUIRE_PROGRAM("pdflatex");
    TempFolder folder;
    std::string error, log;
    ASSERT_TRUE(picture::Save(canvas, folder / "m.tex", picture::Kind::Tex, 1, &error)) << error;
    const auto pdf = CompileTex(folder.Path().string(), "m", &log);
    ASSERT_TRUE(pdf) << log;
    const auto size = PdfPageSize(*pdf);
    ASSERT_TRUE(size);
    EXPECT_NEAR(size->first, canvas.width * 0.75, 1.5);
    EXPECT_NEAR(size->second, canvas.height * 0.75, 1.5);
}

TEST(MapPicture, EveryMapSizeWithoutASolution) {
    EnsureGuiApplication();
    int lastArea = 0;
    for (int n = 2; n <= 8; ++n) {
        TCarnoGrid map;
        map.SetVariableCount(n);
        map.SetCells(1, 1, "1");
        const picture::Canvas canvas = MapCanvas(map, {});
        EXPECT_GT(canvas.width * canvas.height, lastArea) << n;
        lastArea = canvas.width * canvas.height;
        const QImage image = picture::Raster(canvas, 1);
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(PixelsNear(image, qRgb(0, 0, 0), 60), 10 * n) << n;
        EXPECT_EQ(XmlErrors(picture::SvgText(canvas)), "") << n;
    }
}

TEST(TexText, SpecialCharactersAreSpelledOut) {
    EXPECT_EQ(
        TexEscape("a_b%c&d#e$f{g}h\\i^j~k|l<m>n"),
        "a\\_b\\%c\\&d\\#e\\$f\\{g\\}h\\textbackslash{}i\\textasciicircum{}j\\textasciitilde{}k\\textbar{}l"
        "\\textless{}m\\textgreater{}n");
    EXPECT_EQ(TexEscape("\xc3\xa4\xd0\x96"), "\xc3\xa4?");
}

}  // namespace
