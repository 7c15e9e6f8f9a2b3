// mapwright-cli check: a student's answer held against the map, in the sentences the window
// shows, or as JSON for graders.

#include "explain/Check.h"

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/MapInput.h"
#include "explain/Answer.h"
#include "explain/CheckSentences.h"

namespace cli {

namespace {

const char* kCheckUsage =
    "usage: mapwright-cli check [--km FILE] [--vars N] [--pos] [--names A,B,...] "
    "[--formula F [--formula-type SOP|POS]] [--table T] [--ones S] [--zeros S] [--dc S] "
    "--answer F [--json]";

void PrintJson(const explain::CheckResult& r, const explain::Explanation& e, std::ostream& out) {
    const auto number = [&](int m) { out << m; };
    out << "{\"equal\":" << JsonBool(r.equal) << ",\"missing\":";
    JsonList(out, r.missing, number);
    out << ",\"extra\":";
    JsonList(out, r.extra, number);
    out << ",\"terms\":";
    JsonList(out, r.terms, [&](const explain::TermVerdict& v) {
        out << "{\"text\":" << JsonString(v.text) << ",\"implicant\":" << JsonBool(v.implicant)
            << ",\"prime\":" << JsonBool(v.prime) << ",\"redundant\":" << JsonBool(v.redundant)
            << ",\"larger\":" << JsonString(v.largerText) << ",\"covered_by\":";
        JsonList(out, v.coveredBy, number);
        out << '}';
    });
    out << ",\"minimal\":" << JsonBool(r.minimal) << ",\"answer\":{\"terms\":" << r.answerTerms
        << ",\"literals\":" << r.answerLiterals << "},\"minimum\":{\"terms\":" << r.minTerms
        << ",\"literals\":" << r.minLiterals
        << "},\"closest\":" << JsonString(r.closest < 0 ? "" : e.solutions[r.closest].formula)
        << "}\n";
}

int Run(const Invocation& call) {
    const Args& args = call.args;
    const auto text = args.Value("answer");
    if (!text) throw UsageError("--answer is needed");
    explain::MapFunction f;
    if (!FillFunction(args, call.messages, f)) return 1;
    const explain::Answer answer = explain::ReadAnswer(ValueOrFileContent(*text), f);
    if (!answer.ok()) throw InputError("--answer: " + explain::AnswerErrorText(answer.error));
    const explain::Explanation e = explain::Explain(f);
    const explain::CheckResult r = explain::CheckAnswer(f, e, answer);
    if (args.Has("json"))
        PrintJson(r, e, call.out);
    else
        for (const std::string& line : explain::CheckSentences(r, f, e)) call.out << line << '\n';
    return 0;
}

}  // namespace

const Subcommand kCheckCommand{
    "check",     "a student's answer against the map: function, primes, redundancy, minimum",
    kCheckUsage, MapOptions({{"answer", true}, {"json", false}}),
    0,           "",
    Run};

}  // namespace cli
