#pragma once
// Minterm lists of the command line: decimal numbers and inclusive ranges joined by ",",
// such as "0-3,5,6". Blanks around items are allowed.

#include <string>
#include <vector>

namespace cli {

// Throws InputError naming the option for anything else or a number above maxMinterm.
std::vector<int> ParseMintermList(const std::string& option, const std::string& text, int maxMinterm);

}  // namespace cli
