#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "TempFolder.h"
#include "files/Pla.h"

namespace {

namespace fs = std::filesystem;

pla::Pla MustRead(const std::string& text) {
    pla::Error error;
    auto p = pla::ReadText(text, &error);
    EXPECT_TRUE(p.has_value()) << error.message;
    return p ? *p : pla::Pla{};
}

// The benchmark folder beside the worktrees; absent on a machine without it.
fs::path BenchFolder() {
    if (const char* dir = getenv("MW_BENCH_DIR")) return dir;
    return fs::path(MW_SOURCE_DIR) / ".." / "shared" / "bench";
}

TEST(Pla, EachTypeGivesItsOwnMeaningToTheOutputCharacters) {
    // Two inputs; minterm 0 = "00" ... 3 = "11". One row per minterm and output character.
    const std::string rows = "00 1\n01 0\n10 -\n";
    struct Case {
        const char* type;
        const char* function;  // minterms 0..3
    } cases[] = {
        {"f", "1000"},    // only the on rows count, the rest is off
        {"fd", "1020"},   // - is a don't care
        {"fr", "1022"},   // 0 rows are off, what no row names is a don't care
        {"fdr", "1022"},  // all three given; minterm 3 unnamed is a don't care
    };
    for (const auto& c : cases) {
        const auto p = MustRead(std::string(".i 2\n.o 1\n.type ") + c.type + "\n" + rows + ".e\n");
        EXPECT_EQ(p.FunctionString(0), c.function) << c.type;
        for (std::uint32_t m = 0; m < 4; ++m)
            EXPECT_EQ(p.ValueAt(0, m), c.function[m]) << c.type << m;
    }
    // Without .type it is fd; 4 is on, 2 is a don't care, ~ names nothing; a point both on and
    // don't care is a don't care.
    const auto p = MustRead(".i 2\n.o 3\n0- 4~1\n-0 2~-\n11 ~~0\n");
    EXPECT_EQ(p.type, pla::Type::FD);
    EXPECT_EQ(p.FunctionString(0), "2120");
    EXPECT_EQ(p.FunctionString(1), "0000");
    EXPECT_EQ(p.FunctionString(2), "2120");
    EXPECT_EQ(p.rows, 3);
}

TEST(Pla, LayoutVariantsOfClassicFilesRead) {
    // Input column 1 is the most significant bit; blanks and | between the parts; comments;
    // a bare name first; CR line ends; .end; names; padded numbers.
    const auto p = MustRead(
        "demo\r\n# a comment\r\n.i    3\n.o 2 # trailing comment\n.ilb a b c\n.ob y z\n"
        ".p 2\n1-0|1 0\n0 1 1\n  0 1\n.end\nthis is not read\n");
    ASSERT_EQ(p.inputs, 3);
    ASSERT_EQ(p.outputs, 2);
    EXPECT_EQ(p.InputName(0), "a");
    EXPECT_EQ(p.OutputName(1), "z");
    ASSERT_EQ(p.functions[0].on.size(), 1u);
    EXPECT_EQ(p.functions[0].on[0], (pla::Cube{0b101, 0b100}));
    EXPECT_EQ(p.FunctionString(0), "00001010");
    EXPECT_EQ(p.FunctionString(1), "00010000");
    // Without names the defaults are numbered from 0.
    const auto q = MustRead(".i 1\n.o 1\n1 1\n");
    EXPECT_EQ(q.InputName(0), "x0");
    EXPECT_EQ(q.OutputName(0), "f0");
}

TEST(Pla, AnyWidthReadsWithTwoAsAFreeInputAndAShortOutputNameList) {
    // 70 inputs: the literals at both ends and across the 64-bit edge keep their places.
    std::string row(70, '-');
    row[0] = '1';
    row[5] = '2';  // free, as "-"
    row[6] = '0';
    row[69] = '1';
    const auto p = MustRead(".i 70\n.o 3\n.ob y\n" + row + " 1~1\n.e\n");
    ASSERT_EQ(p.functions[0].on.size(), 1u);
    const pla::Cube& c = p.functions[0].on[0];
    EXPECT_EQ(c.care.Count(), 3);
    EXPECT_TRUE(c.value.Test(69) && !c.value.Test(63) && c.value.Test(0));
    row[5] = '-';
    EXPECT_EQ(pla::InputPart(c, 70), row);
    EXPECT_EQ(p.functions[2].on[0], c);
    // The names the list leaves out are the usual ones, and a warning says so.
    EXPECT_EQ(p.OutputName(0), "y");
    EXPECT_EQ(p.OutputName(2), "f2");
    ASSERT_EQ(p.warnings.size(), 1u);
    EXPECT_NE(p.warnings[0].find("line 3"), std::string::npos) << p.warnings[0];
    // Written and read back, wide covers keep every literal.
    std::vector<pla::Product> products{{c, {true, false, true}}};
    const auto back = MustRead(pla::CoverText(70, 3, products));
    EXPECT_EQ(back.functions[0].on, p.functions[0].on);
    // Too many names is still a fault, and so is any short input name list.
    pla::Error error;
    EXPECT_FALSE(pla::ReadText(".i 2\n.o 1\n.ob a b\n", &error));
    EXPECT_FALSE(pla::ReadText(".i 2\n.o 1\n.ilb a\n", &error));
}

TEST(Pla, FaultsAreRefusedWithTheirLine) {
    struct Case {
        const char* text;
        int line;
        const char* says;
    } cases[] = {
        {".i 2\n.o 1\n.phase 01\n", 3, "unknown directive '.phase'"},
        {".i 2\n.o 1\n01 1\n011 1\n", 4, "4 characters"},
        {".i 2\n.o 1\n0 1\n", 3, "2 characters"},
        {".i 2\n.o 1\n0 1\n.e\n", 3, "2 characters"},
        {".i 2\n.o 1\n0 1\n01 1\n", 3, "5 characters"},
        {".i 100001\n.o 1\n", 1, "100001 inputs: at most 100000"},
        {".i 4\n.o 129\n", 2, "129 outputs: at most 128"},
        {".i 0\n", 1, "at least one"},
        {".i x\n", 1, "'x' is not a number"},
        {".i -3\n", 1, "not a number"},
        {".i 2 3\n", 1, "takes one number"},
        {".i 2\n.o 1\n.ilb a\n", 3, "1 names for 2 inputs"},
        {".ob f\n", 1, "'.ob' before '.o'"},
        {".i 2\n.o 1\n.type q\n", 3, "unknown type 'q'"},
        {"01 1\n", 1, "before '.i'"},
        {".i 2\n01 1\n", 2, "before '.o'"},
        {".i 2\n.o 1\n0x 1\n", 3, "input 2 is 'x'"},
        {".i 2\n.o 2\n01 13\n", 3, "output 2 is '3'"},
        {".i 2\n.o 1\n01 1\n.i 3\n", 4, "given twice"},
        {".i 2\n.o 1\n01 1\n.type fr\n", 4, "after the first product"},
        {".o 1\n", 0, "no '.i' line"},
        {".i 1\n", 0, "no '.o' line"},
        {"", 0, "no '.i' line"},
        // On and off meet at 11 (lines 4 and 6); the don't care on line 5 does not reach it.
        {".i 2\n.o 1\n.type fdr\n1- 1\n10 -\n-1 0\n", 6, "1 on line 4 and 0 on line 6"},
    };
    for (const auto& c : cases) {
        pla::Error error;
        EXPECT_FALSE(pla::ReadText(c.text, &error).has_value()) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.message.find(c.says), std::string::npos)
            << c.text << " -> " << error.message;
        if (c.line > 0) {
            EXPECT_EQ(error.message.rfind("line " + std::to_string(c.line) + ": ", 0), 0u)
                << error.message;
        }
    }
    // Where don't cares cover the whole meeting of on and off (split over two cubes), it reads.
    const auto p = MustRead(".i 3\n.o 1\n.type fdr\n1-- 1\n-1- 0\n110 -\n111 -\n");
    EXPECT_EQ(p.FunctionString(0), "22001122");
    // More rows than allowed.
    pla::Error error;
    pla::Limits limits;
    limits.maxRows = 2;
    EXPECT_FALSE(pla::ReadText(".i 1\n.o 1\n0 1\n1 1\n- 1\n", &error, limits));
    EXPECT_EQ(error.line, 5);
    // More entries than allowed: a few rows of many outputs count as many.
    limits = {};
    limits.maxCubes = 5;
    EXPECT_TRUE(pla::ReadText(".i 1\n.o 3\n0 11~\n1 -00\n", &error, limits));
    EXPECT_FALSE(pla::ReadText(".i 1\n.o 3\n0 111\n1 1-1\n", &error, limits));
    EXPECT_EQ(error.line, 4);
    EXPECT_NE(error.message.find("too large"), std::string::npos);
    // A file that is not there.
    EXPECT_FALSE(pla::ReadFile("/nonexistent/x.pla", &error));
    EXPECT_EQ(error.line, 0);
    EXPECT_NE(error.message.find("/nonexistent/x.pla"), std::string::npos);
}

