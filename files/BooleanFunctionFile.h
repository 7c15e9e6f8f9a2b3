#pragma once
// The Boolean function file: a function as its three minterm sets in the "Boolean Function"
// section of an initialization file. One value type for every reader and writer (the map and
// the advanced tool); other sections and keys of an existing file stay when it is written.

#include <array>
#include <optional>
#include <string>

struct BooleanFunctionFile {
    static constexpr const char* kSection = "Boolean Function";
    static constexpr std::array<const char*, 3> kSetKeys = {"1", "0", "*"};  // ones, zeros, don't cares

    // "VarCount": -1 when present but not a number; absent when the file does not say.
    std::optional<int> VarCount;
    // The sets texts by kSetKeys; a key the file lacks stays absent.
    std::array<std::optional<std::string>, 3> Sets;

    // What the file holds (nothing of it for a missing file or section); nothing at all, with
    // the reason shown, when the file is there but cannot be read.
    static std::optional<BooleanFunctionFile> Read(const std::string& fileName);
    // False, with the reason shown, when the file cannot be written.
    bool Write(const std::string& fileName) const;
};
