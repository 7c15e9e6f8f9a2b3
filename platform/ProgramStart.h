#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts a program detached from this one; false when it could not be started.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace platform
