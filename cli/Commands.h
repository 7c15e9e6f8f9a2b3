#pragma once
// The subcommands of mapwright-cli. Each takes its arguments (after the subcommand's name)
// and returns the exit status: 0 success, 1 invalid input, 2 usage error.

#include <ostream>
#include <string>
#include <vector>

namespace cli {

using Argv = std::vector<std::string>;

int RunAnalyze(const Argv& args, std::ostream& out, std::ostream& err);
int RunConvert(const Argv& args, std::ostream& out, std::ostream& err);
int RunReport(const Argv& args, std::ostream& out, std::ostream& err);
int RunCircuit(const Argv& args, std::ostream& out, std::ostream& err);
int RunSets(const Argv& args, std::ostream& out, std::ostream& err);
int RunCore(const Argv& args, std::ostream& out, std::ostream& err);
int RunVhdl(const Argv& args, std::ostream& out, std::ostream& err);

// Dispatches on args[0]; prints the overall help for "--help" or no arguments.
int RunCommand(const Argv& args, std::ostream& out, std::ostream& err);

}  // namespace cli
