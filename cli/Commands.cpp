#include "cli/Commands.h"

#include <iomanip>
#include <new>

#include "cli/MessageCapture.h"
#include "platform/SafeWrite.h"

namespace cli {

const std::vector<const Subcommand*>& Subcommands() {
    static const std::vector<const Subcommand*> commands = {
        &kAnalyzeCommand, &kExplainCommand, &kCheckCommand,  &kExerciseCommand, &kWorksheetCommand,
        &kSetsCommand,    &kConvertCommand, &kReportCommand, &kCircuitCommand,  &kCoreCommand,
        &kVhdlCommand,    &kVerilogCommand, &kPlaCommand,
    };
    return commands;
}

int RunSubcommand(const Subcommand& command, const Argv& argv, std::ostream& out,
                  std::ostream& err) {
    MessageCapture messages(err);
    try {
        std::vector<OptionDef> options = command.options;
        options.push_back({"help", false});
        options.push_back({"force", false});
        const Args args(argv, options);
        // Without --force a read-only output file is refused, never replaced.
        platform::SetReadOnlyFiles(args.Has("force") ? platform::ReadOnlyFiles::Replace
                                                     : platform::ReadOnlyFiles::Refuse);
        if (args.Has("help")) {
            out << command.usage << '\n';
            return 0;
        }
        if (args.Positional().size() != command.positional)
            throw UsageError(command.positional == 0 ? "unexpected argument " + args.Positional()[0]
                                                     : std::string(command.positionalError));
        return command.run(Invocation{args, out, err, messages});
    } catch (const UsageError& e) {
        err << "mapwright-cli " << command.name << ": " << e.what() << '\n'
            << command.usage << '\n';
        return 2;
    } catch (const InputError& e) {
        err << "mapwright-cli " << command.name << ": " << e.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        err << "mapwright-cli " << command.name << ": not enough memory\n";
        return 1;
    }
}

int RunCommand(const Argv& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << "mapwright-cli: the Mapwright Karnaugh map logic for scripts\n\n"
               "usage: mapwright-cli COMMAND [OPTIONS]\n\ncommands:\n";
        for (const Subcommand* command : Subcommands())
            out << "  " << std::left << std::setw(10) << command->name << command->summary << '\n';
        out << "\nRun 'mapwright-cli COMMAND --help' for a command's options. Every command takes --force:\n"
               "without it a read-only output file is refused, never replaced.\n";
        return 0;
    }
    for (const Subcommand* command : Subcommands())
        if (args[0] == command->name)
            return RunSubcommand(*command, Argv(args.begin() + 1, args.end()), out, err);
    err << "mapwright-cli: unknown command '" << args[0] << "'\n"
        << "usage: mapwright-cli COMMAND [OPTIONS]\n";
    return 2;
}

}  // namespace cli
