#pragma once
// Runs mapwright-cli in process and keeps its status and both outputs.

#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace testing_support {

struct CliRun {
    int status;
    std::string out, err;
};

inline CliRun Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::RunCommand(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace testing_support
