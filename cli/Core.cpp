// mapwright-cli core: hands one function of up to 23 variables to the minimization core
// through the class registry and the exchange file, exactly as the advanced tool does, and
// prints the result tree.

#include "advmin/FunctionLists.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/ocxint.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/MessageCapture.h"
#include "input/StringParcer.h"

namespace cli {

namespace {

const char* kCoreUsage =
    "usage: mapwright-cli core --vars N (--table T | --ones S --zeros S --dc S) [--names A,B,...] "
    "[--json]";

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
    for (int i = 0; i < n; ++i) VarNames[i] = parcer.Item(i);
}

std::vector<std::string> Terms(const std::string& formula) {
    if (formula == "0" || formula == "1") return {};
    TStringParcer parcer;
    parcer.Text = formula;
    parcer.Split('+');
    return parcer.Items;
}

}  // namespace

int RunCore(const Argv& argv, std::ostream& out, std::ostream& err) {
    MessageCapture messages(err);
    try {
        const Args args(argv, {{"vars", true},
                               {"table", true},
                               {"ones", true},
                               {"zeros", true},
                               {"dc", true},
                               {"names", true},
                               {"json", false},
                               {"help", false}});
        if (args.Has("help")) {
            out << kCoreUsage << '\n';
            return 0;
        }
        if (!args.Positional().empty()) throw UsageError("unexpected argument " + args.Positional()[0]);
        const auto vars = args.Value("vars");
        if (!vars) throw UsageError("--vars is required");
        const int n = ParseIntOption("vars", *vars, 1, static_cast<int>(VarNames.size()));
        const bool lists = args.Has("ones") || args.Has("zeros") || args.Has("dc");
        if (args.Has("table") == lists) throw UsageError("give either --table or the lists --ones/--zeros/--dc");
        SetNames(args.Value("names"), n);

        std::string function;
        if (const auto table = args.Value("table")) {
            function = FunctionFromTable(ValueOrFileContent(*table), n);
        } else {
            const auto built = FunctionFromLists(n, args.Value("ones").value_or(""),
                                                 args.Value("zeros").value_or(""),
                                                 args.Value("dc").value_or(""));
            if (!built) return 1;  // the list check said why
            function = *built;
        }

        TTrimmer core(ExchangeFilePath());
        MemoryResultTree tree;
        std::vector<bool> minimum;
        if (!SetCoreVariableCount(core, n) || !RunCoreAnalysis(core, function, n, tree, &minimum))
            return 1;

        if (args.Has("json")) {
            out << "{\"variables\":" << n << ",\"results\":[";
            for (std::size_t i = 0; i < tree.roots.size(); ++i) {
                out << (i ? "," : "") << "{\"formula\":" << JsonString(tree.roots[i].text) << ",\"terms\":[";
                const std::vector<std::string> terms = Terms(tree.roots[i].text);
                for (std::size_t k = 0; k < terms.size(); ++k) out << (k ? "," : "") << JsonString(terms[k]);
                out << "],\"minimum\":" << (minimum[i] ? "true" : "false") << '}';
            }
            out << "]}\n";
        } else {
            for (const auto& root : tree.roots) {
                out << root.text << '\n';
                for (const std::string& term : root.children) out << "  " << term << '\n';
            }
        }
        return 0;
    } catch (const UsageError& e) {
        err << "mapwright-cli core: " << e.what() << '\n' << kCoreUsage << '\n';
        return 2;
    } catch (const InputError& e) {
        err << "mapwright-cli core: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace cli
