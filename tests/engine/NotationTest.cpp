// Formulas in textbook notation: bars, products side by side, sums in brackets.

#include <gtest/gtest.h>

#include "engine/Notation.h"

namespace {

const std::string kBar = "\xCC\x85";  // combining overline

TEST(Notation, TextbookFormsOfBothShapes) {
    EXPECT_EQ(TextbookFormula("|C+|D*|A+|B*|B+D", gmKNF),
              "(C" + kBar + "+D" + kBar + ")(A" + kBar + "+B" + kBar + ")(B" + kBar + "+D)");
    EXPECT_EQ(TextbookFormula("|A*B+C", gmDNF), "A" + kBar + "B + C");
    // The same text read as a product of sums: A and (B+C).
    EXPECT_EQ(TextbookFormula("|A*B+C", gmKNF), "A" + kBar + "(B+C)");
    // A lone sum, a lone literal and the constants need no brackets.
    EXPECT_EQ(TextbookFormula("A+|B", gmKNF), "A+B" + kBar);
    EXPECT_EQ(TextbookFormula("|A", gmDNF), "A" + kBar);
    EXPECT_EQ(TextbookFormula("1", gmDNF), "1");
    EXPECT_EQ(TextbookFormula("0", gmKNF), "0");
    EXPECT_EQ(TextbookFormula("", gmKNF), "");
}

TEST(Notation, LongNamesKeepTheirBarsAndStayApart) {
    // Each character barred, so the bar runs over the whole name; a dot parts long names.
    EXPECT_EQ(TextbookFormula("|Carry*In+Z", gmDNF),
              "C" + kBar + "a" + kBar + "r" + kBar + "r" + kBar + "y" + kBar + "\xC2\xB7In + Z");
    // A name in another script: the bar follows the whole character, not a byte of it.
    EXPECT_EQ(TextbookFormula("|\xC3\x84", gmDNF), "\xC3\x84" + kBar);
    // As typed is the text itself.
    EXPECT_EQ(ShownFormula("|A*B", gmDNF, FormulaNotation::AsTyped), "|A*B");
}

}  // namespace
