#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "TempFolder.h"
#include "cli/CliRun.h"
#include "cli/Json.h"

namespace {

using testing_support::Cli;
using testing_support::CliRun;

TEST(CoreCli, TextJsonAndTableFile) {
    CliRun r = Cli({"core", "--vars", "4", "--ones", "1,3,5,7,8-11,13,15"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "D+A*|B\n  D\n  A*|B\n");
    r = Cli({"core", "--vars=3", "--table=11100111", "--names=X,Y,Z", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    // Two minimum covers: two results, both proven.
    EXPECT_EQ(r.out.rfind("{\"variables\":3,\"results\":[{\"formula\":", 0), 0u) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '{'), 4);  // with the stats
    std::size_t proven = 0;
    for (std::size_t at = r.out.find("\"minimum\":true"); at != std::string::npos;
         at = r.out.find("\"minimum\":true", at + 1))
        ++proven;
    EXPECT_EQ(proven, 2u) << r.out;
    r = Cli({"core", "--vars", "2", "--table", "****"});
    EXPECT_EQ(r.out, "0\n");
    r = Cli({"core", "--vars", "2", "--table", "1121"});
    EXPECT_EQ(r.out, "1\n");

    testing_support::TempFolder folder;
    std::ofstream(folder / "t.txt") << std::string(1 << 12, '0') + "\n";
    r = Cli({"core", "--vars", "12", "--table", "@" + (folder / "t.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0\n");
}

// What the core did comes after the results; the chosen effort reaches the core.
TEST(CoreCli, StatsAndEffort) {
    // A cyclic function of 3 variables: the heuristic alone cannot know it is minimum.
    const std::vector<std::string> cyclic{"core", "--vars", "3", "--table", "01111110", "--json"};
    std::vector<std::string> args = cyclic;
    CliRun r = Cli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::size_t stats = r.out.find("],\"stats\":{\"nodes\":");
    ASSERT_NE(stats, std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"bound\":3,\"proven\":true,\"seconds\":", stats), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"stopped\":\"nothing\"}}\n", stats), std::string::npos) << r.out;
    args.insert(args.end(), {"--effort", "quick"});
    r = Cli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"minimum\":false"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"proven\":false"), std::string::npos) << r.out;
    args.back() = "prove";
    r = Cli(args);
    EXPECT_NE(r.out.find("\"proven\":true"), std::string::npos) << r.out;
    args.back() = "hard";
    r = Cli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--effort must be quick, thorough or prove"), std::string::npos) << r.err;
}

TEST(CoreCli, BadInputAndUsage) {
    EXPECT_EQ(Cli({"core", "--vars", "4", "--ones", "1,x"}).err, "Invalid symbol in string.\n");
    EXPECT_EQ(Cli({"core", "--vars", "4", "--ones", "1,x"}).status, 1);
    EXPECT_EQ(Cli({"core", "--vars", "2", "--table", "012"}).status, 1);
    EXPECT_EQ(Cli({"core", "--vars", "2", "--table", "01a1"}).status, 1);
    EXPECT_EQ(Cli({"core", "--vars", "2", "--table", "0101", "--names", "A"}).status, 1);
    EXPECT_EQ(Cli({"core", "--vars", "24", "--table", "0"}).status, 2);
    EXPECT_EQ(Cli({"core", "--table", "0101"}).status, 2);
    EXPECT_EQ(Cli({"core", "--vars", "2"}).status, 2);
    EXPECT_EQ(Cli({"core", "--vars", "2", "--table", "0101", "--ones", "1"}).status, 2);
    EXPECT_EQ(Cli({"vhdl", "--formula", "A"}).status, 2);
    const CliRun bad = Cli({"vhdl", "--formula", "A*|signal", "--names", "A,signal"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("reserved"), std::string::npos);
    // Names the formulas could not be read back by are refused, and why is said.
    for (const char* names : {"A+B,C,D,E", "A,B C,D,E", "A,B,\xff,E"}) {
        const CliRun r = Cli({"core", "--vars", "4", "--ones", "1", "--names", names});
        EXPECT_EQ(r.status, 1) << names;
        EXPECT_NE(r.err.find("Invalid variable name"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(Cli({"analyze", "--vars", "2", "--ones", "1", "--names", "X|,Y"}).status, 1);
    const CliRun accented =
        Cli({"core", "--vars", "2", "--ones", "1", "--names", "\xc3\xa9,B", "--json"});
    EXPECT_NE(accented.out.find("\"formula\":\"|\xc3\xa9*B\""), std::string::npos) << accented.out;
    EXPECT_EQ(cli::JsonString("a\xff\xc3\x01\xe2\x82\xac"),
              "\"a\xef\xbf\xbd\xef\xbf\xbd\\u0001\xe2\x82\xac\"");
    const CliRun good = Cli({"vhdl", "--formula", "A*|B+D", "--names", "A,B,C,D"});
    EXPECT_EQ(good.status, 0);
    EXPECT_NE(good.out.find("  k0 <= A and not B;\n  k1 <= D;\n"), std::string::npos);
}

// A run ended by a signal while the core works leaves neither its exchange file nor its folder.
TEST(CoreCli, ARunKilledMidwayLeavesNothing) {
    const char* bin = std::getenv("MW_BIN_DIR");
    if (!bin) GTEST_SKIP() << "MW_BIN_DIR is not set: the program folder is unknown";
    testing_support::TempFolder folder;
    std::string table(1 << 22, '0');
    std::mt19937 rng(18);
    for (char& c : table) c = "0112"[rng() % 4];
    std::ofstream(folder / "table") << table;
    std::filesystem::create_directory(folder / "tmp");
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        const std::string program = std::string(bin) + "/mapwright-cli",
                          tableArg = "@" + folder / "table";
        const std::string tmpdir = "TMPDIR=" + folder / "tmp";
        const char* argv[] = {program.c_str(), "core",           "--vars", "22",
                              "--table",       tableArg.c_str(), nullptr};
        const char* envp[] = {tmpdir.c_str(), nullptr};
        pid_t child = 0;
        ASSERT_EQ(::posix_spawn(&child, program.c_str(), nullptr, nullptr, const_cast<char**>(argv),
                                const_cast<char**>(envp)),
                  0);
        bool written = false;  // the function is in the exchange file: the core has it
        for (int i = 0; i < 20000 && !written; ++i) {
            for (const auto& entry : std::filesystem::directory_iterator(folder / "tmp")) {
                std::error_code ec;
                written = written ||
                          std::filesystem::file_size(entry.path() / "exchange", ec) == table.size();
            }
            if (!written) ::usleep(500);
        }
        EXPECT_TRUE(written);
        ::kill(child, sig);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << "status " << status;
        EXPECT_TRUE(std::filesystem::is_empty(folder / "tmp")) << "signal " << sig;
    }
}

}  // namespace
