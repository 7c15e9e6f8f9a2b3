// mapwright-cli core: hands one function of up to 23 variables, or a PLA of any width the core
// names, to the minimization core through the class registry and the exchange file, exactly
// as the advanced tool does, and prints the result tree.

#include <algorithm>
#include <atomic>

#include "advmin/FunctionLists.h"
#include "advmin/Outputs.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/ocxint.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/MessageCapture.h"
#include "cli/PlaProblem.h"
#include "engine/FormulaText.h"
#include "engine/VariableName.h"
#include "input/StringParcer.h"

namespace cli {

namespace {

const char* kCoreUsage =
    "usage: mapwright-cli core (--vars N (--table T | --ones S --zeros S --dc S) | --pla FILE)\n"
    "       [--names A,B,...] [--effort quick|thorough|prove] [--json]";

std::string FunctionFromTable(const std::string& table, int n) {
    const std::size_t size = std::size_t{1} << n;
    if (table.size() != size)
        throw InputError("--table needs " + std::to_string(size) + " characters, got " +
                         std::to_string(table.size()));
    std::string function(size, '0');
    for (std::size_t m = 0; m < size; ++m) {
        const char ch = table[m];
        if (ch != '1' && ch != '0' && ch != '2' && ch != '*')
            throw InputError(std::string("--table: invalid character '") + ch + "' at minterm " +
                             std::to_string(m));
        function[m] = ch == '*' ? '2' : ch;
    }
    return function;
}

// The names given, else `defaults` (one per variable).
void SetNames(const std::optional<std::string>& names, const std::vector<std::string>& defaults) {
    const int n = static_cast<int>(defaults.size());
    for (int i = 0; i < n; ++i) VarNames[i] = defaults[i];
    if (!names) return;
    TStringParcer parcer;
    parcer.Text = *names;
    parcer.Split(',');
    if (parcer.Count() != n || names->empty())
        throw InputError("--names needs " + std::to_string(n) + " names, got " +
                         std::to_string(names->empty() ? 0 : parcer.Count()));
    for (int i = 0; i < n; ++i) {
        if (const std::string problem = varname::Problem(parcer.Item(i)); !problem.empty())
            throw InputError("--names: " + problem);
        VarNames[i] = parcer.Item(i);
    }
}

// Digits, with at most one point between digits.
bool IsJsonNumber(const std::string& v) {
    const std::size_t point = v.find('.');
    const auto digits = [](const std::string& d) {
        return !d.empty() && d.find_first_not_of("0123456789") == std::string::npos;
    };
    return point == std::string::npos ? digits(v)
                                      : digits(v.substr(0, point)) && digits(v.substr(point + 1));
}

std::vector<std::string> Letters(int n) {
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) names.emplace_back(1, static_cast<char>('A' + i));
    return names;
}

int EffortOf(const Args& args) {
    const auto e = args.Value("effort");
    if (!e) return 1;
    const std::vector<std::string> names{"quick", "thorough", "prove"};
    const auto at = std::find(names.begin(), names.end(), *e);
    if (at == names.end()) throw UsageError("--effort must be quick, thorough or prove");
    return static_cast<int>(at - names.begin());
}

void WriteStats(std::ostream& out, const CoreStats& stats) {
    out << "\"stats\":{";
    for (std::size_t i = 0; i < stats.size(); ++i) {
        const auto& [name, value] = stats[i];
        const bool number = IsJsonNumber(value);
        const bool truth = value == "true" || value == "false";
        out << (i ? "," : "") << JsonString(name) << ':'
            << (number || truth ? value : JsonString(value));
    }
    out << "}";
}

// The clock only stands guard; when it fires the answer depends on the machine.
void WarnOfTimeLimit(std::ostream& err, const CoreStats& stats) {
    for (const auto& [name, value] : stats)
        if (name == "stopped" && value == "time limit")
            err << "warning: the time limit cut the minimization short; the result is "
                   "correct, but on a faster or quieter machine it may be smaller\n";
}

// Every output of a PLA together, of any width up to what the core's answer can name: the
// rows go to the core as they are, never as function strings.
int RunPla(const Invocation& call) {
    const Args& args = call.args;
    for (const char* other : {"vars", "table", "ones", "zeros", "dc"})
        if (args.Has(other)) throw UsageError(std::string("--pla takes no --") + other);
    const int effort = EffortOf(args);
    const pla::Pla file = ReadPlaArgument(*args.Value("pla"), call.err);
    const int n = file.inputs, k = file.outputs;
    if (n > kMaxCoreInputs)
        throw InputError(std::to_string(n) + " inputs: the core's answer names at most " +
                         std::to_string(kMaxCoreInputs));
    if (k < 1) throw InputError("the PLA has no outputs");
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) names.push_back(file.InputName(i));
    SetNames(args.Value("names"), names);
    for (int i = 0; i < n; ++i)
        if (const std::string problem = varname::Problem(VarNames[i]); !problem.empty())
            throw InputError("input " + std::to_string(i + 1) + ": " + problem +
                             " (--names gives others)");

