// Report assembly: wrapping, placeholders, line ends, and the pages the options produce.

#include <gtest/gtest.h>

#include "HtmlCheck.h"
#include "report/ReportBuilder.h"

namespace {

const std::string kTemplate =
    "<html><head><title>Report</title></head><body>\r\n<h2><%TITLE1%>\r\n</h2>\r\n<%FUNCTION%>\r\n"
    "<h2><%TITLE2%>\r\n</h2>\r\n<%RESULTS%>\r\n<h2><%TITLE3%>\r\n</h2>\r\n<%ADVDETAILES%>\r\n</body></html>\r\n";

report::Content FourVariables(const std::string& formula) {
    report::Content c;
    c.names = {"A", "B", "C", "D"};
    c.formula = formula;
    return c;
}

TEST(ReportBuilder, WrapBreaksAfterTheSeparatorAtOrBeyondEachTwentiethCharacter) {
    EXPECT_EQ(report::Wrap("A*B+C", '+'), "A*B+C");
    // The first "+" at or after position 20 gets a break, then counting goes on in the longer
    // text; positions count the text as typed, not its escaped form.
    const std::string formula = "|A*|B*|C*|D+A*B*C*D+|A*B*|C*D+A*|B*C*|D";
    EXPECT_EQ(report::Wrap(formula, '+'), "|A*|B*|C*|D+A*B*C*D+<br>|A*B*|C*D+A*|B*C*|D");
    EXPECT_EQ(report::Wrap("0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20", ','),
              "0,1,2,3,4,5,6,7,8,9,<br>10,11,12,13,14,15,<br>16,17,18,19,20");
    EXPECT_EQ(report::Wrap("A+|B*C+D*A+B+C+D+A+B", '*'), "A+|B*C+D*A+B+C+D+A+B");
    EXPECT_EQ(report::Wrap("<A>+<B>+<C>+<D>+<E>+<F>", '+'),
              "&lt;A&gt;+&lt;B&gt;+&lt;C&gt;+&lt;D&gt;+&lt;E&gt;+<br>&lt;F&gt;");
}

TEST(ReportBuilder, PlaceholderTakesTheCharacterAfterIt) {
    std::string page = "a<%X%>\r\nb<%X%>";
    EXPECT_TRUE(report::ReplacePlaceholder(page, "<%X%>", "1"));
    EXPECT_EQ(page, "a1\nb<%X%>");
    EXPECT_TRUE(report::ReplacePlaceholder(page, "<%X%>", "2"));
    EXPECT_EQ(page, "a1\nb2");
    EXPECT_FALSE(report::ReplacePlaceholder(page, "<%Y%>", "3"));
    EXPECT_EQ(report::Rejoin("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(report::Rejoin("x\r\n\r\ny\r\n"), "x\r\n\r\ny\r\n");
}

TEST(ReportBuilder, PlainReportHoldsTypeCountHeadingsAndFormula) {
    std::string missing;
    const auto page = report::Build(kTemplate, FourVariables("|A*B+C*D"), missing);
    ASSERT_TRUE(page.has_value());
    EXPECT_NE(page->find("<tr><td>Type</td><td> Disjunctive Normal Form</td></tr>"),
              std::string::npos);
    EXPECT_NE(page->find("<tr><td>Number of Variables</td><td>4</td></tr></table>"),
              std::string::npos);
    EXPECT_NE(page->find("<h2>Input Function\r\n</h2>"), std::string::npos);
    EXPECT_NE(page->find("<h2>Results of Analyze\r\n</h2>"), std::string::npos);
    EXPECT_NE(page->find("<h2>Advanced Detailes\r\n</h2>"), std::string::npos);
    EXPECT_NE(
        page->find(
            "<td width=\"50%\"></td><td width=\"50%\" ><br><p align=\"center\">F(A,B,C,D)=\"|A*B+C*D\"</td></tr></table>"),
        std::string::npos);
    EXPECT_EQ(page->find("Term["), std::string::npos);
    // CR LF everywhere, one at the end.
    EXPECT_EQ(page->substr(page->size() - 2), "\r\n");
    std::size_t bareLineFeeds = 0;
    for (std::size_t i = 0; i < page->size(); ++i)
        bareLineFeeds += (*page)[i] == '\n' && (*page)[i - 1] != '\r';
    EXPECT_EQ(bareLineFeeds, 0u);
    EXPECT_EQ(testing_support::HtmlErrors(*page), "");
}

TEST(ReportBuilder, OptionsAddSetsTruthTableMapAndTerms) {
    report::Content c = FourVariables("A*|D+|C*|D+|B*|C");
    c.method = gmKNF;
    c.sets = {{"0-3,5,6", "4,7-15", ""}};
    c.truthTableHtml = "<TABLE><TR><TD>A</TD></TR></TABLE>";
    c.mapHtml = "<table><tr><td>map</td></tr></table>";
    c.eachTerm = true;
    c.terms = {{"A*|D", "<table><tr><td>1</td></tr></table>"},
               {"|C*|D", "<table><tr><td>2</td></tr></table>"},
               {"|B*|C", "<table><tr><td>3</td></tr></table>"}};
    std::string missing;
    const auto page = report::Build(kTemplate, c, missing);
    ASSERT_TRUE(page.has_value());
    EXPECT_NE(page->find("Conjunctive Normal Form"), std::string::npos);
    EXPECT_NE(
        page->find(
            "<tr><td>Sets representation</td><td><table><tr><td>1</td><td>0-3,5,6</td></tr><tr><td>0</td><td>4,7-15</td></tr>"
            "<tr><td>*(Don't Cares)</td><td></td></tr></table></td></tr>"),
        std::string::npos);
    EXPECT_NE(page->find("<tr><p align=\"center\"><TABLE><TR><TD>A</TD></TR></TABLE></tr>"),
              std::string::npos);
    EXPECT_NE(page->find("<td width=\"50%\"><table><tr><td>map</td></tr></table></td>"),
              std::string::npos);
    for (int k = 1; k <= 3; ++k)
        EXPECT_NE(page->find("Term[" + std::to_string(k) + "]=\""), std::string::npos);
    EXPECT_NE(page->find("Term[2]=\"|C*|D\"</td></tr>"), std::string::npos);
    EXPECT_LT(page->find("Term[1]"), page->find("Term[3]"));
    EXPECT_EQ(testing_support::HtmlErrors(*page), "");
}

TEST(ReportBuilder, TextbookNotationForTheFormulaAndEveryTerm) {
    report::Content c = FourVariables("|C+|D*|A+|B*|B+D*A+B+C*|A+|C+D");
    c.method = gmKNF;
    c.notation = FormulaNotation::Textbook;
    c.eachTerm = true;
    c.terms = {{"|C+|D", "<table></table>"}};
    std::string missing;
    const auto page = report::Build(kTemplate, c, missing);
    ASSERT_TRUE(page) << missing;
    const std::string bar = "\xCC\x85";
    // Broken only after a closing bracket, never inside a sum.
    EXPECT_NE(page->find("(C" + bar + "+D" + bar + ")(A" + bar + "+B" + bar + ")(B" + bar + "+D)"),
              std::string::npos);
    EXPECT_NE(page->find("+D)<br>(A+B+C)"), std::string::npos);
    EXPECT_NE(page->find("=\"C" + bar + "+D" + bar + "\""), std::string::npos) << "the term";
    EXPECT_EQ(page->find("|C"), std::string::npos);
    EXPECT_EQ(testing_support::HtmlErrors(*page), "");
}

TEST(ReportBuilder, TemplateWithoutAPlaceholderIsRefused) {
    std::string missing;
    std::string broken = kTemplate;
    broken.erase(broken.find("<%RESULTS%>"), 11);
    EXPECT_FALSE(report::Build(broken, FourVariables("A"), missing).has_value());
    EXPECT_EQ(missing, "<%RESULTS%>");
    EXPECT_FALSE(report::Build("", FourVariables("A"), missing).has_value());
    EXPECT_EQ(missing, "<%FUNCTION%>");
}

}  // namespace
