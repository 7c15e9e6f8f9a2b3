// mapwright-cli sets: fills a map from the command line and prints its three sets texts, as
// the program writes them into function files and reports.

#include "input/Sets.h"

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/MapInput.h"
#include "cli/MessageCapture.h"
#include "engine/CarnoGrid.h"

namespace cli {

namespace {
const char* kSetsUsage =
    "usage: mapwright-cli sets [--vars N] [--table T] [--ones S] [--zeros S] [--dc S] [--km FILE]";

std::string Line(const char* label, const std::string& text) {
    return std::string(label) + (text.empty() ? "" : " " + text) + "\n";
}
int Run(const Invocation& call) {
    TCarnoGrid map;
    if (!FillMap(map, call.args, call.messages)) return 1;
    std::string ones, zeros, dontCares;
    MapToSets(map, ones, zeros, dontCares);
    call.out << Line("1:", ones) << Line("0:", zeros) << Line("*:", dontCares);
    return 0;
}
}  // namespace

const Subcommand kSetsCommand{
    "sets",
    "print a map's minterm sets: the ones, zeros and don't cares",
    kSetsUsage,
    {{"km", true}, {"vars", true}, {"table", true}, {"ones", true}, {"zeros", true}, {"dc", true}},
    0,
    "",
    Run};

}  // namespace cli