    TTrimmer core(ExchangeFilePath);
    if (!SetCoreCubeInput(core, true) || !SetCoreVariableCount(core, n) ||
        (args.Has("effort") && !SetCoreEffort(core, effort)) || !SetCoreOutputCount(core, k))
        return 1;
    OutputsAnswer answer;
    try {
        const std::atomic<bool> cancelled{false};
        answer = ReadOutputResults(CallCoreWithRows(core, CubeRowsOf(file), cancelled), n, k);
    } catch (const std::exception& e) {
        ShowCoreFailure(e.what());
        return 1;
    }
    if (args.Has("json")) {
        call.out << "{\"variables\":" << n << ",\"results\":[";
        for (int j = 0; j < k; ++j) {
            const OutputResult& r = answer.outputs[j];
            call.out << (j ? "," : "") << "{\"name\":" << JsonString(file.OutputName(j))
                     << ",\"formula\":" << JsonString(r.formula) << ",\"terms\":[";
            for (std::size_t t = 0; t < r.terms.size(); ++t)
                call.out << (t ? "," : "") << JsonString(r.terms[t]);
            call.out << "]}";
        }
        call.out << "],\"minimum\":" << (answer.minimum ? "true" : "false") << ',';
        WriteStats(call.out, answer.stats);
        call.out << "}\n";
        return 0;
    }
    for (int j = 0; j < k; ++j) {
        call.out << file.OutputName(j) << " = " << answer.outputs[j].formula << '\n';
        for (const std::string& term : answer.outputs[j].terms) call.out << "  " << term << '\n';
    }
    WarnOfTimeLimit(call.err, answer.stats);
    return 0;
}

std::vector<std::string> Terms(const std::string& formula) {
    if (formula == "0" || formula == "1") return {};
    std::vector<std::string> terms;
    for (const FormulaTerm& term : ReadFormula(formula, gmDNF).terms)
        terms.push_back(WriteTerm(term.literals, gmDNF));
    return terms;
}

int Run(const Invocation& call) {
    const Args& args = call.args;
    if (args.Has("pla")) return RunPla(call);
    const auto vars = args.Value("vars");
    if (!vars) throw UsageError("--vars (or --pla) is required");
    const int n = ParseIntOption("vars", *vars, 1, kMaxListVariables);
    const bool lists = args.Has("ones") || args.Has("zeros") || args.Has("dc");
    if (args.Has("table") == lists)
        throw UsageError("give either --table or the lists --ones/--zeros/--dc");
    SetNames(args.Value("names"), Letters(n));

    std::string function;
    if (const auto table = args.Value("table")) {
        function = FunctionFromTable(ValueOrFileContent(*table), n);
    } else {
        const auto built =
            FunctionFromLists(n, args.Value("ones").value_or(""), args.Value("zeros").value_or(""),
                              args.Value("dc").value_or(""));
        if (!built) return 1;  // the list check said why
        function = *built;
    }

    const int effort = EffortOf(args);

    TTrimmer core(ExchangeFilePath);
    MemoryResultTree tree;
    std::vector<bool> minimum;
    CoreStats stats;
    if (!SetCoreVariableCount(core, n) || (args.Has("effort") && !SetCoreEffort(core, effort)) ||
        !RunCoreAnalysis(core, function, n, tree, &minimum, &stats))
        return 1;

    if (args.Has("json")) {
        call.out << "{\"variables\":" << n << ",\"results\":[";
        for (std::size_t i = 0; i < tree.roots.size(); ++i) {
            call.out << (i ? "," : "") << "{\"formula\":" << JsonString(tree.roots[i].text)
                     << ",\"terms\":[";
            const std::vector<std::string> terms = Terms(tree.roots[i].text);
            for (std::size_t k = 0; k < terms.size(); ++k)
                call.out << (k ? "," : "") << JsonString(terms[k]);
            call.out << "],\"minimum\":" << (minimum[i] ? "true" : "false") << '}';
        }
        call.out << "],";
        WriteStats(call.out, stats);
        call.out << "}\n";
    } else {
        for (const auto& root : tree.roots) {
            call.out << root.text << '\n';
            for (const std::string& term : root.children) call.out << "  " << term << '\n';
        }
        WarnOfTimeLimit(call.err, stats);
    }
    return 0;
}

}  // namespace

const Subcommand kCoreCommand{
    "core",
    "minimize a function of 1 to 23 variables, or a PLA of any width, with the minimization core",
    kCoreUsage,
    {{"vars", true},
     {"table", true},
     {"ones", true},
     {"zeros", true},
     {"dc", true},
     {"names", true},
     {"effort", true},
     {"pla", true},
     {"json", false}},
    0,
    "",
    Run};

}  // namespace cli
