#include <iostream>

#include "cli/Commands.h"

int main(int argc, char** argv) {
    return cli::RunCommand(cli::Argv(argv + 1, argv + argc), std::cout, std::cerr);
}
