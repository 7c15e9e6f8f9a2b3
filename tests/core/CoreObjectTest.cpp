// The core component's side of the exchange: reading the function string, the call order,
// and the result lines it writes back.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "TempFolder.h"
#include "core/CoreObject.h"
#include "core/ExchangeFormat.h"

namespace {

using namespace mwcore;

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Put(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

TEST(CoreObject, MinimizesTheExchangeFileInPlace) {
    testing_support::TempFolder folder;
    const std::string file = folder / "exchange";
    CoreObject core(file, {});
    core.WriteResults();  // nothing pending: nothing written
    EXPECT_FALSE(std::ifstream(file).good());
    core.SetVariableCount(4);
    // A and not B, or D (variable 1 = D is the least significant bit).
    Put(file, "0101010111110101");
    core.ReadFunction();
    core.MinimizeFunction();
    core.FormatResults();
    core.WriteResults();
    std::string text = Slurp(file);
    EXPECT_EQ(text.rfind("<result minimum=\"true\" nodes=\"", 0), 0u) << text;
    EXPECT_NE(text.find(" bound=\"2\" proven=\"true\" seconds=\""), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with(" stopped=\"nothing\">x1*+x4*|x3*</result>\n")) << text;

    // Quick leaves a cyclic function unproven; prove settles it.
    Put(file, "01111110");
    core.SetVariableCount(3);
    core.SetEffort(0);
    core.ReadFunction();
    core.MinimizeFunction();
    core.FormatResults();
    core.WriteResults();
    EXPECT_EQ(Slurp(file).rfind("<result minimum=\"false\"", 0), 0u);
    core.SetEffort(2);
    Put(file, "01111110");
    core.ReadFunction();
    core.MinimizeFunction();
    core.FormatResults();
    core.WriteResults();
    text = Slurp(file);
    EXPECT_EQ(text.rfind("<result minimum=\"true\"", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << "both minimum covers: " << text;
    EXPECT_THROW(core.SetEffort(3), CallError);
    EXPECT_THROW(core.SetEffort(-1), CallError);
    core.SetVariableCount(4);

    Put(file, "2222000022220000");  // only don't cares and zeros: constant 0
    core.ReadFunction();
    core.MinimizeFunction();
    core.FormatResults();
    core.WriteResults();
    text = Slurp(file);
    EXPECT_EQ(text.rfind("<result minimum=\"true\" ", 0), 0u) << text;
    EXPECT_TRUE(text.ends_with("\">ZERO_FUN</result>\n")) << text;
}

TEST(CoreObject, RefusesBadInputAndCallsOutOfOrder) {
    testing_support::TempFolder folder;
    const std::string file = folder / "exchange";
    CoreObject core(file, {});
    EXPECT_THROW(core.ReadFunction(), CallError);  // no variable count yet
    EXPECT_THROW(core.SetVariableCount(0), CallError);
    EXPECT_THROW(core.SetVariableCount(24), CallError);
    core.SetVariableCount(2);
    EXPECT_THROW(core.ReadFunction(), CallError);  // no file
    Put(file, "01201");
    EXPECT_THROW(core.ReadFunction(), CallError);
    Put(file, std::string(100000, '0'));
    EXPECT_THROW(core.ReadFunction(), CallError);
    Put(file, "01x1");
    EXPECT_THROW(core.ReadFunction(), CallError);
    EXPECT_THROW(core.MinimizeFunction(), CallError);  // the failed read left nothing
    EXPECT_THROW(core.FormatResults(), CallError);
    Put(file, "0111\n");  // a trailing line break is tolerated
    EXPECT_NO_THROW(core.ReadFunction());
}

// The value at minterm m of a result line's sum of products ("x4*|x3*+x1*").
bool LineValue(const std::string& line, uint32_t m) {
    const std::string result =
        line.substr(line.find('>') + 1, line.rfind("</") - line.find('>') - 1);
    if (result == "ONE_FUN") return true;
    if (result == "ZERO_FUN") return false;
    std::istringstream terms(result);
    for (std::string term; std::getline(terms, term, '+');) {
        bool all = true;
        std::istringstream literals(term);
        for (std::string literal; std::getline(literals, literal, '*');) {
            const bool negated = literal[0] == '|';
            const int k = std::stoi(literal.substr(negated ? 2 : 1));
            all = all && (((m >> (k - 1)) & 1) != negated);
        }
        if (all) return true;
    }
    return false;
}

// The first cared-for minterm where the line's sum differs from the function string, or -1.
int Mismatch(const std::string& line, const std::string& function) {
    for (uint32_t m = 0; m < function.size(); ++m)
        if (function[m] != '2' && LineValue(line, m) != (function[m] == '1'))
            return static_cast<int>(m);
    return -1;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void RunAll(CoreObject& core) {
    core.ReadFunction();
    core.MinimizeFunction();
    core.FormatResults();
    core.WriteResults();
}

TEST(CoreObject, SeveralFunctionsShareTheirProducts) {
    testing_support::TempFolder folder;
    const std::string file = folder / "exchange";
    CoreObject core(file, {});
    core.SetVariableCount(4);
    core.SetOutputCount(3);
    // f = x4 x3 + x1 |x2, g = x4 x3 + x2 x1, h = 0 except a don't care: x4 x3 is worth sharing.
    std::string f(16, '0'), g(16, '0'), h(16, '0');
    for (uint32_t m = 0; m < 16; ++m) {
        const bool both = (m & 12) == 12;
        f[m] = both || (m & 3) == 1 ? '1' : '0';
        g[m] = both || (m & 3) == 3 ? '1' : '0';
    }
    f[0] = '2';
    h[5] = '2';
    Put(file, f + "\n" + g + "\r\n" + h);
    RunAll(core);
    const std::vector<std::string> lines = LinesOf(Slurp(file));
    ASSERT_EQ(lines.size(), 3u);
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(lines[j].rfind("<result output=\"" + std::to_string(j + 1) + "\"", 0), 0u)
            << lines[j];
        EXPECT_EQ(Mismatch(lines[j], j == 0 ? f : j == 1 ? g : h), -1) << lines[j];
    }
    EXPECT_NE(lines[0].find(" products=\"3\" "), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(" proven=\"true\" "), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("x4*x3*"), std::string::npos);
    EXPECT_NE(lines[1].find("x4*x3*"), std::string::npos);
    EXPECT_TRUE(lines[2].ends_with(">ZERO_FUN</result>"));

    // The count stays until changed; one is the single function again.
    Put(file, f + "\n" + g);
    EXPECT_THROW(core.ReadFunction(), CallError) << "two strings where three were announced";
    Put(file, f + "\n" + g + "\n" + h.substr(0, 15) + "x");
    try {
        core.ReadFunction();
        ADD_FAILURE() << "a bad character was taken";
    } catch (const CallError& e) {
        EXPECT_NE(std::string(e.what()).find("function 3"), std::string::npos) << e.what();
    }
    EXPECT_THROW(core.SetOutputCount(0), CallError);
    EXPECT_THROW(core.SetOutputCount(129), CallError);
    core.SetOutputCount(1);
    Put(file, f);
    RunAll(core);
    EXPECT_EQ(Slurp(file).rfind("<result minimum=", 0), 0u);
}

// Cancel given while the minimization runs (here: before it starts, after the function was
// read) cuts it short; the answer is still a verified cover and says it was cancelled.
TEST(CoreObject, CancelKeepsAVerifiedCoverAndSaysSo) {
    testing_support::TempFolder folder;
    const std::string file = folder / "exchange";
    CoreObject core(file, {});
    const int n = 9;
    std::string f(std::size_t{1} << n, '0');
    uint32_t x = 12345;
    for (char& c : f) {
        x = x * 1103515245 + 12345;
        c = "0112"[(x >> 16) & 3];
    }
    core.SetVariableCount(n);
    core.SetEffort(2);
    Put(file, f);
    core.Cancel();  // before the read: forgotten
    core.ReadFunction();
    core.Cancel();
    core.MinimizeFunction();
    core.FormatResults();
    core.WriteResults();
    std::string text = Slurp(file);
    EXPECT_NE(text.find(" stopped=\"cancel\""), std::string::npos) << text.substr(0, 200);
    EXPECT_EQ(text.rfind("<result minimum=\"false\"", 0), 0u);
    std::vector<std::string> lines = LinesOf(text);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Mismatch(lines[0], f), -1);

    core.SetOutputCount(2);
    std::string g = f;
    std::reverse(g.begin(), g.end());
    Put(file, f + "\n" + g);
    core.ReadFunction();
    core.Cancel();
    core.MinimizeFunction();
    core.FormatResults();
    core.WriteResults();
    lines = LinesOf(Slurp(file));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(" stopped=\"cancel\""), std::string::npos) << lines[0].substr(0, 200);
    EXPECT_EQ(Mismatch(lines[0], f), -1);
    EXPECT_EQ(Mismatch(lines[1], g), -1);
}

TEST(ExchangeFormat, SeveralMinimumCoversAreSeveralLines) {
    // on = {0,1,2,5,6,7} is cyclic: two minimum covers of three products each.
    const Problem p = ParseFunctionString("11100111", 3);
    const Minimization m = Minimize(p);
    ASSERT_EQ(m.covers.size(), 2u);
    const std::vector<std::string> lines = ResultLines(m);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0], lines[1]);
    for (const std::string& line : lines) EXPECT_EQ(std::count(line.begin(), line.end(), '+'), 2);
}

