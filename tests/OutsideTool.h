#pragma once
// Tests that run a program from outside (a browser, a VHDL simulator, ...): one rule for all.
// Where the program is absent the test is skipped and says which and why; ./test installs
// every such program (scripts/install-deps), so the normal run has them all.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

namespace testing_support {

// The program's full path: itself when given with a folder, else found on the PATH.
inline std::optional<std::string> FindProgram(const std::string& program) {
    namespace fs = std::filesystem;
    const auto runnable = [](const fs::path& p) {
        std::error_code ec;
        return fs::is_regular_file(p, ec) &&
               (fs::status(p, ec).permissions() & fs::perms::owner_exec) != fs::perms::none;
    };
    if (program.find('/') != std::string::npos)
        return runnable(program) ? std::optional(program) : std::nullopt;
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && runnable(fs::path(folder) / program))
            return (fs::path(folder) / program).string();
    return std::nullopt;
}

}  // namespace testing_support

// Skips the running test, with the reason printed, when program is not installed.
#define MW_REQUIRE_PROGRAM(program)             \
    if (!testing_support::FindProgram(program)) \
    GTEST_SKIP() << (program) << " is not installed (scripts/install-deps installs it for ./test)"
