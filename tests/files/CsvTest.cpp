// CSV truth tables: seeded random maps through a file and back, the shapes spreadsheets write,
// and refusals that name their line and leave the map as it was.

#include <gtest/gtest.h>

#include <random>

#include "TempFolder.h"
#include "engine/CarnoGrid.h"
#include "engine/ResultTree.h"
#include "files/Csv.h"
#include "files/FunctionFile.h"
#include "files/MapFile.h"
#include "platform/Message.h"

namespace {

using testing_support::ReadAll;
using testing_support::WriteAll;

std::vector<std::string> Cells(const TCarnoGrid& map) {
    std::vector<std::string> cells;
    for (int c = 1; c <= TCarnoGrid::kStoreSize; ++c)
        for (int r = 1; r <= TCarnoGrid::kStoreSize; ++r) cells.push_back(map.Cells(c, r));
    return cells;
}

std::string ValueOf(const TCarnoGrid& map, int minterm) {
    const TCellPos p = map.PositionOfMinterm(minterm);
    return map.Cells(p.Col, p.Row);
}

TEST(Csv, RandomMapsComeBackExactlyWithTheirNames) {
    std::mt19937 rng(19);
    testing_support::TempFolder folder;
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    for (int round = 0; round < 28; ++round) {
        const int n = 2 + round % 7;
        TCarnoGrid map;
        map.SetVariableCount(n);
        const char* values[] = {"0", "1", "*", ""};
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, values[rng() % 4]);
        for (int k = 1; k <= n; ++k) map.SetVarName(k, "IN_" + std::to_string(k * 7 + round));
        const std::string path = folder / "t.csv";
        ASSERT_TRUE(SaveToCsvFile(map, path));

        TCarnoGrid back;
        ASSERT_TRUE(LoadFromCsvFile(back, path)) << ReadAll(path);
        ASSERT_EQ(back.VariableCount(), n);
        for (int m = 0; m < (1 << n); ++m)
            EXPECT_EQ(ValueOf(back, m), ValueOf(map, m)) << n << " m" << m;
        for (int k = 1; k <= n; ++k) EXPECT_EQ(back.VarName(k), map.VarName(k));
        EXPECT_EQ(back.LoadedMark, 2) << "loaded as a map file is";
    }
    EXPECT_TRUE(sink.Shown().empty());
}

TEST(Csv, WritesAHeaderAndEveryRowInMintermOrder) {
    const std::string text = csv::CsvText({2, {"P;Q", "R"}, "", {"1", "", "0", "*"}}, ';');
    EXPECT_EQ(text, "\"P;Q\";R;F\r\n0;0;1\r\n0;1;\r\n1;0;0\r\n1;1;X\r\n");
}

TEST(Csv, ReadsWhatSpreadsheetsWrite) {
    FileProblem problem;
    // Byte order mark, semicolons, quoted titles, blank and padded lines, rows in any order,
    // lower-case x and - for don't care, an empty value, a repeated row that agrees.
    const auto table = csv::ParseCsv(
        "\xEF\xBB\xBF\"a\" ; \"b \"\"c\"\"\";Out;;\r\n"
        "1;1;x;;\r\n"
        "\r\n"
        "0 ; 1 ; 1\r\n"
        ";;;;\r\n"
        "1;0;-\n"
        "0;1;1\n"
        "0;0;\n",
        &problem);
    ASSERT_TRUE(table) << problem.message << " line " << problem.line;
    EXPECT_EQ(table->variableCount, 2);
    EXPECT_EQ(table->names, (std::vector<std::string>{"a", "b \"c\""}));
    EXPECT_EQ(table->outputName, "Out");
    EXPECT_EQ(table->values, (std::vector<std::string>{"", "1", "*", "*"}));

    const auto commas = csv::ParseCsv("A,B,C,F\n1,1,1,1\n", &problem);
    ASSERT_TRUE(commas);
    EXPECT_EQ(commas->values[7], "1");
    EXPECT_EQ(commas->values[6], "") << "a row not given stays empty";
}

TEST(Csv, LineEndsOfEveryKindReadAlike) {
    // LF, CR LF and the lone CR of older spreadsheets, also mixed, give the same table and lines.
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const std::string e = end;
        FileProblem problem;
        const auto table = csv::ParseCsv("A,B,F" + e + "0,1,1" + e + e + "1,1,0" + e, &problem);
        ASSERT_TRUE(table) << problem.message;
        EXPECT_EQ(table->variableCount, 2);
        EXPECT_EQ(table->values, (std::vector<std::string>{"", "1", "", "0"}));
        EXPECT_FALSE(csv::ParseCsv("A,B,F" + e + "0,1,1" + e + e + "1,2,0", &problem));
        EXPECT_EQ(problem.line, 4);
    }
    FileProblem problem;
    const auto mixed = csv::ParseCsv("A,F\r0,1\r\n1,0\n", &problem);
    ASSERT_TRUE(mixed);
    EXPECT_EQ(mixed->values, (std::vector<std::string>{"1", "0"}));
}

TEST(Csv, NamesASpreadsheetWouldRunAreWrittenAsTextAndReadBack) {
    const std::vector<std::string> names = {"=1+2", "+A", "-B", "@SUM(A1)", "\tC", "'D", "E'"};
    FunctionTable table{7, names, "=HYPERLINK(x)", std::vector<std::string>(128, "1")};
    const std::string text = csv::CsvText(table);
    const std::string header = text.substr(0, text.find('\r'));
    EXPECT_EQ(header,
              "\"'=1+2\",\"'+A\",\"'-B\",\"'@SUM(A1)\",\"'\tC\",\"''D\",E',\"'=HYPERLINK(x)\"");
    FileProblem problem;
    const auto back = csv::ParseCsv(text, &problem);
    ASSERT_TRUE(back) << problem.message;
    EXPECT_EQ(back->names, names);
    EXPECT_EQ(back->outputName, "=HYPERLINK(x)");
}

