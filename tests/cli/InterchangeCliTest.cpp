// convert between the exchange kinds and into pictures, and the verilog command, as scripts
// run them: seeded random maps through CSV and back to the same map file, function files read
// into the map, pictures of an analysed map, refusals with their status.

#include <gtest/gtest.h>

#include <QImage>
#include <random>

#include "CliRun.h"
#include "PictureTools.h"
#include "TempFolder.h"
#include "engine/CarnoGrid.h"
#include "files/MapFile.h"

namespace {

using testing_support::Cli;
using testing_support::ReadAll;
using testing_support::TempFolder;
using testing_support::WriteAll;

TEST(InterchangeCli, MapFilesSurviveCsvAndFunctionFiles) {
    std::mt19937 rng(7);
    TempFolder folder;
    for (int round = 0; round < 14; ++round) {
        TCarnoGrid map;
        map.SetVariableCount(2 + round % 7);
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r)
                map.SetCells(c, r, "01*"[rng() % 3] + std::string());
        ASSERT_TRUE(SaveToFile(map, folder / "a.km"));
        for (const char* via : {"t.csv", "t.bf"}) {
            ASSERT_EQ(Cli({"convert", folder / "a.km", folder / via}).status, 0);
            const auto back = Cli({"convert", folder / via, folder / "b.km"});
            ASSERT_EQ(back.status, 0) << back.err;
            EXPECT_EQ(ReadAll(folder / "b.km"), ReadAll(folder / "a.km"))
                << via << " round " << round;
        }
    }
}

TEST(InterchangeCli, NamesAndRefusals) {
    TempFolder folder;
    WriteAll(folder / "in.csv", "a;b;f\n0;0;1\n1;1;x\n");
    ASSERT_EQ(Cli({"convert", folder / "in.csv", folder / "out.csv", "--names", "P,Q"}).status, 0);
    // The function keeps its name "f"; the inputs take the given ones.
    EXPECT_EQ(ReadAll(folder / "out.csv"), "P,Q,f\r\n0,0,1\r\n0,1,\r\n1,0,\r\n1,1,X\r\n");
    ASSERT_EQ(Cli({"convert", folder / "in.csv", folder / "out.csv"}).status, 0);
    EXPECT_EQ(ReadAll(folder / "out.csv").substr(0, 6), "A,B,f\r")
        << "the file's names, as the map holds them";

    EXPECT_EQ(Cli({"convert", folder / "in.csv", folder / "o.csv", "--names", "P"}).status, 1);
    EXPECT_EQ(Cli({"convert", folder / "in.csv", folder / "o.csv", "--names", "P,P"}).status, 1);
    EXPECT_EQ(Cli({"convert", folder / "in.csv", folder / "o.csv", "--scale", "2"}).status, 2);
    EXPECT_EQ(Cli({"convert", folder / "in.csv", folder / "o.png", "--scale", "20"}).status, 2);
    EXPECT_EQ(Cli({"convert", folder / "in.csv", folder / "o.csv", "--analyze"}).status, 2);
    EXPECT_EQ(Cli({"convert", folder / "in.htm", folder / "o.csv"}).status, 2);

    WriteAll(folder / "bad.csv", "a,b,f\n0,0,1\n0,1,2\n");
    const auto bad = Cli({"convert", folder / "bad.csv", folder / "o.km"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "Line 3: The function's value is not 0, 1, X, - or empty.\n");
    WriteAll(folder / "big.bf", "[Boolean Function]\nVarCount=12\n1=1\n");
    EXPECT_EQ(Cli({"convert", folder / "big.bf", folder / "o.km"}).err,
              "The map takes functions of 2 to 8 inputs.\n");
    WriteAll(folder / "letters.bf", "[Boolean Function]\nVarCount=3\n1=1,a\n");
    EXPECT_EQ(Cli({"convert", folder / "letters.bf", folder / "o.km"}).err,
              "Invalid symbol in string.\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "o.km"));
}

TEST(InterchangeCli, PicturesOfAnAnalysedMap) {
    TempFolder folder;
    WriteAll(folder / "in.bf",
             "[Boolean Function]\nVarCount=4\n1=0,2,8,10,5\n0=1,3,4,6,7,9,11-15\n");
    ASSERT_EQ(Cli({"convert", folder / "in.bf", folder / "one.png"}).status, 0);
    const auto two =
        Cli({"convert", folder / "in.bf", folder / "two.png", "--scale", "2", "--analyze"});
    ASSERT_EQ(two.status, 0) << two.err;
    const QImage one(QString::fromStdString(folder / "one.png")),
        doubled(QString::fromStdString(folder / "two.png"));
    ASSERT_FALSE(one.isNull());
    ASSERT_FALSE(doubled.isNull());
    EXPECT_NEAR(doubled.width(), 2 * one.width(), 1);
    EXPECT_EQ(testing_support::PixelsNear(one, qRgb(0xD6, 0x27, 0x28), 30), 0)
        << "no solution, no loops";
    EXPECT_GT(testing_support::PixelsNear(doubled, qRgb(0xD6, 0x27, 0x28), 30), 50)
        << "the corners' loop";

    ASSERT_EQ(Cli({"convert", folder / "in.bf", folder / "m.svg", "--analyze", "--pos"}).status, 0);
    const std::string svg = ReadAll(folder / "m.svg");
    EXPECT_EQ(testing_support::XmlErrors(svg), "");
    EXPECT_NE(svg.find("stroke=\"#d62728\""), std::string::npos);
    ASSERT_EQ(Cli({"convert", folder / "in.bf", folder / "m.tex"}).status, 0);
    EXPECT_NE(ReadAll(folder / "m.tex").find("\\begin{tikzpicture}"), std::string::npos);
}

TEST(InterchangeCli, VerilogOfAFormula) {
    const auto ok = Cli({"verilog", "--formula", "A*|B+C", "--names", "A,B,C", "--module", "f3",
                         "--output-name", "y"});
    ASSERT_EQ(ok.status, 0) << ok.err;
    EXPECT_NE(ok.out.find("module f3 ("), std::string::npos);
    EXPECT_NE(ok.out.find("  assign y = (A & ~B) | C;\n"), std::string::npos);

    const auto keyword = Cli({"verilog", "--formula", "A", "--names", "A,wire"});
    EXPECT_EQ(keyword.status, 1);
    EXPECT_EQ(keyword.err, "The name \"wire\" is a Verilog keyword.\n");
    EXPECT_EQ(Cli({"verilog", "--formula", "A"}).status, 2);
    EXPECT_EQ(Cli({"verilog", "--formula", "A*D", "--names", "A,B"}).status, 1);
}

}  // namespace
