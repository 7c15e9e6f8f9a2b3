#include "cli/Commands.h"

namespace cli {

namespace {
const char* kHelp =
    "mapwright-cli: the Mapwright Karnaugh map logic for scripts\n"
    "\n"
    "usage: mapwright-cli COMMAND [OPTIONS]\n"
    "\n"
    "commands:\n"
    "  analyze   minimize a map of 2 to 8 variables by gluing and print the result tree\n"
    "  sets      print a map's minterm sets: the ones, zeros and don't cares\n"
    "  convert   turn a map file into a map file, an HTML page or a Boolean function file\n"
    "  report    analyse a map file and write the HTML report\n"
    "  circuit   draw a formula as a gate circuit: a JPEG, bitmap or PNG picture, a PDF page\n"
    "  core      minimize a function of 1 to 23 variables with the minimization core\n"
    "  vhdl      print the VHDL text of a formula\n"
    "\n"
    "Run 'mapwright-cli COMMAND --help' for a command's options.\n";
}

int RunCommand(const Argv& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kHelp;
        return 0;
    }
    const Argv rest(args.begin() + 1, args.end());
    if (args[0] == "analyze") return RunAnalyze(rest, out, err);
    if (args[0] == "sets") return RunSets(rest, out, err);
    if (args[0] == "convert") return RunConvert(rest, out, err);
    if (args[0] == "report") return RunReport(rest, out, err);
    if (args[0] == "circuit") return RunCircuit(rest, out, err);
    if (args[0] == "core") return RunCore(rest, out, err);
    if (args[0] == "vhdl") return RunVhdl(rest, out, err);
    err << "mapwright-cli: unknown command '" << args[0] << "'\n" << "usage: mapwright-cli COMMAND [OPTIONS]\n";
    return 2;
}

}  // namespace cli
