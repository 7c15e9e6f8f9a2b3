#pragma once
// Small text helpers every reader shares.

#include <string>
#include <string_view>

namespace platform {

// s without any of blanks at either end.
std::string Trim(std::string_view s, std::string_view blanks = " \t");

}  // namespace platform
