// mapwright-cli sets: fills a map from the command line and prints its three sets texts, as
// the program writes them into function files and reports.

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/Guarded.h"
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
}  // namespace

int RunSets(const Argv& argv, std::ostream& out, std::ostream& err) {
    MessageCapture messages(err);
    return Guarded("sets", kSetsUsage, err, [&] {
        const Args args(argv, {{"km", true},
                               {"vars", true},
                               {"table", true},
                               {"ones", true},
                               {"zeros", true},
                               {"dc", true},
                               {"help", false}});
        if (args.Has("help")) {
            out << kSetsUsage << '\n';
            return 0;
        }
        if (!args.Positional().empty())
            throw UsageError("unexpected argument " + args.Positional()[0]);
        TCarnoGrid map;
        if (!FillMap(map, args, messages)) return 1;
        std::string ones, zeros, dontCares;
        map.MapToSets(ones, zeros, dontCares);
        out << Line("1:", ones) << Line("0:", zeros) << Line("*:", dontCares);
        return 0;
    });
}

}  // namespace cli
