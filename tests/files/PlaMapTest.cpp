// PLA files and the map: every benchmark PLA of up to 8 inputs into the map and out again as
// the same function, compact cubes that hold exactly their minterms, minimized results read
// back as covers of the function, and bad files refused with the map left alone.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "TempFolder.h"
#include "engine/Analyze.h"
#include "engine/CarnoGrid.h"
#include "engine/ResultTree.h"
#include "files/FunctionFile.h"
#include "files/PlaFile.h"
#include "platform/Message.h"

namespace {

namespace fs = std::filesystem;
using testing_support::WriteAll;

TEST(PlaMap, BenchmarkFilesOfUpTo8InputsComeBackAsTheSameFunction) {
    const fs::path folder = fs::path(MW_SOURCE_DIR) / ".." / "shared" / "bench" / "pla";
    if (!fs::is_directory(folder)) GTEST_SKIP() << "no benchmark folder at " << folder;
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    int tried = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".pla") continue;
        pla::Error error;
        const auto file = pla::ReadFile(entry.path().string(), &error);
        ASSERT_TRUE(file) << entry.path() << ": " << error.message;
        if (file->inputs > 8) continue;
        const auto forMap = ReadPlaForMap(entry.path().string());
        ASSERT_TRUE(forMap) << entry.path();
        for (int o = 0; o < file->outputs; ++o) {
            TCarnoGrid map;
            ASSERT_TRUE(TakeFunctionTable(map, TableOfPla(*forMap, o)));
            ASSERT_EQ(map.VariableCount(), file->inputs);
            const auto text = MapPlaText(map);
            ASSERT_TRUE(text);
            const auto again = pla::ReadText(*text, &error);
            ASSERT_TRUE(again) << error.message << "\n" << *text;
            EXPECT_EQ(again->type, pla::Type::FD);
            EXPECT_EQ(again->FunctionString(0), file->FunctionString(o))
                << entry.path() << " output " << o;
            EXPECT_LE(again->rows, 1 << file->inputs) << "cubes, not one row per minterm";
        }
        ++tried;
    }
    EXPECT_GE(tried, 20);
    EXPECT_TRUE(sink.Shown().empty());
}

TEST(PlaMap, CompactCubesHoldExactlyTheirMinterms) {
    std::mt19937 rng(5);
    for (int round = 0; round < 200; ++round) {
        const int n = 1 + round % 8;
        const std::size_t size = std::size_t{1} << n;
        std::vector<bool> need(size), allowed(size);
        for (std::size_t m = 0; m < size; ++m) {
            const int r = rng() % 4;
            need[m] = r == 0;
            allowed[m] = r <= 1;
        }
        std::vector<int> hits(size, 0);
        for (const pla::Cube& c : CompactCubes(need, allowed, n))
            for (std::uint32_t m = 0; m < size; ++m)
                if (c.Contains(m)) {
                    ++hits[m];
                    EXPECT_TRUE(allowed[m]) << "a cube reaches past what it may take in";
                }
        for (std::size_t m = 0; m < size; ++m)
            if (need[m]) {
                EXPECT_GT(hits[m], 0) << n << " m" << m;
            }
    }
}

TEST(PlaMap, MinimizedResultsReadBackAsCoversOfTheFunction) {
    std::mt19937 rng(17);
    for (int round = 0; round < 21; ++round) {
        const int n = 2 + round % 7;
        TCarnoGrid map;
        MemoryResultTree tree;
        map.TreeView = &tree;
        map.SetVariableCount(n);
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r)
                map.SetCells(c, r, "001*"[rng() % 4] + std::string());
        TCarnoGrid before = map;
        ASSERT_TRUE(AnalyzeMap(map, gmDNF));
        const auto text = ResultPlaText(map);
        ASSERT_TRUE(text);
        pla::Error error;
        const auto cover = pla::ReadText(*text, &error);
        ASSERT_TRUE(cover) << error.message;
        EXPECT_EQ(cover->type, pla::Type::F);
        EXPECT_EQ(cover->rows, map.ResultCount());
        EXPECT_EQ(cover->InputName(0), "A");
        for (int m = 0; m < (1 << n); ++m) {
            const TCellPos p = before.PositionOfMinterm(m);
            const std::string cell = before.Cells(p.Col, p.Row);
            if (cell != "*") {
                EXPECT_EQ(cover->ValueAt(0, m), cell[0]) << n << " m" << m;
            }
        }
    }
    TCarnoGrid pos;
    pos.SetCells(1, 1, "1");
    ASSERT_TRUE(AnalyzeMap(pos, gmKNF));
    EXPECT_FALSE(ResultPlaText(pos)) << "a product of sums is no PLA cover";
    EXPECT_FALSE(ResultPlaText(TCarnoGrid())) << "no result";
}

TEST(PlaMap, OutputsByNameOrNumberAndBadFilesRefused) {
    pla::Error error;
    const auto two = pla::ReadText(".i 2\n.o 3\n.ob s c 2\n11 011\n01 100\n.e\n", &error);
    ASSERT_TRUE(two);
    EXPECT_EQ(PlaOutputOf(*two, "c"), 1);
    EXPECT_EQ(PlaOutputOf(*two, "1"), 0);
    EXPECT_EQ(PlaOutputOf(*two, "2"), 2) << "a name before a number";
    EXPECT_EQ(PlaOutputOf(*two, "3"), 2);
    EXPECT_EQ(PlaOutputOf(*two, "4"), -1);
    EXPECT_EQ(PlaOutputOf(*two, "x"), -1);
    const FunctionTable c = TableOfPla(*two, 1);
    EXPECT_EQ(c.values, (std::vector<std::string>{"0", "0", "0", "1"}));
    EXPECT_EQ(c.outputName, "c");

    testing_support::TempFolder folder;
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    WriteAll(folder / "bad.pla", ".i 3\n.o 1\n101 1\n11 1\n");
    EXPECT_FALSE(ReadPlaForMap(folder / "bad.pla"));
    ASSERT_EQ(sink.Shown().size(), 1u);
    EXPECT_NE(sink.Shown()[0].text.find("line 4"), std::string::npos) << sink.Shown()[0].text;
    WriteAll(folder / "wide.pla", ".i 9\n.o 1\n.e\n");
    EXPECT_FALSE(ReadPlaForMap(folder / "wide.pla"));
    EXPECT_EQ(sink.Texts().back(), "The map takes functions of 2 to 8 inputs.");
    bool missing = false;
    sink.Clear();
    EXPECT_FALSE(ReadPlaForMap(folder / "none.pla", &missing));
    EXPECT_TRUE(missing);
    EXPECT_TRUE(sink.Shown().empty());
}

}  // namespace
