#pragma once
// The tool's three lists of minterm numbers ("1,3,5-9") and the function string they make:
// 2^n characters, '1', '0' or '2' (don't care), character m for minterm m.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "files/BooleanFunctionFile.h"

namespace platform {
class IniFile;
}

// Lists longer than this are refused; it is as much as a Boolean function file may hold.
constexpr std::size_t kMaxListLength = 16u << 20;
// Every character must be a digit, '-' or ','; otherwise shows "Invalid symbol in string."
// and returns false; a text over kMaxListLength shows "The list is too long.". An empty text
// passes.
bool ValidateList(const std::string& text);

// Sets the characters the list names to `symbol`, by the sets text's rules (input/SetsText.h).
void ReadList(std::string& function, const std::string& text, char symbol);

// Checks the three lists in order (stopping at the first bad one, one message) and reads them
// in order, so don't care wins over 0 and 0 over 1.
std::optional<std::string> FunctionFromLists(int n, const std::string& ones,
                                             const std::string& zeros,
                                             const std::string& dontCares);

// The minterms whose character is `symbol`, as a list: runs of three or more as ranges
// ("0-3,5,6"), as the map writes its sets.
std::string ListOf(const std::string& function, char symbol);

// The variable counts the tool offers.
constexpr int kMinListVariables = 4;
constexpr int kMaxListVariables = 23;

// A Boolean function file's content, or nothing, with "Invalid number of variables" shown,
// when it names a count the tool cannot take: then the tool keeps everything as it was.
std::optional<BooleanFunctionFile> ReadListsFile(const std::string& fileName);
