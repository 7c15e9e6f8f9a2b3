// The folders keep their floors, as the table floors.txt at the project root gives them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr double kApart = -1, kNotProgram = -2;

std::map<std::string, double> Floors() {
    std::map<std::string, double> floors;
    std::ifstream in(fs::path(MW_SOURCE_DIR) / "floors.txt");
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string folder, floor;
        if (!(words >> folder >> floor) || folder[0] == '#') continue;
        floors[folder] = floor == "apart" ? kApart : floor == "-" ? kNotProgram : std::stod(floor);
    }
    return floors;
}

bool IsProgramFile(const fs::path& p) {
    const std::string ext = p.extension().string();
    return ext == ".cpp" || ext == ".h" || ext == ".hpp";
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The problems of one file of folder, which stands on floor.
void CheckFile(const fs::path& file, const std::string& folder,
               const std::map<std::string, double>& floors, std::vector<std::string>& problems) {
    static const std::regex include(R"re(^\s*#\s*include\s+"([a-z_]+)/)re");
    const std::string text = ReadAll(file);
    const std::string name = fs::relative(file, MW_SOURCE_DIR).string();
    if (const auto lines = std::count(text.begin(), text.end(), '\n'); lines > 600)
        problems.push_back(name + ": " + std::to_string(lines) + " lines");
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, include)) continue;
        const std::string target = m[1];
        const auto it = floors.find(target);
        if (target == folder || it == floors.end() || it->second == kNotProgram) continue;
        const double own = floors.at(folder), theirs = it->second;
        if (own == kApart) {
            if (target != "platform") problems.push_back(name + " includes " + target + "/");
        } else if (theirs == kApart) {
            if (folder == "advmin") problems.push_back(name + " includes " + target + "/");
        } else if (theirs >= own) {
            problems.push_back(name + " (" + folder + ") includes " + target + "/ on a floor " +
                               "at or above its own");
        }
    }
}

TEST(Floors, EveryFolderHasAFloorAndEveryFileKeepsIt) {
    const auto floors = Floors();
    ASSERT_FALSE(floors.empty()) << "floors.txt is missing";
    std::vector<std::string> problems;
    int files = 0;
    for (const auto& top : fs::directory_iterator(MW_SOURCE_DIR)) {
        const std::string folder = top.path().filename().string();
        if (!top.is_directory() || folder[0] == '.' || folder.rfind("build", 0) == 0) continue;
        const auto it = floors.find(folder);
        if (it != floors.end() && it->second == kNotProgram) continue;
        for (const auto& entry : fs::recursive_directory_iterator(top.path())) {
            if (!entry.is_regular_file() || !IsProgramFile(entry.path())) continue;
            if (it == floors.end()) {
                problems.push_back(folder + "/ holds program files but has no floor in floors.txt");
                break;
            }
            ++files;
            CheckFile(entry.path(), folder, floors, problems);
        }
    }
    EXPECT_GT(files, 100);
    for (const std::string& p : problems) ADD_FAILURE() << p;
}

}  // namespace
