// The explanation in words and in the report: the steps of a worked chart, the count and the
// comparison lines, and the report's section as valid HTML.

#include <gtest/gtest.h>

#include <bit>
#include <fstream>

#include "HtmlCheck.h"
#include "MapHelpers.h"
#include "TempFolder.h"
#include "explain/ReportSection.h"
#include "explain/Sentences.h"
#include "platform/Translate.h"
#include "report/ReportBuilder.h"
#include "ui/LanguageFile.h"

namespace {

explain::Explanation ExplainMinterms(int n, const std::vector<int>& ones,
                                     const std::vector<int>& dc, TGlueMethod form = gmDNF) {
    TCarnoGrid grid;
    grid.SetVariableCount(n);
    testing_support::FillMinterms(grid, ones, dc);
    explain::MapFunction f;
    explain::ReadMap(grid, form, f);
    return explain::Explain(f);
}

}  // namespace

TEST(ExplainSentences, EachStepOfAWorkedChartInOneSentence) {
    // An essential prime, then a row and a column dominated, then a prime essential in what is
    // left, and the chart is solved.
    const explain::Explanation e = ExplainMinterms(4, {4, 7, 11, 12, 15}, {3, 5, 6, 9, 14});
    std::string all;
    for (const explain::ChartStep& step : e.steps) all += explain::StepSentence(step, e) + "\n";
    for (const char* part :
         {"is essential: it alone covers cell", "is dropped: every prime left that covers cell",
          "covers every cell it still covers, with fewer literals.",
          "is essential now: of what is left, it alone covers cell",
          "Every cell is covered: the chart is solved.\n"})
        EXPECT_NE(all.find(part), std::string::npos) << part << " in\n" << all;
    EXPECT_EQ(all.find('%'), std::string::npos) << all;
    EXPECT_TRUE(e.coreCells.empty());

    EXPECT_EQ(explain::Fill("%2 before %1, %3 kept", {"a", "b"}), "b before a, %3 kept");
    EXPECT_EQ(explain::CellList({3, 7, 11}), "3, 7, 11");

    explain::Explanation counted = e;
    counted.solutionCount = 5;
    counted.countComplete = true;
    EXPECT_EQ(explain::CountText(counted), "5 minimal solutions.");
    counted.countComplete = false;
    counted.solutionCount = 2;
    counted.solutions.resize(3);  // more listed than counted: the listing is the lower bound
    EXPECT_EQ(explain::CountText(counted),
              "At least 3 minimal solutions: counting them all would take too long.");
}

TEST(ExplainSentences, ACoreOfOneCellIsSaidInTheSingularInEveryLanguage) {
    // Cell 0 lies under two primes of one literal each, both reaching only don't cares
    // beyond it: neither is essential nor dominated.
    const explain::Explanation one = ExplainMinterms(2, {0}, {1, 2});
    ASSERT_EQ(one.coreCells, std::vector<int>{0});
    ASSERT_EQ(one.steps.front().kind, explain::ChartStep::Kind::CyclicCore);
    const explain::Explanation six = ExplainMinterms(3, {0, 1, 2, 5, 6, 7}, {});
    ASSERT_EQ(six.steps.front().kind, explain::ChartStep::Kind::CyclicCore);

    const struct {
        const char* language;
        const char *oneCell, *sixCells;
    } expected[] = {{"english", "of 1 cell and 2 primes", "of 6 cells and 6 primes"},
                    {"german", "aus 1 Zelle und 2 Primtermen", "aus 6 Zellen und 6 Primtermen"},
                    {"french", "de 1 cellule et 2 premiers", "de 6 cellules et 6 premiers"},
                    {"russian", "из 1 клетки и 2 простых", "из 6 клеток и 6 простых"}};
    for (const auto& lang : expected) {
        const std::string file =
            std::string(MW_SOURCE_DIR) + "/resources/Languages/" + lang.language + ".lng";
        platform::SetTranslator(
            [&](const std::string& text) { return language::TranslateMessage(file, text); });
        const std::string a = explain::StepSentence(one.steps.front(), one);
        const std::string b = explain::StepSentence(six.steps.front(), six);
        platform::SetTranslator({});
        EXPECT_NE(a.find(lang.oneCell), std::string::npos) << a;
        EXPECT_NE(b.find(lang.sixCells), std::string::npos) << b;
    }
}

namespace {

// Runs f with the translator reading the language file.
template <class F>
auto InLanguage(const std::string& file, F f) {
    platform::SetTranslator(
        [&](const std::string& text) { return language::TranslateMessage(file, text); });
    const auto out = f();
    platform::SetTranslator({});
    return out;
}

std::string Shipped(const std::string& language) {
    return std::string(MW_SOURCE_DIR) + "/resources/Languages/" + language + ".lng";
}

}  // namespace

