// Formulas in textbook notation: bars, products side by side, sums in brackets.

#include <gtest/gtest.h>

#include "engine/Notation.h"

namespace {

const std::string kBar = "\xCC\x85";  // combining overline

TEST(Notation, TextbookFormsOfBothShapes) {
    EXPECT_EQ(TextbookFormula("|C+|D*|A+|B*|B+D", FormulaShape::ProductOfSums),
              "(C" + kBar + "+D" + kBar + ")(A" + kBar + "+B" + kBar + ")(B" + kBar + "+D)");
    EXPECT_EQ(TextbookFormula("|A*B+C", FormulaShape::SumOfProducts), "A" + kBar + "B + C");
    // The same text read as a product of sums: A and (B+C).
    EXPECT_EQ(TextbookFormula("|A*B+C", FormulaShape::ProductOfSums), "A" + kBar + "(B+C)");
    // A lone sum, a lone literal and the constants need no brackets.
    EXPECT_EQ(TextbookFormula("A+|B", FormulaShape::ProductOfSums), "A+B" + kBar);
    EXPECT_EQ(TextbookFormula("|A", FormulaShape::SumOfProducts), "A" + kBar);
    EXPECT_EQ(TextbookFormula("1", FormulaShape::SumOfProducts), "1");
    EXPECT_EQ(TextbookFormula("0", FormulaShape::ProductOfSums), "0");
    EXPECT_EQ(TextbookFormula("", FormulaShape::ProductOfSums), "");
}

TEST(Notation, LongNamesKeepTheirBarsAndStayApart) {
    // Each character barred, so the bar runs over the whole name; a dot parts long names.
    EXPECT_EQ(TextbookFormula("|Carry*In+Z", FormulaShape::SumOfProducts),
              "C" + kBar + "a" + kBar + "r" + kBar + "r" + kBar + "y" + kBar + "\xC2\xB7In + Z");
    // A name in another script: the bar follows the whole character, not a byte of it.
    EXPECT_EQ(TextbookFormula("|\xC3\x84", FormulaShape::SumOfProducts), "\xC3\x84" + kBar);
    // As typed is the text itself.
    EXPECT_EQ(ShownFormula("|A*B", FormulaShape::SumOfProducts, FormulaNotation::AsTyped), "|A*B");
}

}  // namespace
