// mapwright-cli core: hands one function of up to 23 variables to the minimization core
// through the class registry and the exchange file, exactly as the advanced tool does, and
// prints the result tree.

#include <algorithm>

#include "advmin/FunctionLists.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/ocxint.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/MessageCapture.h"
#include "engine/FormulaText.h"
#include "engine/VariableName.h"
#include "input/StringParcer.h"

namespace cli {

namespace {

const char* kCoreUsage =
    "usage: mapwright-cli core --vars N (--table T | --ones S --zeros S --dc S) [--names A,B,...] "
    "[--effort quick|thorough|prove] [--json]";

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

void SetNames(const std::optional<std::string>& names, int n) {
    for (int i = 0; i < n; ++i) VarNames[i] = std::string(1, static_cast<char>('A' + i));
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

std::vector<std::string> Terms(const std::string& formula) {
    if (formula == "0" || formula == "1") return {};
    std::vector<std::string> terms;
    for (const FormulaTerm& term : ReadFormula(formula, gmDNF).terms)
        terms.push_back(WriteTerm(term.literals, gmDNF));
    return terms;
}

int Run(const Invocation& call) {
    const Args& args = call.args;
    const auto vars = args.Value("vars");
    if (!vars) throw UsageError("--vars is required");
    const int n = ParseIntOption("vars", *vars, 1, static_cast<int>(VarNames.size()));
    const bool lists = args.Has("ones") || args.Has("zeros") || args.Has("dc");
    if (args.Has("table") == lists)
        throw UsageError("give either --table or the lists --ones/--zeros/--dc");
    SetNames(args.Value("names"), n);

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

    int effort = 1;
    if (const auto e = args.Value("effort")) {
        const std::vector<std::string> names{"quick", "thorough", "prove"};
        const auto at = std::find(names.begin(), names.end(), *e);
        if (at == names.end()) throw UsageError("--effort must be quick, thorough or prove");
        effort = static_cast<int>(at - names.begin());
    }

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
        call.out << "],\"stats\":{";
        for (std::size_t i = 0; i < stats.size(); ++i) {
            const auto& [name, value] = stats[i];
            const bool number = IsJsonNumber(value);
            const bool truth = value == "true" || value == "false";
            call.out << (i ? "," : "") << JsonString(name) << ':'
                     << (number || truth ? value : JsonString(value));
        }
        call.out << "}}\n";
    } else {
        for (const auto& root : tree.roots) {
            call.out << root.text << '\n';
            for (const std::string& term : root.children) call.out << "  " << term << '\n';
        }
        // The clock only stands guard; when it fires the answer depends on the machine.
        for (const auto& [name, value] : stats)
            if (name == "stopped" && value == "time limit")
                call.err << "warning: the time limit cut the minimization short; the result is "
                            "correct, but on a faster or quieter machine it may be smaller\n";
    }
    return 0;
}

}  // namespace

const Subcommand kCoreCommand{"core",
                              "minimize a function of 1 to 23 variables with the minimization core",
                              kCoreUsage,
                              {{"vars", true},
                               {"table", true},
                               {"ones", true},
                               {"zeros", true},
                               {"dc", true},
                               {"names", true},
                               {"effort", true},
                               {"json", false}},
                              0,
                              "",
                              Run};

}  // namespace cli
