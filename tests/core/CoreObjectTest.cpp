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
    EXPECT_EQ(Slurp(file), "<result minimum=\"true\">x1*+x4*|x3*</result>\n");

    Put(file, "2222000022220000");  // only don't cares and zeros: constant 0
    core.ReadFunction();
    core.MinimizeFunction();
    core.FormatResults();
    core.WriteResults();
    EXPECT_EQ(Slurp(file), "<result minimum=\"true\">ZERO_FUN</result>\n");
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

}  // namespace
