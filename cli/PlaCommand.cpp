// mapwright-cli pla: minimizes every output of a PLA together with the core's multi-output
// minimizer (linked directly) and writes the cover as a PLA of type f.

#include <chrono>
#include <sstream>

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/PlaProblem.h"
#include "core/Minimize.h"
#include "core/MultiMinimize.h"
#include "files/Pla.h"
#include "files/PlaFile.h"
#include "platform/SafeWrite.h"

namespace cli {

namespace {

const char* kPlaUsage =
    "usage: mapwright-cli pla IN.pla [--out OUT.pla] [--effort quick|thorough|prove] [--single] "
    "[--json]";

// Past this the tables of a problem would not fit the memory the tool allows itself.
constexpr std::size_t kMaxBytes = std::size_t{450} << 20;

mwcore::MinimizeOptions OptionsFor(const std::string& effort) {
    if (effort == "quick") return mwcore::MultiOptionsFor(mwcore::Effort::Quick);
    if (effort == "thorough") return mwcore::MultiOptionsFor(mwcore::Effort::Thorough);
    if (effort == "prove") return mwcore::MultiOptionsFor(mwcore::Effort::Prove);
    throw UsageError("--effort takes quick, thorough or prove, not '" + effort + "'");
}

struct Outcome {
    std::vector<pla::Product> products;
    mwcore::MultiMinimization result;  // the stats; the cover is in products
};

Outcome OnTables(const pla::Pla& file, const mwcore::MinimizeOptions& options, const Args& args) {
    const std::size_t bytes = mwcore::MultiProblem::BytesFor(file.inputs, file.outputs);
    if (bytes > kMaxBytes)
        throw InputError(std::to_string(file.inputs) + " inputs and " +
                         std::to_string(file.outputs) + " outputs need about " +
                         std::to_string(bytes >> 20) + " MB, more than the " +
                         std::to_string(kMaxBytes >> 20) + " MB this tool allows itself");
    int clash = 0;
    const auto problem = ProblemOf(file, &clash);
    if (!problem)
        throw InputError("output " + file.OutputName(clash) + " is both 1 and 0 for some inputs");
    Outcome r;
    try {
        r.result = args.Has("single") ? mwcore::MinimizeEachAlone(*problem, options)
                                      : mwcore::MinimizeMulti(*problem, options, GivenCover(file));
    } catch (const mwcore::VerificationError& e) {
        throw InputError(std::string("the minimizer made no verified cover (") + e.what() + ")");
    }
    for (const mwcore::MultiCube& c : r.result.cover) {
        pla::Product p{{c.in.mask, c.in.val}, std::vector<bool>(file.outputs)};
        for (int j = 0; j < file.outputs; ++j) p.outputs[j] = c.out.test(j);
        r.products.push_back(std::move(p));
    }
    return r;
}

// --single: each output a problem of its own, its products feeding it alone.
Outcome OnCubes(const pla::Pla& file, const mwcore::MinimizeOptions& options, const Args& args) {
    const bool single = args.Has("single");
    Outcome r;
    r.result.minimum = true;
    try {
        for (int j = 0; j < (single ? file.outputs : 1); ++j) {
            const mwcore::CubeProblem problem = CubeProblemOf(file, single ? j : -1);
            const mwcore::CubeMinimization m = mwcore::MinimizeCubes(problem, options);
            for (pla::Product& p : ProductsOf(problem, m.cover)) {
                if (single) {
                    p.outputs.assign(file.outputs, false);
                    p.outputs[j] = true;
                }
                r.products.push_back(std::move(p));
            }
            r.result.minimum = r.result.minimum && m.minimum;
            r.result.stats.work += m.stats.work;
            if (m.stats.stoppedBy != mwcore::StoppedBy::Nothing)
                r.result.stats.stoppedBy = m.stats.stoppedBy;
        }
    } catch (const mwcore::VerificationError& e) {
        throw InputError(std::string("the minimizer made no verified cover (") + e.what() + ")");
    }
    return r;
}

int Run(const Invocation& call) {
    const Args& args = call.args;
    const mwcore::MinimizeOptions options = OptionsFor(args.Value("effort").value_or("thorough"));
    const pla::Pla file = ReadPlaArgument(args.Positional()[0], call.err);
    const auto start = std::chrono::steady_clock::now();
    Outcome r = mwcore::UsesCubes(file.inputs, file.outputs) ? OnCubes(file, options, args)
                                                             : OnTables(file, options, args);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::vector<pla::Product>& products = r.products;
    const mwcore::MultiMinimization& result = r.result;
    int literals = 0;
    for (const pla::Product& p : products) literals += p.in.care.Count();
    const std::string text =
        pla::CoverText(file.inputs, file.outputs, products, file.inputNames, file.outputNames);
    if (const auto out = args.Value("out")) {
        std::string why;
        if (!platform::WriteFileAtomically(*out, text, &why))
            throw InputError("cannot write " + *out + ": " + why);
    }
    if (args.Has("json")) {
        std::ostringstream o;
        o << "{\"inputs\":" << file.inputs << ",\"outputs\":" << file.outputs
          << ",\"products\":" << products.size() << ",\"literals\":" << literals
          << ",\"minimum\":" << (result.minimum ? "true" : "false") << ",\"seconds\":" << seconds
          << ",\"work\":" << result.stats.work
          << ",\"stoppedBy\":" << JsonString(mwcore::StoppedByName(result.stats.stoppedBy))
          << ",\"cover\":[";
        for (std::size_t i = 0; i < products.size(); ++i) {
            std::string outs;
            for (bool b : products[i].outputs) outs += b ? '1' : '0';
            o << (i ? "," : "")
              << "{\"inputs\":" << JsonString(pla::InputPart(products[i].in, file.inputs))
              << ",\"outputs\":" << JsonString(outs) << '}';
        }
        o << "]}\n";
        call.out << o.str();
    } else if (args.Has("out")) {
        call.out << products.size() << " products, " << literals << " literals"
                 << (result.minimum ? ", a proven minimum" : "")
                 << (result.stats.stoppedBy == mwcore::StoppedBy::TimeLimit
                         ? ", a step cut short by the time limit"
                         : "")
                 << '\n';
    } else {
        call.out << text;
    }
    // The clock is a guard the work allowances never reach on their own: when it fires, the
    // cover depends on the machine, and the text says so as the JSON does.
    if (!args.Has("json") && result.stats.stoppedBy == mwcore::StoppedBy::TimeLimit)
        call.err << "warning: the time limit cut a step short; the cover is correct, but on a "
                    "faster or quieter machine it may be smaller\n";
    return 0;
}

}  // namespace

const Subcommand kPlaCommand{
    "pla",     "minimize every output of a PLA together (or --single: each on its own)",
    kPlaUsage, {{"out", true}, {"effort", true}, {"single", false}, {"json", false}},
    1,         "give one PLA file",
    Run};

}  // namespace cli
