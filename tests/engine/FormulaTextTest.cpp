// The shared formula notation: what the reader finds, where, and that the writer gives back
// what it read.

#include <gtest/gtest.h>

#include <random>

#include "engine/FormulaText.h"

namespace {

std::vector<std::string> Names(const FormulaTerm& term) {
    std::vector<std::string> out;
    for (const FormulaLiteral& l : term.literals) out.push_back(LiteralText(l));
    return out;
}

TEST(FormulaText, BothFormsReadTheSameTextTheirOwnWay) {
    const ParsedFormula sop = ReadFormula("|A*B+C", gmDNF);
    ASSERT_EQ(sop.terms.size(), 2u);
    EXPECT_EQ(Names(sop.terms[0]), (std::vector<std::string>{"|A", "B"}));
    EXPECT_TRUE(sop.terms[0].literals[0].negated);
    EXPECT_EQ(sop.terms[0].literals[0].name, "A");
    EXPECT_EQ(sop.terms[1].position, 6);

    const ParsedFormula pos = ReadFormula("|A*B+C", gmKNF);
    ASSERT_EQ(pos.terms.size(), 2u);
    EXPECT_EQ(Names(pos.terms[0]), (std::vector<std::string>{"|A"}));
    EXPECT_EQ(Names(pos.terms[1]), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(pos.terms[1].literals[1].position, 6);
}

TEST(FormulaText, EmptyPiecesKeptOrSkippedWithTheirPositions) {
    // Skipped: runs of separators part pieces; a term of literal signs alone has no literals.
    const ParsedFormula skipped = ReadFormula("++A**B+**+", gmDNF);
    ASSERT_EQ(skipped.terms.size(), 2u);
    EXPECT_EQ(skipped.terms[0].position, 3);
    EXPECT_EQ(Names(skipped.terms[0]), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(skipped.terms[0].literals[1].position, 6);
    EXPECT_TRUE(skipped.terms[1].literals.empty());
    EXPECT_TRUE(ReadFormula("", gmDNF).terms.empty());

    // Kept: the empty middle of "A**B" is a literal at position 3; an empty text is one term.
    const ParsedFormula kept = ReadFormula("A**B+", gmDNF, {.keepEmpty = true});
    ASSERT_EQ(kept.terms.size(), 2u);
    EXPECT_EQ(Names(kept.terms[0]), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_EQ(kept.terms[0].literals[1].position, 3);
    EXPECT_EQ(kept.terms[1].position, 6);
    EXPECT_EQ(ReadFormula("", gmDNF, {.keepEmpty = true}).terms.size(), 1u);
}

TEST(FormulaText, BlanksArePartOfNamesUnlessTrimmed) {
    const ParsedFormula raw = ReadFormula(" | A *B", gmDNF);
    EXPECT_FALSE(raw.terms[0].literals[0].negated);
    EXPECT_EQ(raw.terms[0].literals[0].name, " | A ");
    const ParsedFormula trimmed = ReadFormula(" | A *B", gmDNF, {.trimBlanks = true});
    EXPECT_TRUE(trimmed.terms[0].literals[0].negated);
    EXPECT_EQ(trimmed.terms[0].literals[0].name, "A");
}

TEST(FormulaText, WrittenFormulasReadBackAsThemselves) {
    std::mt19937 random(24);
    const std::vector<std::string> names = {"A", "B", "Carry", "x7", "\xc3\xa9"};
    for (int round = 0; round < 200; ++round) {
        ParsedFormula f;
        f.form = random() % 2 ? gmKNF : gmDNF;
        const int terms = 1 + static_cast<int>(random() % 4);
        for (int t = 0; t < terms; ++t) {
            FormulaTerm& term = f.terms.emplace_back();
            const int literals = 1 + static_cast<int>(random() % 4);
            for (int l = 0; l < literals; ++l)
                term.literals.push_back({names[random() % names.size()], random() % 2 == 0});
        }
        const std::string text = WriteFormula(f);
        const ParsedFormula back = ReadFormula(text, f.form);
        ASSERT_EQ(back.terms.size(), f.terms.size()) << text;
        for (std::size_t t = 0; t < f.terms.size(); ++t)
            EXPECT_EQ(back.terms[t].literals, f.terms[t].literals) << text;
        EXPECT_EQ(WriteFormula(back), text);
    }
}

}  // namespace
