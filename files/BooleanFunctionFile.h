#pragma once
// The Boolean function file: a function as its three minterm sets in the "Boolean Function"
// section of an initialization file. One value type for every reader and writer (the map and
// the advanced tool); other sections and keys of an existing file stay when it is written.
// Several functions of the same inputs: the first keeps that section, which then also says
// "Outputs" (how many) and "Name"; function k (from 2) has a section "Boolean Function k" with
// "Name" and the three sets. A reader that knows one function reads the first; a file of one
// function without a name is exactly what such a reader writes.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/CarnoGrid.h"

struct BooleanFunctionFile {
    static constexpr const char* kSection = "Boolean Function";
    static constexpr std::array<const char*, 3> kSetKeys = {"1", "0",
                                                            "*"};  // ones, zeros, don't cares

    // "VarCount": -1 when present but not a number; absent when the file does not say.
    std::optional<int> VarCount;
    // The sets texts by kSetKeys; a key the file lacks stays absent.
    std::array<std::optional<std::string>, 3> Sets;
    // The first function's name, when the file gives one.
    std::optional<std::string> Name;

    // The functions after the first.
    struct Function {
        std::optional<std::string> Name;
        std::array<std::optional<std::string>, 3> Sets;
        bool operator==(const Function&) const = default;
    };
    static constexpr int kMaxFunctions = 128;
    // The largest file read: the lists of one function of 23 variables can name every minterm
    // in about 70 MB; past this the file is refused unread.
    static constexpr std::size_t kMaxFileSize = std::size_t{128} << 20;
    std::vector<Function> More;

    // What the file holds (nothing of it for a missing file or section); nothing at all, with
    // the reason shown, when the file is there but cannot be read or its "Outputs" is not a
    // count of 1 to kMaxFunctions. A section the count names but the file lacks is a function
    // with nothing given.
    static std::optional<BooleanFunctionFile> Read(const std::string& fileName);
    // Where two sets of function `function` (from 1) give one minterm of n variables two
    // values, the smallest such minterm and both lines of the file `fileName` it was read from,
    // as "minterm 1: 1 on line 3, 0 on line 4"; nothing when the sets agree. Read by the sets
    // text's rules (input/SetsText.h).
    std::optional<std::string> Clash(const std::string& fileName, int function, int n) const;
    // False, with the reason shown, when the file cannot be written.
    bool Write(const std::string& fileName) const;
};

// The section "Boolean Function" with VarCount and the three sets texts; other sections and
// keys of an existing file stay. True when written, a failure reported once.
bool SaveToBooleanFunctionFile(const TCarnoGrid& map, const std::string& fileName);
// Reads the three lists of such a file into the map (2 to 8 variables; names stay). A
// missing file does nothing; a bad one is reported and leaves the map as it was.
bool LoadFromBooleanFunctionFile(TCarnoGrid& map, const std::string& fileName,
                                 const ResultsQuestion& ask = {});