TEST(ExplainSentences, CountsTakeTheFormTheLanguagesPluralRuleGives) {
    const struct {
        const char* language;
        int terms, literals;
        const char* size;
    } sizes[] = {
        {"english", 0, 1, "0 terms / 1 literal"},
        {"english", 21, 2, "21 terms / 2 literals"},
        {"german", 1, 0, "1 Term / 0 Literale"},
        {"french", 0, 1, "0 terme / 1 littéral"},
        {"french", 2, 11, "2 termes / 11 littéraux"},
        {"russian", 1, 0, "1 терм / 0 литералов"},
        {"russian", 2, 4, "2 терма / 4 литерала"},
        {"russian", 5, 11, "5 термов / 11 литералов"},
        {"russian", 12, 14, "12 термов / 14 литералов"},
        {"russian", 21, 22, "21 терм / 22 литерала"},
        {"russian", 101, 111, "101 терм / 111 литералов"},
    };
    for (const auto& c : sizes)
        EXPECT_EQ(
            InLanguage(Shipped(c.language), [&] { return explain::Size(c.terms, c.literals); }),
            c.size)
            << c.language;

    explain::Explanation e;
    e.proven = true;
    e.countComplete = true;
    const std::string russian = Shipped("russian");
    for (const auto& [count, text] :
         std::vector<std::pair<int, std::string>>{{2, "2 минимальных решения."},
                                                  {5, "5 минимальных решений."},
                                                  {21, "21 минимальное решение."}}) {
        e.solutionCount = count;
        EXPECT_EQ(InLanguage(russian, [&] { return explain::CountText(e); }), text);
    }
    // Two counts in one sentence, each with its own forms.
    const std::string core = InLanguage(russian, [] {
        return explain::Fill(
            platform::TranslateText(
                "Nothing more is essential or dominated: a cyclic core of %1 cells and %2 primes is left, searched for its cheapest covers."),
            {"5", "21"});
    });
    EXPECT_NE(core.find("из 5 клеток и 21 простой импликанты,"), std::string::npos) << core;
    // The minimum said in the check is counted too.
    e.minTerms = 21;
    e.minLiterals = 1;
    EXPECT_EQ(InLanguage(russian, [&] { return explain::SufficeLine(22, 30, e); }),
              "Достаточно 21 терма: см. Минимальные решения");
}

TEST(ExplainSentences, ChoicesOfFormOnlyInThePatternAndOldFilesKeepTheirText) {
    // A brace in an argument (a name, a formula) is never read as a choice; a choice naming
    // no argument or a count that is no number stays or takes the last form.
    EXPECT_EQ(explain::Fill("%1 {%1:cell|cells} %2, {%2:x|y} {%3:a|b}", {"1", "{%1:p|q}"}),
              "1 cell {%1:p|q}, y {%3:a|b}");
    EXPECT_EQ(explain::Fill("{%1:one|few|many} {%2:one}", {"7", "3"}), "many one");
    EXPECT_EQ(explain::Fill("open {%1:a|b", {"1"}), "open {1:a|b");  // no choice: plain text

    // A file written before the rule: one-other, and its own texts as written.
    testing_support::TempFolder folder;
    const std::string old = folder / "old.lng";
    std::ofstream(old, std::ios::binary)
        << "[Messages]\n%1 term=%1 терм\n%1 terms=%1 термов\n%1 literal=%1 литерал\n";
    EXPECT_EQ(InLanguage(old, [] { return explain::Size(21, 1); }), "21 термов / 1 литерал");
    EXPECT_EQ(InLanguage(old, [] { return explain::Size(1, 2); }), "1 терм / 2 literals");
    // A rule the program does not know reads as one-other.
    EXPECT_EQ(platform::PluralOf(1, "two-forms"), platform::Plural::One);
    EXPECT_EQ(platform::PluralOf(21, "two-forms"), platform::Plural::Many);
}

TEST(ExplainReport, SectionIsValidHtmlInTheShippedTemplate) {
    for (const TGlueMethod form : {gmDNF, gmKNF}) {
        const explain::Explanation e =
            ExplainMinterms(4, {0, 1, 2, 5, 6, 7, 8, 9, 10, 14}, {3}, form);
        report::Content content;
        content.method = form;
        content.names = {"A", "B", "C", "D"};
        content.formula = e.gluing.formula;
        content.minimalHtml = explain::MinimalSolutionsHtml(e);
        EXPECT_NE(content.minimalHtml.find("&times;"), std::string::npos) << "the chart is shown";
        std::string missing;
        const auto page = report::Build(
            testing_support::ReadAll(MW_SOURCE_DIR "/resources/Reports/Include/report.inc"),
            content, missing);
        ASSERT_TRUE(page.has_value()) << missing;
        EXPECT_EQ(testing_support::HtmlErrors(*page), "");
        EXPECT_NE(page->find(e.solutions.front().formula), std::string::npos);
    }
    // An 8-variable chart too large to read is left out, with a word why.
    std::vector<int> ones;
    for (int m = 0; m < 256; ++m)
        if (std::popcount(static_cast<unsigned>(m)) >= 3 &&
            std::popcount(static_cast<unsigned>(m)) <= 5)
            ones.push_back(m);
    const explain::Explanation wide = ExplainMinterms(8, ones, {});
    ASSERT_GT(wide.targets.size() * wide.primes.size(), explain::kReportChartCells);
    const std::string big = explain::MinimalSolutionsHtml(wide);
    EXPECT_NE(big.find("The chart is too large to show here."), std::string::npos);
    EXPECT_EQ(testing_support::HtmlErrors("<html><body>" + big + "</body></html>"), "");
}
