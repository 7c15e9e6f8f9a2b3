// mapwright-cli explain: the exact minimum of a map and how it is reached, as the "Minimal
// solutions" panel shows it: the primes with the essential ones, every minimal solution up to
// a limit with their count, and the designed gluing's result beside them.

#include "explain/Explain.h"

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/MapInput.h"
#include "cli/MessageCapture.h"
#include "engine/CarnoGrid.h"
#include "explain/Hazards.h"
#include "explain/Sentences.h"
#include "platform/Message.h"
#include "platform/Translate.h"

namespace cli {

namespace {

const char* kExplainUsage =
    "usage: mapwright-cli explain [--km FILE] [--vars N] [--pos] [--names A,B,...] "
    "[--formula F [--formula-type SOP|POS]] [--table T] [--ones S] [--zeros S] [--dc S] "
    "[--max-solutions K] [--hazards] [--json]";

void PrintJson(const explain::Explanation& e, const explain::MapFunction* hazardsOf,
               std::ostream& out) {
    out << "{\"variables\":" << e.vars << ",\"form\":\"" << (e.form == gmKNF ? "POS" : "SOP")
        << "\",\"primes\":";
    JsonList(out, e.primes, [&](const explain::Prime& p) {
        out << "{\"text\":" << JsonString(p.text) << ",\"minterms\":";
        JsonList(out, p.minterms, [&](int m) { out << m; });
        out << ",\"literals\":" << p.literals
            << ",\"essential\":" << (p.essential ? "true" : "false") << '}';
    });
    out << ",\"minimum\":{\"terms\":" << e.minTerms << ",\"literals\":" << e.minLiterals
        << "},\"solutions\":";
    JsonList(out, e.solutions, [&](const explain::Solution& s) {
        out << "{\"formula\":" << JsonString(s.formula) << ",\"primes\":";
        JsonList(out, s.primes, [&](int p) { out << p; });
        out << '}';
    });
    out << ",\"proven\":" << (e.proven ? "true" : "false")
        << ",\"time_limit\":" << (e.clockStopped ? "true" : "false")
        << ",\"solution_count\":" << e.solutionCount
        << ",\"count_complete\":" << (e.countComplete ? "true" : "false")
        << ",\"gluing\":{\"formula\":" << JsonString(e.gluing.formula)
        << ",\"terms\":" << e.gluing.terms << ",\"literals\":" << e.gluing.literals << '}';
    if (hazardsOf) {
        out << ",\"hazards\":";
        JsonList(out, explain::SolutionHazards(*hazardsOf, e), [&](const explain::CellPair& p) {
            out << '[' << p.first << ',' << p.second << ']';
        });
        const explain::HazardFreeCover cover = explain::MakeHazardFree(*hazardsOf, e);
        out << ",\"hazard_free\":{\"formula\":" << JsonString(cover.formula)
            << ",\"terms\":" << cover.terms << ",\"literals\":" << cover.literals << '}';
    }
    out << "}\n";
}

int Run(const Invocation& call) {
    const Args& args = call.args;
    explain::Limits limits;
    if (const auto k = args.Value("max-solutions"))
        limits.maxSolutions = ParseIntOption("max-solutions", *k, 1, 1000000);
    explain::MapFunction f;
    if (!FillFunction(args, call.messages, f)) return 1;
    const explain::Explanation e = explain::Explain(f, limits);
    // Without a proof the best cover found is still the answer (it is said so); only a map
    // without any cover, which cannot happen for valid input, fails.
    if (e.timedOut) {
        platform::ShowMessage(platform::TranslateText("The minimum could not be found in time."),
                              platform::MsgIcon::Error, platform::MsgButtons::Ok);
        return 1;
    }
    if (args.Has("json")) {
        PrintJson(e, args.Has("hazards") ? &f : nullptr, call.out);
        return 0;
    }
    call.out << e.solutions.front().formula << '\n'
             << explain::ComparisonLine(e) << '\n'
             << explain::CountText(e) << '\n';
    if (args.Has("hazards"))
        call.out << explain::HazardSentence(explain::SolutionHazards(f, e), f.form) << '\n'
                 << explain::HazardFreeSentence(explain::MakeHazardFree(f, e)) << '\n';
    return 0;
}

}  // namespace

const Subcommand kExplainCommand{
    "explain",
    "the exact minimum of a map: primes, essentials and every minimal solution",
    kExplainUsage,
    MapOptions({{"max-solutions", true}, {"hazards", false}, {"json", false}}),
    0,
    "",
    Run};

}  // namespace cli
