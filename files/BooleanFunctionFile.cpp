#include "files/BooleanFunctionFile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>

#include "engine/CarnoGrid.h"
#include "files/FunctionFile.h"
#include "input/Sets.h"
#include "input/SetsText.h"
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

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Trim(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

std::string SectionOf(std::size_t function) {  // from 1
    return std::string(BooleanFunctionFile::kSection) +
           (function > 1 ? " " + std::to_string(function) : "");
}

// The sets (and the name) a section gives.
template <typename Target>
void ReadSets(const std::vector<std::pair<std::string, std::string>>& lines, Target& target) {
    for (const auto& [key, value] : lines) {
        if (key == "Name") target.Name = value;
        for (std::size_t i = 0; i < BooleanFunctionFile::kSetKeys.size(); ++i)
            if (key == BooleanFunctionFile::kSetKeys[i]) target.Sets[i] = value;
    }
}

template <typename Source>
std::vector<std::pair<std::string, std::string>> SetLines(const Source& source) {
    std::vector<std::pair<std::string, std::string>> values;
    if (source.Name) values.emplace_back("Name", *source.Name);
    for (std::size_t i = 0; i < BooleanFunctionFile::kSetKeys.size(); ++i)
        values.emplace_back(BooleanFunctionFile::kSetKeys[i], source.Sets[i].value_or(""));
    return values;
}

}  // namespace

std::optional<BooleanFunctionFile> BooleanFunctionFile::Read(const std::string& fileName) {
    const platform::IniFile file(fileName, kMaxFileSize);
    // One reading for every function: a file of many is large.
    const auto sections = file.ReadAllSections();
    if (!sections) {
        platform::SayFileError("Cannot read the Boolean function file.", fileName,
                               file.LastError());
        return std::nullopt;
    }
    std::map<std::string, const std::vector<std::pair<std::string, std::string>>*> byName;
    for (const auto& [name, lines] : *sections) byName[Lower(name)] = &lines;
    const auto section = [&](std::size_t function) {
        const auto it = byName.find(Lower(SectionOf(function)));
        return it == byName.end() ? std::vector<std::pair<std::string, std::string>>{}
                                  : *it->second;
    };
    BooleanFunctionFile content;
    const auto first = section(1);
    std::optional<int> outputs;
    std::string outputsText;
    for (const auto& [key, value] : first) {
        if (key == "VarCount") content.VarCount = Count(value);
        if (key == "Outputs") {
            outputs = Count(value);
            outputsText = Trim(value);
        }
    }
    ReadSets(first, content);
    if (outputs && (*outputs < 1 || *outputs > kMaxFunctions)) {
        platform::SayFileError("The file's count of functions is not valid.", fileName,
                               "Outputs=" + outputsText);
        return std::nullopt;
    }
    for (int k = 2; outputs && k <= *outputs; ++k)
        ReadSets(section(k), content.More.emplace_back());
    return content;
}

std::optional<std::string> BooleanFunctionFile::Clash(const std::string& fileName, int function,
                                                      int n) const {
    const auto& sets = function == 1 ? Sets : More.at(function - 2).Sets;
    // Each set as sorted, merged ranges: the lists of many variables name millions.
    using Ranges = std::vector<std::pair<long long, long long>>;
    std::vector<Ranges> ranges(sets.size());
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (!sets[i]) continue;
        std::string text = *sets[i];
        text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
        if (text.find_first_not_of("0123456789-,") != std::string::npos) continue;
        Ranges& r = ranges[i];
        sets_text::ForEachRange(text, (1LL << n) - 1,
                                [&](long long lo, long long hi) { r.emplace_back(lo, hi); });
        std::sort(r.begin(), r.end());
    }
    long long first = -1;
    std::size_t a = 0, b = 0;
    for (std::size_t i = 0; i < sets.size(); ++i)
        for (std::size_t j = i + 1; j < sets.size(); ++j)
            for (std::size_t p = 0, q = 0; p < ranges[i].size() && q < ranges[j].size();) {
                const auto& [lo1, hi1] = ranges[i][p];
                const auto& [lo2, hi2] = ranges[j][q];
                const long long lo = std::max(lo1, lo2);
                if (lo <= std::min(hi1, hi2)) {
                    if (first < 0 || lo < first) first = lo, a = i, b = j;
                    break;  // the ranges are sorted by their start: no smaller meeting follows
                }
                (hi1 < hi2 ? p : q)++;
            }
    if (first < 0) return std::nullopt;
    const platform::IniFile file(fileName, kMaxFileSize);
    const auto at = [&](std::size_t k) {
        return std::string(kSetKeys[k]) + " on line " +
               std::to_string(file.LineOf(SectionOf(function), kSetKeys[k]));
    };
    return "minterm " + std::to_string(first) + ": " + at(a) + ", " + at(b);
}

bool BooleanFunctionFile::Write(const std::string& fileName) const {
    platform::IniFile file(fileName);
    std::vector<platform::IniFile::SectionValues> sections(1, {kSection, {}});
    auto& values = sections.front().second;
    if (VarCount) values.emplace_back("VarCount", std::to_string(*VarCount));
    // A file that held several functions says how many it holds now, even one; nor may a name
    // of before pass for this function's.
    if (!More.empty() || !file.ReadString(kSection, "Outputs", "").empty())
        values.emplace_back("Outputs", std::to_string(More.size() + 1));
    if (!Name && !file.ReadString(kSection, "Name", "").empty()) values.emplace_back("Name", "");
    for (auto& line : SetLines(*this)) values.push_back(std::move(line));
    for (std::size_t k = 0; k < More.size(); ++k)
        sections.emplace_back(SectionOf(k + 2), SetLines(More[k]));
    if (file.WriteSections(sections)) return true;
    platform::SayFileError("Cannot write the Boolean function file.", fileName, file.LastError());
    return false;
}

bool SaveToBooleanFunctionFile(const TCarnoGrid& map, const std::string& fileName) {
    std::string ones, zeros, dontCares;
    MapToSets(map, ones, zeros, dontCares);
    BooleanFunctionFile file;
    file.VarCount = map.VariableCount();
    file.Sets = {ones, zeros, dontCares};
    return file.Write(fileName);
}

bool LoadFromBooleanFunctionFile(TCarnoGrid& map, const std::string& fileName,
                                 const ResultsQuestion& ask) {
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
    if (const auto clash = content->Clash(fileName, 1, n)) {
        platform::SayFileError("The file gives a minterm two values.", fileName, *clash);
        return false;
    }

    // Read into a map of its own first, so that a refused list leaves this one as it was.
    TCarnoGrid staging;
    staging.SetVariableCount(n);
    for (std::size_t i = 0; i < sets.size(); ++i)
        if (!AnalyzeWorkString(staging, sets[i].value_or(""), BooleanFunctionFile::kSetKeys[i]))
            return false;
    FunctionTable table = TableOfMap(staging);
    table.names.clear();  // the file names no variables: the map keeps its own
    table.outputName = content->Name.value_or("");
    return TakeFunctionTable(map, table, ask);
}
