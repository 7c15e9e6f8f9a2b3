// mapwright-cli report: analyses a map file and writes the report from the shipped templates,
// as the report dialog would.

#include "cli/Commands.h"
#include "cli/Guarded.h"
#include "cli/MessageCapture.h"
#include "engine/Analyze.h"
#include "input/TruthTableData.h"
#include "platform/SafeWrite.h"
#include "report/Generate.h"

namespace cli {

namespace {
const char* kReportUsage =
    "usage: mapwright-cli report --km FILE [--pos] [--truth-table] [--map] [--sets] [--each-term] --out FILE.htm";
}

int RunReport(const Argv& argv, std::ostream& out, std::ostream& err) {
    MessageCapture messages(err);
    return Guarded("report", kReportUsage, err, [&] {
        const Args args(argv, {{"km", true},
                               {"pos", false},
                               {"truth-table", false},
                               {"map", false},
                               {"sets", false},
                               {"each-term", false},
                               {"out", true},
                               {"help", false}});
        if (args.Has("help")) {
            out << kReportUsage << '\n';
            return 0;
        }
        if (!args.Positional().empty()) throw UsageError("unexpected argument " + args.Positional()[0]);
        const auto km = args.Value("km");
        const auto target = args.Value("out");
        if (!km || !target) throw UsageError("--km and --out are needed");

        TCarnoGrid map;
        MemoryResultTree tree;
        map.TreeView = &tree;
        if (!map.LoadFromFile(*km)) {
            if (messages.Count() == 0) throw InputError("cannot read " + *km);
            return 1;
        }
        if (!AnalyzeMap(map, args.Has("pos") ? gmKNF : gmDNF)) return 1;

        const report::Choices choices{args.Has("truth-table"), args.Has("map"), args.Has("sets"), args.Has("each-term")};
        TruthTableData table;
        std::string page, error;
        if (!report::GenerateReport(map, choices, tree.roots.front().children, table, {}, page, error) ||
            !platform::WriteFileAtomically(*target, page, &error)) {
            err << error << '\n';
            return 1;
        }
        return 0;
    });
}

}  // namespace cli
