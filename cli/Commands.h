#pragma once
// The subcommands of mapwright-cli: one table, one runner. A subcommand is its options, its
// usage line and a body; the runner parses the arguments, answers "--help", and turns what the
// body throws into the exit status: 0 success, 1 invalid input, 2 usage error.

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Args.h"

namespace cli {

using Argv = std::vector<std::string>;

class MessageCapture;

// What a body works with. Messages shown through platform::ShowMessage go to err and are
// counted in messages, so a body may end with status 1 after one was shown.
struct Invocation {
    const Args& args;
    std::ostream& out;
    std::ostream& err;
    const MessageCapture& messages;
};

struct Subcommand {
    const char* name;
    const char* summary;  // its line in the overall help
    const char* usage;
    std::vector<OptionDef> options;           // "--help" is added for every command
    std::size_t positional = 0;               // the exact number of plain arguments it takes
    const char* positionalError = "";         // the usage error when that number is not met
    int (*run)(const Invocation&) = nullptr;  // throws UsageError or InputError
};

extern const Subcommand kAnalyzeCommand;
extern const Subcommand kExplainCommand;
extern const Subcommand kCheckCommand;
extern const Subcommand kExerciseCommand;
extern const Subcommand kWorksheetCommand;
extern const Subcommand kSetsCommand;
extern const Subcommand kConvertCommand;
extern const Subcommand kReportCommand;
extern const Subcommand kCircuitCommand;
extern const Subcommand kCoreCommand;
extern const Subcommand kVhdlCommand;
extern const Subcommand kVerilogCommand;
extern const Subcommand kPlaCommand;

// Every subcommand, in the order the overall help lists them.
const std::vector<const Subcommand*>& Subcommands();

// Runs one subcommand on its arguments (after its name).
int RunSubcommand(const Subcommand& command, const Argv& args, std::ostream& out,
                  std::ostream& err);

// Dispatches on args[0]; prints the overall help for "--help" or no arguments.
int RunCommand(const Argv& args, std::ostream& out, std::ostream& err);

}  // namespace cli
