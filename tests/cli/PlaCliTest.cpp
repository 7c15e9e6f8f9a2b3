// mapwright-cli pla: the written cover is checked against the input PLA's own cubes by a
// containment test of its own (no truth tables, nothing of the core), on small files of every
// type and on every classic benchmark PLA.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "CliRun.h"
#include "TempFolder.h"
#include "files/Pla.h"
#include "files/PlaCheck.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Cli;

// Every output's on cubes are covered by the result (or are don't cares), and no result
// product feeding an output reaches its off-set.
void ExpectEquivalent(const pla::Pla& in, const pla::Pla& out) {
    ASSERT_EQ(out.type, pla::Type::F);
    const auto fault = pla::CoverFault(in, out);
    EXPECT_FALSE(fault) << *fault;
}

pla::Pla Read(const std::string& path) {
    pla::Error error;
    auto p = pla::ReadFile(path, &error);
    EXPECT_TRUE(p) << error.message;
    return p ? *p : pla::Pla{};
}

TEST(PlaCli, EveryTypeIsMinimizedTogetherAndWrittenAsTypeF) {
    testing_support::TempFolder dir;
    struct Case {
        const char* text;
        std::size_t products;  // the known minimum
    } cases[] = {
        // f0 = a b, f1 = a b + c, f2 = c: two shared products.
        {".i 3\n.o 3\n.ilb a b c\n.ob f0 f1 f2\n.type f\n11- 110\n--1 011\n.e\n", 2},
        // With don't cares: f = a + b once the dc row is used.
        {".i 2\n.o 1\n10 1\n01 1\n11 -\n", 2},
        // Type fr: 1 at 11, 0 at 00, the rest free: one literal does it.
        {".i 2\n.o 1\n.type fr\n11 1\n00 0\n", 1},
        {".i 3\n.o 2\n.type fdr\n1-- 10\n0-- 01\n-11 --\n", 2},
    };
    int i = 0;
    for (const auto& c : cases) {
        const std::string in = dir / ("in" + std::to_string(i) + ".pla");
        const std::string out = dir / ("out" + std::to_string(i++) + ".pla");
        testing_support::WriteAll(in, c.text);
        const auto run = Cli({"pla", in, "--out", out});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(std::to_string(c.products) + " products"), std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find("a proven minimum"), std::string::npos) << run.out;
        const pla::Pla result = Read(out);
        EXPECT_EQ(static_cast<std::size_t>(result.rows), c.products) << c.text;
        ExpectEquivalent(Read(in), result);
    }
    // Names carry over; without --out the PLA goes to standard output.
    const auto run = Cli({"pla", dir / "in0.pla"});
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find(".ilb a b c\n.ob f0 f1 f2\n.p 2\n.type f\n"), std::string::npos)
        << run.out;
    // Each output alone repeats the shared products.
    const auto single = Cli({"pla", dir / "in0.pla", "--single", "--json"});
    ASSERT_EQ(single.status, 0) << single.err;
    EXPECT_NE(single.out.find("\"products\":4"), std::string::npos) << single.out;
    const auto json = Cli({"pla", dir / "in0.pla", "--json", "--effort", "quick"});
    ASSERT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("{\"inputs\":3,\"outputs\":3,\"products\":2,"), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("{\"inputs\":\"11-\",\"outputs\":\"110\"}"), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find(",\"stoppedBy\":\"nothing\""), std::string::npos) << json.out;
}

TEST(PlaCli, BadInputIsRefusedWithAReason) {
    testing_support::TempFolder dir;
    const std::string bad = dir / "bad.pla", big = dir / "big.pla", clash = dir / "clash.pla";
    testing_support::WriteAll(bad, ".i 2\n.o 1\n0 1\n");
    testing_support::WriteAll(big, ".i 23\n.o 128\n");
    testing_support::WriteAll(clash, ".i 2\n.o 2\n.type fr\n1- 01\n-1 00\n");
    auto run = Cli({"pla", bad});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("line 3: the product has 2 characters"), std::string::npos) << run.err;
    // Too large for tables, the function is minimized on cubes; past the outputs a product
    // can name, it is refused.
    run = Cli({"pla", big});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(".p 0\n"), std::string::npos) << run.out;
    testing_support::WriteAll(big, ".i 4\n.o 129\n");
    run = Cli({"pla", big});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("129 outputs: at most 128"), std::string::npos) << run.err;
    run = Cli({"pla", clash});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("1 on line 4 and 0 on line 5"), std::string::npos) << run.err;
    // Over the size limit: refused by its size, the same limit the map's reader keeps.
    const std::string huge = dir / "huge.pla";
    testing_support::WriteAll(huge, ".i 2\n.o 1\n");
    std::filesystem::resize_file(huge, (std::uintmax_t{64} << 20) + 1);
    run = Cli({"pla", huge});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("is larger than 64 MB"), std::string::npos) << run.err;
    run = Cli({"pla", dir / "missing.pla"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot open"), std::string::npos);
    EXPECT_EQ(Cli({"pla", bad, "--effort", "hard"}).status, 2);
    EXPECT_EQ(Cli({"pla"}).status, 2);
    // An output file that cannot be written.
    testing_support::WriteAll(bad, ".i 1\n.o 1\n1 1\n");
    run = Cli({"pla", bad, "--out", dir / "no/such/folder/out.pla"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos);
}

fs::path BenchSources() {
    if (const char* dir = getenv("MW_BENCH_DIR")) return fs::path(dir) / "src";
    return fs::path(MW_SOURCE_DIR) / ".." / "shared" / "bench" / "src";
}

std::vector<std::string> BenchFiles() {
    std::vector<std::string> files;
    if (!fs::is_directory(BenchSources())) return {""};
    for (const auto& e : fs::recursive_directory_iterator(BenchSources()))
        if (e.is_regular_file()) files.push_back(fs::relative(e.path(), BenchSources()).string());
    std::sort(files.begin(), files.end());
    return files;
}

class PlaBench : public ::testing::TestWithParam<std::string> {};

// The quick effort keeps the suite fast; the cover must be right whatever the effort.
TEST_P(PlaBench, MinimizedCoverIsEquivalentOnTheFilesOwnCubes) {
    if (GetParam().empty()) GTEST_SKIP() << "no benchmark folder at " << BenchSources();
    testing_support::TempFolder dir;
    const std::string in = (BenchSources() / GetParam()).string(), out = dir / "out.pla";
    const auto run = Cli({"pla", in, "--out", out, "--effort", "quick"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectEquivalent(Read(in), Read(out));
}

INSTANTIATE_TEST_SUITE_P(Sources, PlaBench, ::testing::ValuesIn(BenchFiles()),
                         [](const auto& info) {
                             std::string name = info.param.empty() ? "none" : info.param;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

}  // namespace
