#pragma once
// The common end of every subcommand: a malformed command line exits 2 with the usage line,
// bad input exits 1 with what was wrong.

#include <ostream>

#include "cli/Args.h"

namespace cli {

template <typename Body>
int Guarded(const char* command, const char* usage, std::ostream& err, Body&& body) {
    try {
        return body();
    } catch (const UsageError& e) {
        err << "mapwright-cli " << command << ": " << e.what() << '\n' << usage << '\n';
        return 2;
    } catch (const InputError& e) {
        err << "mapwright-cli " << command << ": " << e.what() << '\n';
        return 1;
    }
}

}  // namespace cli
