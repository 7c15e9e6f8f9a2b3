// The formula notation: validation positions, evaluation into cells under both types, and the
// round trip from the minimizer's result back onto a map.

#include <gtest/gtest.h>

#include <random>

#include "MapHelpers.h"
#include "engine/CarnoGrid.h"
#include "input/Formula.h"

namespace {

using testing_support::MintermsWith;

TEST(ValidateFormula, ReportsThePositionOfTheFirstUnknownLiteral) {
    TCarnoGrid map;  // names A..H, 4 variables
    struct Case {
        std::string text;
        int expected;
    };
    for (const Case& c : std::vector<Case>{{"", 0},
                                           {"A*|B+D", 0},
                                           {"|A*|B*|C*|D", 0},
                                           {"A*Q", 3},
                                           {"Q+A", 1},
                                           {"A**B", 3},  // an empty piece names nothing
                                           {"||A", 1},
                                           {"A|", 1},
                                           {"A*B+", 5},      // one past the end
                                           {"a*B", 1},       // names are case-sensitive
                                           {"A*E", 3},       // E is not among the 4 variables
                                           {" A * Q", 3},    // positions ignore spaces
                                           {"A B*D", 1}}) {  // read as AB*D
        EXPECT_EQ(ValidateFormulaString(map, c.text), c.expected) << c.text;
    }
    map.SetVarName(1, "AB");
    EXPECT_EQ(ValidateFormulaString(map, "A B * |D"), 0);
    map.SetVarName(2, "");
    EXPECT_EQ(ValidateFormulaString(map, "AB*"), 4);  // an empty name matches no empty piece
}

TEST(ValidateFormula, TheProblemSaysWhatWasFoundAndWhatIsExpected) {
    TCarnoGrid map;
    map.SetVariableCount(3);
    const std::pair<std::string, std::string> cases[] = {
        {"A*(B+C)", "'(' at 3: brackets are not part of the formula language"},
        {"(A)", "'(' at 1: brackets are not part of the formula language"},
        {"A*B)", "')' at 4: brackets are not part of the formula language"},
        {"A*", "a name is missing after '*'"},
        {"A**B", "a name is missing after '*'"},
        {"+A", "a name is missing before '+'"},
        {"A+|", "a name is missing after '|'"},
        {"||A", "a name is missing after '|'"},
        {"A * Q", "'Q' is not one of the map's variables (A, B, C)"},
        {"|D", "'D' is not one of the map's variables (A, B, C)"},
    };
    for (const auto& [text, problem] : cases) {
        const int position = ValidateFormulaString(map, text);
        ASSERT_GT(position, 0) << text;
        EXPECT_EQ(FormulaProblem(map, text, position), problem) << text;
    }
}

TEST(ValidateFormula, PositionsStayExactInLongTexts) {
    TCarnoGrid map;
    std::string text;
    for (int i = 0; i < 300; ++i) text += "A * |B + ";
    EXPECT_EQ(ValidateFormulaString(map, text + "C"), 0);
    // Each "A*|B+" is 5 characters once spaces are gone.
    EXPECT_EQ(ValidateFormulaString(map, text + "Z"), 300 * 5 + 1);
}

TEST(AnalyzeFormula, SumOfProductsAddsOnes) {
    TCarnoGrid map;
    testing_support::FillMinterms(map, {0});  // one "1" elsewhere stays
    AnalyzeFormulaString(map, "A*|B");
    EXPECT_EQ(MintermsWith(map, "1"), (std::vector<int>{0, 8, 9, 10, 11}));

    testing_support::FillMinterms(map, {});
    AnalyzeFormulaString(map, "A*|A");  // the later literal decides
    EXPECT_EQ(MintermsWith(map, "1"), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));

    testing_support::FillMinterms(map, {});
    AnalyzeFormulaString(map, "A B*D");  // AB names nothing and is ignored: the term is D
    EXPECT_EQ(MintermsWith(map, "1"), (std::vector<int>{1, 3, 5, 7, 9, 11, 13, 15}));

