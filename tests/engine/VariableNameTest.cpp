// The one rule for variable names: every name it accepts reads back through the formula
// language as itself, and what it refuses is refused with the reason.

#include <gtest/gtest.h>

#include <random>

#include "MapHelpers.h"
#include "engine/CarnoGrid.h"
#include "engine/VariableName.h"
#include "input/Formula.h"

namespace {

TEST(VariableName, EveryAcceptedNameReadsBackAsItself) {
    const std::vector<std::string> pieces = {"A",
                                             "b",
                                             "7",
                                             "_",
                                             "+",
                                             "*",
                                             "|",
                                             " ",
                                             "\t",
                                             "\x01",
                                             "\x7f",
                                             "=",
                                             "\xc3\xa9",
                                             "\xe2\x82\xac",
                                             "\xc3",
                                             "\xff",
                                             "\xed\xa0\x80",
                                             ","};
    std::mt19937 rng(6);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string name;
        for (int k = 1 + static_cast<int>(rng() % 4); k > 0; --k)
            name += pieces[rng() % pieces.size()];
        if (!varname::Problem(name).empty()) continue;
        ++accepted;
        EXPECT_TRUE(varname::IsUtf8(name));
        TCarnoGrid map;
        map.SetVariableCount(2);
        map.SetVarName(1, name);
        map.SetVarName(2, name == "B" ? "C" : "B");
        const std::string formula = "|" + name + "*" + map.VarName(2) + "+" + name;
        ASSERT_EQ(ValidateFormulaString(map, formula), 0) << name;
        AnalyzeFormulaString(map, formula);
        EXPECT_EQ(testing_support::MintermsWith(map, "1"), (std::vector<int>{1, 2, 3})) << name;
    }
    EXPECT_GT(accepted, 100);
}

TEST(VariableName, RefusalsSayWhy) {
    EXPECT_EQ(varname::Problem("\xc3\xa9t\xc3\xa9"), "");
    EXPECT_EQ(varname::Problem("A+B"),
              "Invalid variable name: \"A+B\"\n"
              "A name cannot hold \"+\", \"*\" or \"|\": a formula reads them as operators.");
    EXPECT_EQ(varname::Problem("A\x01 B"),
              "Invalid variable name: \"A? B\"\n"
              "A name cannot hold blanks or control characters.");
    EXPECT_EQ(varname::Problem("\xff"
                               "A"),
              "Invalid variable name: \"?A\"\nA name must be UTF-8 text.");
    EXPECT_EQ(varname::Problem(""), "Invalid variable name: \"\"\nA name cannot be empty.");
    EXPECT_FALSE(varname::IsUtf8("\xed\xa0\x80"));  // a surrogate
    EXPECT_FALSE(varname::IsUtf8("\xc0\x80"));      // an overlong zero
    EXPECT_TRUE(varname::IsUtf8("\xf0\x9f\x98\x80"));
}

}  // namespace