TEST(Pla, AByteOrderMarkIsSkippedAndANulIsShownAsBackslashZero) {
    EXPECT_EQ(MustRead("\xEF\xBB\xBF.i 1\n.o 1\n1 1\n").FunctionString(0), "01");
    pla::Error error;
    EXPECT_FALSE(pla::ReadText(std::string(".i 2\n.o 1\n0\0 1\n", 15), &error));
    EXPECT_EQ(error.message.rfind("line 3: input 2 is '\\0', not 0, 1", 0), 0u) << error.message;
}

// The clash of on and off rows against a reference point by point: the first on row holding
// a point that is also off and no don't care, and the first off row holding such a point of it.
TEST(Pla, ClashesOfOnAndOffAreFoundAsPointByPoint) {
    std::mt19937 random(5);
    int clashes = 0;
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + round % 9;
        std::string text = ".i " + std::to_string(n) + "\n.o 1\n.type fdr\n";
        struct Row {
            pla::Cube cube;
            char out;
            int line;
        };
        std::vector<Row> rows;
        for (int r = 0; r < 2 + static_cast<int>(random() % 12); ++r) {
            std::string in;
            pla::Cube c;
            for (int i = 0; i < n; ++i) {
                const char ch = "01--"[random() % 4];
                in += ch;
                const std::uint32_t bit = std::uint32_t{1} << (n - 1 - i);
                if (ch != '-') c.care |= bit;
                if (ch == '1') c.value |= bit;
            }
            const char out = "01-"[random() % 3];
            text += in + " " + out + "\n";
            rows.push_back({c, out, 4 + r});
        }
        const auto in = [&](char out, std::uint32_t m) {
            for (const Row& r : rows)
                if (r.out == out && r.cube.Contains(m)) return true;
            return false;
        };
        std::string expected;
        for (const Row& on : rows) {
            if (on.out != '1' || !expected.empty()) continue;
            for (const Row& off : rows) {
                if (off.out != '0' || !expected.empty()) continue;
                for (std::uint32_t m = 0; m < (1u << n) && expected.empty(); ++m)
                    if (on.cube.Contains(m) && off.cube.Contains(m) && !in('-', m))
                        expected = "line " + std::to_string(std::max(on.line, off.line)) +
                                   ": output 1 is 1 on line " + std::to_string(on.line) +
                                   " and 0 on line " + std::to_string(off.line) +
                                   " for the same inputs";
            }
        }
        pla::Error error;
        const bool read = pla::ReadText(text, &error).has_value();
        EXPECT_EQ(read, expected.empty()) << text << error.message;
        if (!read) EXPECT_EQ(error.message, expected) << text;
        clashes += !read;
    }
    EXPECT_GT(clashes, 50);
    EXPECT_LT(clashes, 250);
}

