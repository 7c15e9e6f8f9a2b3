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

void Put(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

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
                EXPECT_NE(std::string(e.what()).find("position " + std::to_string(at)), std::string::npos) << e.what();
            }
        }
    EXPECT_THROW(ParseFunctionString(text.substr(0, 255), 8), FormatError);
    const Problem small = ParseFunctionString("1020", 2);  // shorter than a word
    EXPECT_TRUE(small.on.Get(0) && small.dc.Get(2) && small.off.Get(1) && small.off.Get(3));
    EXPECT_FALSE(small.on.Get(2) || small.on.Get(3));
}

}  // namespace