TEST(Csv, TheFunctionsNameComesBackFromTheMap) {
    testing_support::TempFolder folder;
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    WriteAll(folder / "in.csv", "A,B,Carry\n0,1,1\n");
    TCarnoGrid map;
    ASSERT_TRUE(LoadFromCsvFile(map, folder / "in.csv"));
    ASSERT_TRUE(SaveToCsvFile(map, folder / "out.csv"));
    EXPECT_EQ(ReadAll(folder / "out.csv").substr(0, 11), "A,B,Carry\r\n");
    // A map file names no function: the writer's default again.
    TCarnoGrid plain;
    plain.SetVariableCount(2);
    ASSERT_TRUE(SaveToFile(plain, folder / "m.km"));
    ASSERT_TRUE(LoadFromFile(map, folder / "m.km"));
    ASSERT_TRUE(SaveToCsvFile(map, folder / "out.csv"));
    EXPECT_EQ(ReadAll(folder / "out.csv").substr(0, 7), "A,B,F\r\n");
}

TEST(Csv, RefusalsNameTheLine) {
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {"", 0},
        {"\n\n", 0},
        {"A\n", 1},
        {"A,B,F\n0,1,1\n0,2,1\n", 3},
        {"A,B,F\n0,1\n", 2},
        {"A,B,F\n0,1,1,1\n", 2},
        {"A,B,F\n0,1,Y\n", 2},
        {"A,B,F\n0,1,1\n\n0,1,0\n", 4},
        {"\"A,B,F\n", 1},
        {"A,B,F\n\"0\"x,1,1\n", 2},
        {"A,B,F\n0,1,10\n", 2},
    };
    for (const Case& c : cases) {
        FileProblem problem;
        EXPECT_FALSE(csv::ParseCsv(c.text, &problem)) << c.text;
        EXPECT_EQ(problem.line, c.line) << c.text;
        EXPECT_FALSE(problem.message.empty());
    }
    EXPECT_EQ(ProblemText({"An input is not 0 or 1.", 3}), "Line 3: An input is not 0 or 1.");
}

TEST(Csv, ABadFileLeavesMapNamesAndResultsAlone) {
    testing_support::TempFolder folder;
    TCarnoGrid map;
    MemoryResultTree tree;
    tree.AddRoot("A");
    map.TreeView = &tree;
    map.SetVariableCount(3);
    map.SetCells(1, 1, "1");
    map.SetCells(32, 32, "kept");
    const auto before = Cells(map);

    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    for (const std::string& content :
         {std::string("A,B,C,D,E,F,G,H,I,F\n0,0,0,0,0,0,0,0,0,1\n"), std::string("X,F\n0,1\n"),
          std::string("A,B,F\n0,1,1\n1,1,maybe\n")}) {
        sink.Clear();
        WriteAll(folder / "bad.csv", content);
        EXPECT_FALSE(LoadFromCsvFile(map, folder / "bad.csv")) << content;
        ASSERT_EQ(sink.Shown().size(), 1u) << content;
        EXPECT_EQ(map.VariableCount(), 3);
        EXPECT_EQ(Cells(map), before);
        EXPECT_EQ(map.VarName(1), "A");
        EXPECT_EQ(tree.NodeCount(), 1);
    }
    EXPECT_EQ(sink.Shown().back().text, "Line 3: The function's value is not 0, 1, X, - or empty.");

    sink.Clear();
    EXPECT_FALSE(LoadFromCsvFile(map, folder / "missing.csv"));
    EXPECT_TRUE(sink.Shown().empty()) << "a missing file does nothing, as the map file does";

    // Names that do not suit a map leave the map's own; the table itself is taken.
    WriteAll(folder / "names.csv", "x y,b,F\n1,1,1\n");
    EXPECT_TRUE(LoadFromCsvFile(map, folder / "names.csv"));
    EXPECT_EQ(map.VarName(1), "A");
    EXPECT_EQ(ValueOf(map, 3), "1");
    WriteAll(folder / "names.csv", "cin,b,F\n1,1,1\n");
    EXPECT_TRUE(LoadFromCsvFile(map, folder / "names.csv"));
    EXPECT_EQ(map.VarName(1), "CIN");
    EXPECT_EQ(map.VarName(2), "B");
}

TEST(Csv, CellsTheMapCannotHoldRefuseTheSave) {
    testing_support::TempFolder folder;
    TCarnoGrid map;
    map.SetCells(2, 2, "10");
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    EXPECT_FALSE(SaveToCsvFile(map, folder / "x.csv"));
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Invalid data in cell."});
    EXPECT_EQ(folder.EntryCount(), 0u);
}

TEST(MapNames, OnlyASetTheMapCanUse) {
    EXPECT_EQ(MapNamesFor({"a", "Cin", "x[0]"}), (std::vector<std::string>{"A", "CIN", "X[0]"}));
    EXPECT_FALSE(MapNamesFor({"a", "A"}));
    EXPECT_FALSE(MapNamesFor({"a", ""}));
    EXPECT_FALSE(MapNamesFor({"a+b"}));
    EXPECT_FALSE(MapNamesFor({"ELEVENCHARS"}));
    EXPECT_FALSE(MapNamesFor({"\xc3\xa4"}));
}

}  // namespace