TEST(ExchangeFormat, FunctionStringsAreReadExactlyAndBadCharactersNamed) {
    // Long enough for whole words of 64 characters and a short tail; every character kind in
    // every position of a word.
    std::string text;
    for (int m = 0; m < 256; ++m) text += "012"[(m * 7 + m / 5) % 3];
    const Problem p = ParseFunctionString(text + "\r\n", 8);
    for (uint32_t m = 0; m < 256; ++m) {
        EXPECT_EQ(p.on.Get(m), text[m] == '1') << m;
        EXPECT_EQ(p.dc.Get(m), text[m] == '2') << m;
        EXPECT_EQ(p.off.Get(m), text[m] == '0') << m;
    }
    for (std::size_t at : {0u, 17u, 63u, 64u, 130u, 255u})
        for (char bad : {'3', '/', '*', ' ', '\x80', '\xff'}) {
            std::string wrong = text;
            wrong[at] = bad;
            try {
                ParseFunctionString(wrong, 8);
                ADD_FAILURE() << "accepted byte " << int(bad) << " at " << at;
            } catch (const FormatError& e) {
                EXPECT_NE(std::string(e.what()).find("position " + std::to_string(at)),
                          std::string::npos)
                    << e.what();
            }
        }
    EXPECT_THROW(ParseFunctionString(text.substr(0, 255), 8), FormatError);
    const Problem small = ParseFunctionString("1020", 2);  // shorter than a word
    EXPECT_TRUE(small.on.Get(0) && small.dc.Get(2) && small.off.Get(1) && small.off.Get(3));
    EXPECT_FALSE(small.on.Get(2) || small.on.Get(3));
}

}  // namespace
