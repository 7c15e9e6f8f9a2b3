#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "TempFolder.h"
#include "cli/CliRun.h"
#include "engine/CarnoGrid.h"
#include "files/MapFile.h"

namespace {

using testing_support::Cli;
using testing_support::CliRun;

TEST(AnalyzeCli, PrintsTheTreeForBothForms) {
    CliRun r = Cli({"analyze", "--ones", "0,1,2,5,8-10"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "|B*|D+|B*|C+|A*|C*D\n  |B*|D\n  |B*|C\n  |A*|C*D\n");
    // Empty cells become "1" for a product of sums, so the zeros are given.
    r = Cli({"analyze", "--pos", "--vars=4", "--zeros=3-4,6-7,11-15"});
    EXPECT_EQ(r.out, "|C+|D*|A+|B*|B+D\n  |C+|D\n  |A+|B\n  |B+D\n");
    r = Cli({"analyze", "--vars", "2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "\n");
    r = Cli({"analyze", "--vars", "3", "--dc", "0-7", "--ones", "0-7"});
    EXPECT_EQ(r.out, "\n");  // the dc list is written last: only don't cares
}

TEST(AnalyzeCli, TableThenListsAndNames) {
    // Minterm 3 from the table is overridden by the ones list.
    CliRun r =
        Cli({"analyze", "--vars", "3", "--table", "11*0----", "--zeros", "5", "--names", "X,Y,Z"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "|X*|Y\n  |X*|Y\n");

    const std::string path = ::testing::TempDir() + "/table.txt";
    std::ofstream(path) << "0000000000000001\n";
    r = Cli({"analyze", "--table=@" + path});
    EXPECT_EQ(r.out, "A*B*C*D\n  A*B*C*D\n");
    std::remove(path.c_str());
}

TEST(AnalyzeCli, Json) {
    CliRun r = Cli({"analyze", "--vars", "2", "--ones", "0,1", "--json"});
    EXPECT_EQ(r.out,
              "{\"variables\":2,\"form\":\"SOP\",\"formula\":\"|A\",\"terms\":[{\"text\":\"|A\","
              "\"cells\":[[1,1],[2,1]],\"minterms\":[0,1]}]}\n");
    r = Cli({"analyze", "--vars", "2", "--pos", "--json", "--names", "Q\"1"});
    EXPECT_EQ(r.out, "{\"variables\":2,\"form\":\"POS\",\"formula\":\"\",\"terms\":[]}\n");
}

TEST(AnalyzeCli, FormulaFillsTheMapAsTheFormulaDialogDoes) {
    CliRun r = Cli({"analyze", "--formula", "A*|B + C*D"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "C*D+A*|B\n  C*D\n  A*|B\n");
    // A product of sums writes zeros.
    r = Cli({"analyze", "--pos", "--formula=A+|B*D", "--formula-type", "POS"});
    EXPECT_EQ(r.out, "D*A+|B\n  D\n  A+|B\n");
    // The lists come after the formula: minterm 3 (A and B) is taken back out.
    EXPECT_EQ(Cli({"analyze", "--vars", "2", "--formula", "A", "--zeros", "3"}).out,
              "A*|B\n  A*|B\n");
    r = Cli({"analyze", "--vars", "3", "--names", "X,Y,Z", "--formula", "X*Q"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Unknown variable in line.\nPosition: 3.\n");
    EXPECT_EQ(Cli({"analyze", "--formula-type", "SOP"}).status, 2);
    EXPECT_EQ(Cli({"analyze", "--formula", "A", "--formula-type", "sum"}).status, 2);
}

TEST(AnalyzeCli, MapFileGivesCountAndCells) {
    testing_support::TempFolder folder;
    TCarnoGrid map;
    map.SetVariableCount(3);
    map.FillCard("0");
    map.SetCells(1, 1, "1");
    map.SetCells(2, 1, "1");
    map.SetCells(3, 2, "*");
    const std::string path = folder / "m.km";
    ASSERT_TRUE(SaveToFile(map, path));
    CliRun r = Cli({"analyze", "--km", path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "|A*|B\n  |A*|B\n");
    EXPECT_EQ(Cli({"analyze", "--km", path, "--vars", "3", "--ones", "7"}).out,
              "|A*|B+A*B*C\n  |A*|B\n  A*B*C\n");
    // --vars may only confirm the file's count.
    r = Cli({"analyze", "--km", path, "--vars", "4"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("contradicts"), std::string::npos);

    for (const std::string& bad : {folder / "none.km", folder.Path().string()}) {
        r = Cli({"analyze", "--km", bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
    testing_support::WriteAll(path, "CCSx");
    r = Cli({"analyze", "--km", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "File type mistmatch.\n");
}

TEST(AnalyzeCli, InvalidInputExitsOneWithTheProgramsMessage) {
    CliRun r = Cli({"analyze", "--vars", "9"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Invalid number of variables"), std::string::npos);
    for (std::vector<std::string> args : {std::vector<std::string>{"analyze", "--ones", "3,a"},
                                          {"analyze", "--zeros", "1;2"},
                                          {"analyze", "--dc", "\t1"},
                                          {"analyze", "--table", "01"},
                                          {"analyze", "--table", "0123012301230123"},
                                          {"analyze", "--table", "@/nonexistent/file"},
                                          {"analyze", "--names", "A,B,C,D,E,F,G,H,I"}}) {
        r = Cli(args);
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
    testing_support::TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    r = Cli({"analyze", "--ones", "@" + folder / "fifo"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(folder / "fifo" + ": not a regular file"), std::string::npos) << r.err;
    r = Cli({"analyze", "--km", "/dev/null"});
    EXPECT_NE(r.err.find("/dev/null: not a regular file"), std::string::npos) << r.err;
}

TEST(AnalyzeCli, UsageErrorsExitTwo) {
    for (std::vector<std::string> args : {std::vector<std::string>{"analyze", "--bogus"},
                                          {"analyze", "--vars"},
                                          {"analyze", "--vars", "four"},
                                          {"analyze", "--json=yes"},
                                          {"analyze", "stray"},
                                          {"nosuchcommand"}}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
    EXPECT_EQ(Cli({}).status, 0);
    EXPECT_NE(Cli({"analyze", "--help"}).out.find("usage: mapwright-cli analyze"),
              std::string::npos);
}

}  // namespace

// Every subcommand of the table answers the same way at its edges: --help is its usage line
// with status 0, an unknown option is a usage error naming the command, and an unknown command
// is refused.
TEST(CliTable, EveryCommandHelpsAndRefusesUnknownOptionsAlike) {
    for (const cli::Subcommand* command : cli::Subcommands()) {
        SCOPED_TRACE(command->name);
        const auto help = testing_support::Cli({command->name, "--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out, std::string(command->usage) + "\n");
        const auto bad = testing_support::Cli({command->name, "--no-such-option"});
        EXPECT_EQ(bad.status, 2);
        EXPECT_EQ(bad.err.rfind(std::string("mapwright-cli ") + command->name + ": ", 0), 0u)
            << bad.err;
        EXPECT_NE(bad.err.find(command->usage), std::string::npos);
        EXPECT_NE(testing_support::Cli({"--help"}).out.find(command->summary), std::string::npos);
    }
    EXPECT_EQ(testing_support::Cli({"no-such-command"}).status, 2);
}
