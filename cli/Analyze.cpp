// mapwright-cli analyze: fills a map from the command line, runs the analysis exactly as the
// main window's Analyze command does and prints the result tree.

#include "engine/Analyze.h"

#include <algorithm>
#include <set>

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "cli/MapInput.h"
#include "cli/MessageCapture.h"
#include "engine/CarnoGrid.h"

namespace cli {

namespace {

const char* kAnalyzeUsage =
    "usage: mapwright-cli analyze [--km FILE] [--vars N] [--pos] [--names A,B,...] "
    "[--formula F [--formula-type SOP|POS]] [--table T] [--ones S] [--zeros S] [--dc S] [--json]";

void PrintJson(const TCarnoGrid& map, const MemoryResultTree::Node& root, std::ostream& out) {
    out << "{\"variables\":" << map.VariableCount() << ",\"form\":\""
        << (map.GlueMethod == gmKNF ? "POS" : "SOP") << "\",\"formula\":" << JsonString(root.text)
        << ",\"terms\":[";
    for (int i = 0; i < map.ResultCount(); ++i) {
        const TGroup& g = map.ResultList()[i];
        out << (i ? "," : "") << "{\"text\":" << JsonString(root.children[i]) << ",\"cells\":[";
        std::set<int> minterms;
        for (std::size_t k = 0; k < g.Cells.size(); ++k) {
            out << (k ? "," : "") << '[' << int(g.Cells[k].Col) << ',' << int(g.Cells[k].Row)
                << ']';
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

int Run(const Invocation& call) {
    const Args& args = call.args;
    TCarnoGrid map;
    MemoryResultTree tree;
    map.TreeView = &tree;
    if (!FillMap(map, args, call.messages)) return 1;

    if (!AnalyzeOrSay(map, args)) return 1;

    const MemoryResultTree::Node& root = tree.roots.front();
    if (args.Has("json")) {
        PrintJson(map, root, call.out);
    } else {
        call.out << root.text << '\n';
        for (const std::string& term : root.children) call.out << "  " << term << '\n';
    }
    return 0;
}

}  // namespace

const Subcommand kAnalyzeCommand{
    "analyze",
    "minimize a map of 2 to 8 variables by gluing and print the result tree",
    kAnalyzeUsage,
    {{"km", true},
     {"vars", true},
     {"pos", false},
     {"table", true},
     {"ones", true},
     {"zeros", true},
     {"dc", true},
     {"names", true},
     {"formula", true},
     {"formula-type", true},
     {"json", false}},
    0,
    "",
    Run};

}  // namespace cli
