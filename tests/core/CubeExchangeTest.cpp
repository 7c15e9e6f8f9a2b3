// The exchange file's cube form: its reading, the answer on tables and on cubes against brute
// force over every point of small widths, and the component taking widths past the tables.

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "TempFolder.h"
#include "core/CoreObject.h"
#include "core/CubeExchange.h"

namespace {

using namespace mwcore;

// Whether input column i (the leftmost 0) of the row's input part holds minterm m.
bool RowHolds(const std::string& inputs, uint32_t m) {
    const int n = static_cast<int>(inputs.size());
    for (int i = 0; i < n; ++i) {
        const bool bit = (m >> (n - 1 - i)) & 1;
        if (inputs[i] != '-' && (inputs[i] == '1') != bit) return false;
    }
    return true;
}

// What the rows say of output j at m: '1', '0' or '2' (don't care).
char Expected(const std::string& text, int n, int j, uint32_t m) {
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    const bool fdr = line == ".type fdr";
    bool on = false, off = false, dc = false;
    while (std::getline(lines, line)) {
        if (!RowHolds(line.substr(0, n), m)) continue;
        const char c = line[n + 1 + j];
        on = on || c == '1';
        off = off || c == '0';
        dc = dc || c == '-';
    }
    if (dc) return '2';
    if (on) return '1';
    return fdr && !off ? '2' : '0';
}

// A result line's value at m: its products over x<k>, x<k> being bit k-1 of m.
bool LineValue(const std::string& line, uint32_t m) {
    const std::size_t open = line.find('>') + 1;
    const std::string body = line.substr(open, line.find("</result>") - open);
    if (body == "ONE_FUN" || body == "ZERO_FUN") return body == "ONE_FUN";
    std::istringstream terms(body);
    for (std::string term; std::getline(terms, term, '+');) {
        bool all = true;
        std::istringstream literals(term);
        for (std::string literal; std::getline(literals, literal, '*');) {
            if (literal.empty()) continue;
            const bool negated = literal[0] == '|';
            const int k = std::stoi(literal.substr(negated ? 2 : 1));
            all = all && (((m >> (k - 1)) & 1) != negated);
        }
        if (all) return true;
    }
    return false;
}

// Random rows of n inputs and k outputs; with fdr some rows are off rows, kept apart from
// the on rows of the same output by a literal of their own.
std::string RandomRows(std::mt19937& rng, int n, int k, int rows, bool fdr) {
    std::string text = fdr ? ".type fdr\n" : ".type fd\n";
    for (int r = 0; r < rows; ++r) {
        std::string in(n, '-');
        for (int i = 0; i < n; ++i) in[i] = "01---"[rng() % 5];
        std::string out(k, '~');
        for (char& c : out) c = fdr ? "1~-0"[rng() % 4] : "11~-"[rng() % 4];
        // Off rows only where the first input is 0, on rows only where it is 1.
        if (fdr) {
            in[0] = out.find('0') != std::string::npos ? '0' : '1';
            for (char& c : out)
                if (c == '1' && in[0] == '0') c = '~';
        }
        text += in + " " + out + "\n";
    }
    return text;
}

void ExpectImplements(const std::vector<std::string>& lines, const std::string& text, int n, int k,
                      const char* path) {
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(k)) << path;
    for (int j = 0; j < k; ++j)
        for (uint32_t m = 0; m < (1u << n); ++m) {
            const char e = Expected(text, n, j, m);
            if (e != '2')
                ASSERT_EQ(LineValue(lines[j], m), e == '1')
                    << path << " output " << j << " minterm " << m << "\n"
                    << text << lines[j];
        }
}

TEST(CubeExchange, BothPathsAgreeWithBruteForceOnSmallWidths) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 24; ++round) {
        const int n = 3 + round % 8, k = 1 + round % 4;
        const bool fdr = round % 3 == 2;
        const std::string text = RandomRows(rng, n, k, 4 + round % 12, fdr);
        const CubeInput in = ParseCubeExchange(text, n, k);
        ExpectImplements(MinimizeCubeInput(in, MultiOptionsFor(Effort::Thorough)), text, n, k,
                         "tables");
        const CubeProblem p = CubeProblemOf(in);
        ExpectImplements(CubeResultLines(MinimizeCubes(p, {}), p.shape), text, n, k, "cubes");
    }
}

TEST(CubeExchange, BadTextIsRefusedWithItsLine) {
    const auto refusal = [](const std::string& text, int n, int k) {
        try {
            ParseCubeExchange(text, n, k);
        } catch (const FormatError& e) {
            return std::string(e.what());
        }
        return std::string("taken");
    };
    EXPECT_EQ(refusal("", 2, 1), "the exchange file is empty");
    EXPECT_EQ(refusal("10 1\n", 2, 1), "line 1: \".type fd\" or \".type fdr\" expected");
    EXPECT_EQ(refusal(".type fd\n10 1\n101 1\n", 2, 1),
              "line 3: a row has 2 input characters, a blank and 1 output characters");
    EXPECT_EQ(refusal(".type fd\n1x 1\n", 2, 1), "line 2: input characters are 0, 1 and -");
    EXPECT_EQ(refusal(".type fd\n10 0\n", 2, 1), "line 2: output characters are 1, - and ~");
    EXPECT_EQ(refusal(".type fdr\n10 1\r\n1- 0\n", 2, 1), "taken");
    // An on row and an off row meeting outside the don't cares.
    const CubeInput clash = ParseCubeExchange(".type fdr\n1- ~1\n11 ~0\n", 2, 2);
    try {
        MinimizeCubeInput(clash, {});
        ADD_FAILURE() << "a clash was taken";
    } catch (const FormatError& e) {
        EXPECT_STREQ(e.what(), "output 2 is both 1 and 0 for some inputs");
    }
}

TEST(CubeExchange, TheComponentTakesWidthsPastTheTablesOnlyAsRows) {
    testing_support::TempFolder folder;
    const std::string file = folder / "exchange";
    CoreObject core(file, {});
    EXPECT_THROW(core.SetVariableCount(40), CallError);
    core.SetCubeInput(1);
    core.SetVariableCount(40);
    core.SetOutputCount(2);
    // x40 (the first column) and x1 (the last) together feed both outputs.
    std::ofstream(file) << ".type fd\n1" << std::string(38, '-') << "1 11\n1"
                        << std::string(38, '-') << "0 1~\n";
    core.ReadFunction();
    core.MinimizeFunction();
    core.FormatResults();
    core.WriteResults();
    std::ifstream in(file);
    std::string first, second;
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_TRUE(first.starts_with("<result output=\"1\" minimum=\"false\" products=\"2\""))
        << first;
    EXPECT_TRUE(first.ends_with(">x40*</result>")) << first;
    EXPECT_EQ(second, "<result output=\"2\" minimum=\"false\">x40*x1*</result>");
    // Back to function strings: the wide count is gone, a table's count must be set again.
    core.SetCubeInput(0);
    std::ofstream(file) << "0110";
    EXPECT_THROW(core.ReadFunction(), CallError);
    core.SetVariableCount(2);
    core.SetOutputCount(1);
    EXPECT_NO_THROW(core.ReadFunction());
    EXPECT_THROW(core.SetCubeInput(2), CallError);
}

}  // namespace
