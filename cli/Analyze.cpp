// mapwright-cli analyze: fills a map from the command line, runs the analysis exactly as the
// main window's Analyze command does and prints the result tree.

#include <algorithm>
#include <set>

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/MessageCapture.h"
#include "cli/MintermList.h"
#include "engine/CarnoGrid.h"
#include "input/StringParcer.h"
#include "platform/Message.h"
#include "platform/Translate.h"

namespace cli {

namespace {

const char* kAnalyzeUsage =
    "usage: mapwright-cli analyze [--km FILE] [--vars N] [--pos] [--names A,B,...] "
    "[--formula F [--formula-type SOP|POS]] [--table T] [--ones S] [--zeros S] [--dc S] [--json]";

void FillFromTable(TCarnoGrid& map, const std::string& table) {
    const int size = 1 << map.VariableCount();
    if (static_cast<int>(table.size()) != size)
        throw InputError("--table needs " + std::to_string(size) + " characters, got " + std::to_string(table.size()));
    for (int m = 0; m < size; ++m) {
        const char ch = table[m];
        if (ch != '1' && ch != '0' && ch != '*' && ch != '-')
            throw InputError(std::string("--table: invalid character '") + ch + "' at minterm " + std::to_string(m));
        const TCellPos p = map.PositionOfMinterm(m);
        map.SetCells(p.Col, p.Row, ch == '-' ? "" : std::string(1, ch));
    }
}

void FillFromList(TCarnoGrid& map, const Args& args, const char* option, const char* text) {
    const auto value = args.Value(option);
    if (!value) return;
    for (int m : ParseMintermList(option, *value, (1 << map.VariableCount()) - 1)) {
        const TCellPos p = map.PositionOfMinterm(m);
        map.SetCells(p.Col, p.Row, text);
    }
}

void SetNames(TCarnoGrid& map, const std::string& names) {
    TStringParcer parcer;
    parcer.Text = names;
    parcer.Split(',');
    if (parcer.Count() > 8) throw InputError("--names: at most 8 names");
    for (int i = 0; i < parcer.Count(); ++i) {
        if (parcer.Item(i).size() > 10) throw InputError("--names: a name has at most 10 characters");
        map.SetVarName(i + 1, parcer.Item(i));
    }
}

// As the map file's Open command; a file that does not exist is an error here, not a no-op.
// Returns false when the map refused the file and said why.
bool LoadMap(TCarnoGrid& map, const std::string& path, const MessageCapture& messages) {
    if (map.LoadFromFile(path)) return true;
    if (messages.Count() == 0) throw InputError("--km: no such file " + path);
    return false;
}

// As the formula dialog's OK: validate, set the type, then fill. Returns false when the
// formula names an unknown variable (the dialog's message has been shown).
bool FillFromFormula(TCarnoGrid& map, const std::string& formula, const std::string& type) {
    if (type != "SOP" && type != "POS") throw UsageError("--formula-type must be SOP or POS");
    const int position = map.ValidateFormulaString(formula);
    if (position != 0) {
        platform::ShowMessage(platform::TranslateText("Unknown variable in line.") + "\n" +
                                  platform::TranslateText("Position:") + " " + std::to_string(position) + ".",
                              platform::MsgIcon::Error, platform::MsgButtons::Ok);
        return false;
    }
    map.FormulaType = type == "POS" ? 1 : 0;
    map.AnalyzeFormulaString(formula);
    return true;
}

void PrintJson(const TCarnoGrid& map, const MemoryResultTree::Node& root, std::ostream& out) {
    out << "{\"variables\":" << map.VariableCount() << ",\"form\":\"" << (map.GlueMethod == gmKNF ? "POS" : "SOP")
        << "\",\"formula\":" << JsonString(root.text) << ",\"terms\":[";
    for (int i = 0; i < map.ResultCount(); ++i) {
        const TGroup& g = map.ResultList()[i];
        out << (i ? "," : "") << "{\"text\":" << JsonString(root.children[i]) << ",\"cells\":[";
        std::set<int> minterms;
        for (std::size_t k = 0; k < g.Cells.size(); ++k) {
            out << (k ? "," : "") << '[' << int(g.Cells[k].Col) << ',' << int(g.Cells[k].Row) << ']';
            minterms.insert(map.MintermNumber(g.Cells[k].Col, g.Cells[k].Row));
        }
        out << "],\"minterms\":[";
        bool first = true;
        for (int m : minterms) {
            out << (first ? "" : ",") << m;
            first = false;
        }
        out << "]}";
    }
    out << "]}\n";
}

}  // namespace

int RunAnalyze(const Argv& argv, std::ostream& out, std::ostream& err) {
    MessageCapture messages(err);
    try {
        const Args args(argv, {{"km", true},
                               {"vars", true},
                               {"pos", false},
                               {"table", true},
                               {"ones", true},
                               {"zeros", true},
                               {"dc", true},
                               {"names", true},
                               {"formula", true},
                               {"formula-type", true},
                               {"json", false},
                               {"help", false}});
        if (args.Has("help")) {
            out << kAnalyzeUsage << '\n';
            return 0;
        }
        if (!args.Positional().empty()) throw UsageError("unexpected argument " + args.Positional()[0]);

        TCarnoGrid map;
        MemoryResultTree tree;
        map.TreeView = &tree;
        if (args.Has("formula-type") && !args.Has("formula")) throw UsageError("--formula-type needs --formula");
        if (const auto km = args.Value("km")) {
            if (!LoadMap(map, *km, messages)) return 1;
        }
        if (const auto vars = args.Value("vars")) {
            const int n = ParseIntOption("vars", *vars, 0, 1000000);
            // The file decides the count; --vars may only confirm it.
            if (args.Has("km") && n != map.VariableCount())
                throw InputError("--vars " + *vars + " contradicts the map file's " +
                                 std::to_string(map.VariableCount()) + " variables");
            if (!map.SetVariableCount(n)) return 1;
        }
        if (const auto names = args.Value("names")) SetNames(map, *names);
        if (const auto formula = args.Value("formula")) {
            if (!FillFromFormula(map, ValueOrFileContent(*formula), args.Value("formula-type").value_or("SOP")))
                return 1;
        }
        if (const auto table = args.Value("table")) FillFromTable(map, ValueOrFileContent(*table));
        FillFromList(map, args, "ones", "1");
        FillFromList(map, args, "zeros", "0");
        FillFromList(map, args, "dc", "*");

        // As the Analyze command: empty cells take the value the form does not cover.
        map.GlueMethod = args.Has("pos") ? gmKNF : gmDNF;
        const std::string fill = map.GlueMethod == gmKNF ? "1" : "0";
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r)
                if (map.Cells(c, r).empty()) map.SetCells(c, r, fill);

        map.Test();
        if (tree.roots.empty()) return 1;  // the check refused a cell and said why

        const MemoryResultTree::Node& root = tree.roots.front();
        if (args.Has("json")) {
            PrintJson(map, root, out);
        } else {
            out << root.text << '\n';
            for (const std::string& term : root.children) out << "  " << term << '\n';
        }
        return 0;
    } catch (const UsageError& e) {
        err << "mapwright-cli analyze: " << e.what() << '\n' << kAnalyzeUsage << '\n';
        return 2;
    } catch (const InputError& e) {
        err << "mapwright-cli analyze: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace cli
