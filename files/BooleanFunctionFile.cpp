#include "files/BooleanFunctionFile.h"

#include <charconv>
#include <filesystem>

#include "engine/CarnoGrid.h"
#include "files/FunctionFile.h"
#include "platform/IniFile.h"
#include "platform/Message.h"

namespace {

std::optional<int> Count(const std::string& value) {
    const std::size_t b = value.find_first_not_of(" \t");
    const std::size_t e = value.find_last_not_of(" \t");
    if (b == std::string::npos) return -1;
    const char* first = value.data() + b;
    const char* last = value.data() + e + 1;
    if (*first == '+') ++first;
    int n = 0;
    const auto [end, ec] = std::from_chars(first, last, n);
    return ec == std::errc() && end == last ? n : -1;
}

}  // namespace

std::optional<BooleanFunctionFile> BooleanFunctionFile::Read(const std::string& fileName) {
    const platform::IniFile file(fileName);
    if (const std::string problem = file.ReadProblem(); !problem.empty()) {
        platform::SayFileError("Cannot read the Boolean function file.", fileName, problem);
        return std::nullopt;
    }
    BooleanFunctionFile content;
    for (const auto& [key, value] : file.ReadSection(kSection)) {
        if (key == "VarCount") {
            content.VarCount = Count(value);
            continue;
        }
        for (std::size_t i = 0; i < kSetKeys.size(); ++i)
            if (key == kSetKeys[i]) content.Sets[i] = value;
    }
    return content;
}

bool BooleanFunctionFile::Write(const std::string& fileName) const {
    std::vector<std::pair<std::string, std::string>> values;
    if (VarCount) values.emplace_back("VarCount", std::to_string(*VarCount));
    for (std::size_t i = 0; i < kSetKeys.size(); ++i) values.emplace_back(kSetKeys[i], Sets[i].value_or(""));
    platform::IniFile file(fileName);
    if (file.WriteStrings(kSection, values)) return true;
    platform::SayFileError("Cannot write the Boolean function file.", fileName, file.LastError());
    return false;
}

bool TCarnoGrid::SaveToBooleanFunctionFile(const std::string& fileName) const {
    std::string ones, zeros, dontCares;
    MapToSets(ones, zeros, dontCares);
    return BooleanFunctionFile{VariableCount(), {ones, zeros, dontCares}}.Write(fileName);
}

bool TCarnoGrid::LoadFromBooleanFunctionFile(const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec)) return false;
    const std::optional<BooleanFunctionFile> content = BooleanFunctionFile::Read(fileName);
    if (!content) return false;  // the reason has been shown
    const auto& sets = content->Sets;
    if (!content->VarCount && !sets[0] && !sets[1] && !sets[2]) {
        platform::Say("The file holds no Boolean function.");
        return false;
    }
    const int n = content->VarCount.value_or(-1);
    if (n < 2 || n > 8) {
        platform::Say("The map takes functions of 2 to 8 inputs.");
        return false;
    }

    // Read into a map of its own first, so that a refused list leaves this one as it was.
    TCarnoGrid staging;
    staging.SetVariableCount(n);
    for (std::size_t i = 0; i < sets.size(); ++i)
        if (!staging.AnalyzeWorkString(sets[i].value_or(""), BooleanFunctionFile::kSetKeys[i])) return false;
    FunctionTable table = TableOfMap(staging);
    table.names.clear();  // the file names no variables: the map keeps its own
    return TakeFunctionTable(table);
}