    testing_support::FillMinterms(map, {});
    AnalyzeFormulaString(map, "++|A*|B*|C*|D++A*B*C*D+");  // empty terms are skipped
    EXPECT_EQ(MintermsWith(map, "1"), (std::vector<int>{0, 15}));
}

TEST(AnalyzeFormula, ProductOfSumsAddsZerosAndTheTextAloneDoesNotSayWhich) {
    TCarnoGrid map;
    map.FormulaType = gmKNF;
    testing_support::FillMinterms(map, {}, {}, "1", "1");
    AnalyzeFormulaString(map, "A+|B");
    EXPECT_EQ(MintermsWith(map, "0"), (std::vector<int>{4, 5, 6, 7}));

    testing_support::FillMinterms(map, {}, {}, "1", "1");
    AnalyzeFormulaString(map, "A+|B*D");  // (A or not B) and D
    EXPECT_EQ(MintermsWith(map, "0"), (std::vector<int>{0, 2, 4, 5, 6, 7, 8, 10, 12, 14}));

    // The same text as a sum of products: A or (not B and D).
    map.FormulaType = gmDNF;
    testing_support::FillMinterms(map, {});
    AnalyzeFormulaString(map, "A+|B*D");
    EXPECT_EQ(MintermsWith(map, "1"), (std::vector<int>{1, 3, 8, 9, 10, 11, 12, 13, 14, 15}));
}

TEST(AnalyzeFormula, EmptyTextAndHiddenCellsAreLeftAlone) {
    TCarnoGrid map;
    map.SetVariableCount(5);
    map.SetCells(8, 1, "x");
    map.SetVariableCount(4);
    map.SetCells(1, 1, "*");
    AnalyzeFormulaString(map, "");
    AnalyzeFormulaString(map, "   ");
    EXPECT_EQ(MintermsWith(map, ""), [] {
        std::vector<int> all;
        for (int m = 1; m < 16; ++m) all.push_back(m);
        return all;
    }());
    AnalyzeFormulaString(map, "|A");
    EXPECT_EQ(map.Cells(1, 1), "1");  // a don't care under the term is overwritten
    EXPECT_EQ(map.Cells(8, 1), "x");  // only the visible map is written
    EXPECT_EQ(map.Cells(5, 1), "");
}

// The minimizer's result, read back under the matching type onto a map of the opposite value,
// is the function again on every cell that was not a don't care.
TEST(AnalyzeFormula, ReadsTheMinimizersResultBack) {
    std::mt19937 rng(2026);
    std::discrete_distribution<int> pick({4, 4, 2});
    static const char* texts[] = {"1", "0", "*"};
    MemoryResultTree tree;
    for (int round = 0; round < 140; ++round) {
        TCarnoGrid map;
        map.TreeView = &tree;
        map.SetVariableCount(2 + round % 7);
        map.GlueMethod = round % 2 ? gmKNF : gmDNF;
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, texts[pick(rng)]);
        map.Test();
        const bool pos = map.GlueMethod == gmKNF;
        const std::string target = pos ? "0" : "1", other = pos ? "1" : "0";

        TCarnoGrid back;
        back.SetVariableCount(map.VariableCount());
        back.FormulaType = pos ? gmKNF : gmDNF;
        testing_support::FillMinterms(back, {}, {}, other, other);
        AnalyzeFormulaString(back, map.ResultFormula());
        // A single term without literals (the whole map) writes no text; it covers everything.
        const bool wholeMap = map.ResultFormula().empty() && map.ResultCount() > 0;

        for (int c = 1; c <= map.MapColumns(); ++c) {
            for (int r = 1; r <= map.MapRows(); ++r) {
                const std::string want = map.Cells(c, r);
                if (want == "*") continue;
                const std::string got = wholeMap ? target : back.Cells(c, r);
                ASSERT_EQ(got, want) << "round " << round << " n=" << map.VariableCount()
                                     << (pos ? " POS " : " SOP ") << map.ResultFormula();
            }
        }
    }
}

}  // namespace
