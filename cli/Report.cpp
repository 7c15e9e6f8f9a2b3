// mapwright-cli report: analyses a map file and writes the report from the shipped templates,
// as the report dialog would.

#include "cli/Commands.h"
#include "cli/MapInput.h"
#include "cli/MessageCapture.h"
#include "files/MapFile.h"
#include "input/TruthTableData.h"
#include "platform/SafeWrite.h"
#include "report/Generate.h"

namespace cli {

namespace {
const char* kReportUsage =
    "usage: mapwright-cli report --km FILE [--pos] [--truth-table] [--map] [--sets] [--each-term] --out FILE.htm";

int Run(const Invocation& call) {
    const Args& args = call.args;
    const auto km = args.Value("km");
    const auto target = args.Value("out");
    if (!km || !target) throw UsageError("--km and --out are needed");

    TCarnoGrid map;
    MemoryResultTree tree;
    map.TreeView = &tree;
    if (!LoadFromFile(map, *km)) {
        if (call.messages.Count() == 0) throw InputError("cannot read " + *km);
        return 1;
    }
    if (!AnalyzeOrSay(map, args)) return 1;

    const report::Choices choices{args.Has("truth-table"), args.Has("map"), args.Has("sets"),
                                  args.Has("each-term")};
    TruthTableData table;
    std::string page, error;
    if (!report::GenerateReport(map, choices, table, {}, page, error) ||
        !platform::WriteFileAtomically(*target, page, &error)) {
        call.err << error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

const Subcommand kReportCommand{"report",
                                "analyse a map file and write the HTML report",
                                kReportUsage,
                                {{"km", true},
                                 {"pos", false},
                                 {"truth-table", false},
                                 {"map", false},
                                 {"sets", false},
                                 {"each-term", false},
                                 {"out", true}},
                                0,
                                "",
                                Run};

}  // namespace cli