TEST(Pla, WrittenCoversAndFunctionsReadBackTheSame) {
    const std::vector<pla::Product> products = {
        {{0b1010, 0b1000}, {true, false, true}},
        {{0b0000, 0b0000}, {false, true, false}},
        {{0b1111, 0b0101}, {true, true, true}},
    };
    const std::string text = pla::CoverText(4, 3, products, {"a", "b", "c d", ""}, {"x", "y", "z"});
    EXPECT_EQ(text,
              ".i 4\n.o 3\n.ilb a b c_d _\n.ob x y z\n.p 3\n.type f\n"
              "1-0- 101\n---- 010\n0101 111\n.e\n");
    const auto p = MustRead(text);
    EXPECT_EQ(p.type, pla::Type::F);
    for (int o = 0; o < 3; ++o) {
        std::vector<pla::Cube> expected;
        for (const auto& product : products)
            if (product.outputs[o]) expected.push_back(product.in);
        EXPECT_EQ(p.functions[o].on, expected);
        EXPECT_TRUE(p.functions[o].dc.empty());
    }
    // Without names there is no name line.
    EXPECT_EQ(pla::CoverText(1, 1, {}), ".i 1\n.o 1\n.p 0\n.type f\n.e\n");

    std::ostringstream out;
    pla::WriteFunction(out, 3, {{0b100, 0b100}}, {{0b011, 0b011}}, {}, "g");
    const auto q = MustRead(out.str());
    EXPECT_EQ(q.OutputName(0), "g");
    EXPECT_EQ(q.FunctionString(0), "00021112");
}

// Every classic multi-output file reads, and each output read here is the function the
// benchmark's own one-output files (cut from the same sources by another tool) give.
TEST(Pla, EveryBenchmarkSourceReadsAndAgreesWithItsSplitOutputs) {
    const fs::path bench = BenchFolder();
    if (!fs::is_directory(bench / "src")) GTEST_SKIP() << "no benchmark folder at " << bench;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(bench / "src")) {
        if (!entry.is_regular_file()) continue;
        pla::Error error;
        EXPECT_TRUE(pla::ReadFile(entry.path().string(), &error)) << error.message;
        ++files;
    }
    EXPECT_EQ(files, 57);

    int compared = 0;
    for (const auto& entry : fs::directory_iterator(bench / "pla")) {
        std::ifstream in(entry.path());
        std::string first;
        std::getline(in, first);
        // "# output K of PATH (...)"
        std::istringstream words(first);
        std::string hash, word, path;
        int output = -1;
        words >> hash >> word >> output >> word >> path;
        pla::Error error;
        const auto one = pla::ReadFile(entry.path().string(), &error);
        ASSERT_TRUE(one) << error.message;
        if (one->inputs > 16) continue;  // the large ones are read above; comparing costs seconds
        const auto whole = pla::ReadFile((bench / "src" / path).string(), &error);
        ASSERT_TRUE(whole) << path << ": " << error.message;
        ASSERT_LT(output, whole->outputs) << first;
        EXPECT_EQ(one->FunctionString(0), whole->FunctionString(output)) << entry.path();
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

}  // namespace
