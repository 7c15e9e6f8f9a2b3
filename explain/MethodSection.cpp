#include "explain/MethodSection.h"

#include "explain/Hazards.h"
#include "explain/Sentences.h"
#include "files/HtmlExport.h"
#include "platform/Translate.h"

namespace explain {

namespace {

std::string T(const std::string& english) {
    return html::Escape(platform::TranslateText(english));
}
std::string Paragraph(const std::string& text) {
    return "<p>" + text + "</p>\r\n";
}

std::string PrimeSum(const std::vector<int>& primes) {
    std::string out = "(";
    for (std::size_t i = 0; i < primes.size(); ++i) out += (i ? " + " : "") + PrimeLabel(primes[i]);
    return out + ")";
}
std::string PrimeProduct(const std::vector<int>& primes) {
    std::string out;
    for (std::size_t i = 0; i < primes.size(); ++i)
        out += (i ? "&middot;" : "") + PrimeLabel(primes[i]);
    return out;
}

std::string QmTable(const Method& m, const Explanation& e) {
    const char* table = R"(<table cellpadding="5" width="100%" align="center" border="1">)";
    std::string out = std::string(table) + "<tr><th>" + T("Ones") + "</th>";
    for (const QmColumn& c : m.columns)
        out += "<th>" +
               (c.size == 0 ? T("Cells")
                            : html::Escape(Fill(platform::TranslateText("Blocks of %1 cells"),
                                                {std::to_string(1 << c.size)}))) +
               "</th>";
    out += "</tr>\r\n";
    for (int ones = 0; ones <= e.vars; ++ones) {
        std::string row;
        bool any = false;
        for (const QmColumn& c : m.columns) {
            std::string cell;
            for (const QmEntry& q : c.entries) {
                if (q.ones != ones) continue;
                if (!cell.empty()) cell += "<br>";
                cell += "<tt>" + q.pattern + "</tt> (" + CellList(q.minterms) + ")";
                if (q.used)
                    cell += " &#10003;";
                else if (q.prime >= 0)
                    cell += " <b>" + PrimeLabel(q.prime) + "</b>";
                else
                    cell += " <i>" + T("don't cares only") + "</i>";
            }
            any = any || !cell.empty();
            row += "<td valign=\"top\">" + (cell.empty() ? std::string("&nbsp;") : cell) + "</td>";
        }
        if (any) out += "<tr><th>" + std::to_string(ones) + "</th>" + row + "</tr>\r\n";
    }
    return out + "</table>\r\n";
}

std::string PetrickPart(const Petrick& p) {
    std::string out = Paragraph("<b>" + T("Petrick's method") + "</b>");
    if (p.state == Petrick::State::NoCore)
        return out + Paragraph(T("No cyclic core is left: Petrick's method is not needed."));
    if (p.state == Petrick::State::TooLarge)
        return out +
               Paragraph(html::Escape(Fill(
                   platform::TranslateText(
                       "The cyclic core has more than %1 primes: too many to multiply out by hand."),
                   {std::to_string(kPetrickPrimes)})));
    out += Paragraph(T("Each cell of the core needs one of the primes that hold it:"));
    std::string product;
    for (const std::vector<int>& sum : p.sums) product += PrimeSum(sum);
    out += Paragraph(product);
    const bool oneProduct = OneOf(static_cast<long long>(p.products.size()));
    out += Paragraph(html::Escape(Fill(
        platform::TranslateText(oneProduct
                                    ? "Multiplied out, each X + XY cut to X, it has %1 product:"
                                    : "Multiplied out, each X + XY cut to X, it has %1 products:"),
        {std::to_string(p.products.size())})));
    std::string sum;
    for (std::size_t i = 0; i < p.products.size(); ++i)
        sum += (i ? " + " : "") + PrimeProduct(p.products[i]);
    out += Paragraph(sum);
    out += Paragraph(
        T("The cheapest products, with the primes taken before, are the minimal solutions:"));
    out += "<ol>\r\n";
    for (const std::vector<int>& s : p.withForced) out += "<li>" + PrimeProduct(s) + "</li>\r\n";
    return out + "</ol>\r\n";
}

}  // namespace

std::string StepByStepHtml(const Method& m, const Explanation& e) {
    std::string out = "<h3 align=\"center\">" + T("Step by step") + "</h3>\r\n";
    if (e.timedOut) return out + Paragraph(T("The minimum could not be found in time."));
    out += Paragraph("<b>" + T("Quine-McCluskey table") + "</b>");
    out += Paragraph(
        T(e.form == gmKNF ? "The 0 cells and the don't cares, grouped by their count of ones."
                          : "The 1 cells and the don't cares, grouped by their count of ones.") +
        " " +
        T("Each column merges pairs of the column before that differ in one variable. A ticked entry was merged; those left unticked are the primes."));
    if (m.entryCount > kMethodTableEntries)
        out += Paragraph(T("The table is too large to show here."));
    else if (!m.columns.empty())
        out += QmTable(m, e);
    out += Paragraph("<b>" + T("Prime chart") + "</b>");
    out += "<ol>\r\n";
    for (const ChartStep& step : e.steps)
        out += "<li>" + html::Escape(StepSentence(step, e)) + "</li>\r\n";
    out += "</ol>\r\n";
    return out + PetrickPart(m.petrick);
}

std::string HazardsHtml(const MapFunction& f, const Explanation& e) {
    if (e.timedOut || e.solutions.empty()) return {};
    std::string out = "<h3 align=\"center\">" + T("Hazards") + "</h3>\r\n";
    out += Paragraph(html::Escape(HazardSentence(SolutionHazards(f, e), f.form)));
    const HazardFreeCover cover = MakeHazardFree(f, e);
    if (!cover.added.empty()) out += Paragraph(html::Escape(HazardFreeSentence(cover)));
    return out;
}

}  // namespace explain
