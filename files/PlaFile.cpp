#include "files/PlaFile.h"

#include <cctype>
#include <sstream>

#include "engine/CarnoGrid.h"
#include "platform/Message.h"
#include "platform/ReadFile.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"

namespace {

void ShowError(const std::string& text) {
    platform::ShowMessage(text, platform::MsgIcon::Error, platform::MsgButtons::Ok);
}

// Names a PLA line can carry: no blanks, none empty; otherwise none are written.
std::vector<std::string> WritableNames(const TCarnoGrid& map) {
    std::vector<std::string> names;
    for (int k = 1; k <= map.VariableCount(); ++k) {
        const std::string& name = map.VarName(k);
        if (name.empty()) return {};
        for (char c : name)
            if (std::isspace(static_cast<unsigned char>(c)) || c == '#' || c == '|') return {};
        names.push_back(name);
    }
    return names;
}

}  // namespace

std::optional<pla::Pla> ReadPlaForMap(const std::string& fileName, bool* missing) {
    if (missing) *missing = false;
    std::string bytes, error;
    switch (platform::ReadFileLimited(fileName, kMaxPlaFileSize, &bytes, &error)) {
        case platform::ReadStatus::Ok:
            break;
        case platform::ReadStatus::Missing:
            if (missing) *missing = true;
            return std::nullopt;
        case platform::ReadStatus::TooLarge:
            ShowError(platform::TranslateText("The file is too large."));
            return std::nullopt;
        case platform::ReadStatus::Failed:
            ShowError(platform::TranslateText("Cannot read the file.") + "\n" + fileName + ": " +
                      error);
            return std::nullopt;
    }
    pla::Error problem;
    auto file = pla::ReadText(bytes, &problem);
    if (!file) {
        ShowError(problem.message);
        return std::nullopt;
    }
    if (file->inputs < 2 || file->inputs > 8) {
        ShowError(platform::TranslateText("The map takes functions of 2 to 8 inputs."));
        return std::nullopt;
    }
    if (file->outputs < 1) {
        ShowError(platform::TranslateText("The file holds no Boolean function."));
        return std::nullopt;
    }
    return file;
}

FunctionTable TableOfPla(const pla::Pla& file, int output) {
    FunctionTable table;
    table.variableCount = file.inputs;
    table.names = file.inputNames;
    if (output < static_cast<int>(file.outputNames.size()))
        table.outputName = file.outputNames[output];
    for (std::uint32_t m = 0; m < (std::uint32_t{1} << file.inputs); ++m) {
        const char v = file.ValueAt(output, m);
        table.values.push_back(v == '1' ? "1" : v == '0' ? "0" : "*");
    }
    return table;
}

int PlaOutputOf(const pla::Pla& file, const std::string& choice) {
    for (int o = 0; o < static_cast<int>(file.outputNames.size()); ++o)
        if (file.outputNames[o] == choice) return o;
    if (choice.empty() || choice.size() > 4 ||
        choice.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int k = std::stoi(choice);
    return k >= 1 && k <= file.outputs ? k - 1 : -1;
}

std::vector<pla::Cube> CompactCubes(const std::vector<bool>& need, const std::vector<bool>& allowed,
                                    int n) {
    const std::uint32_t all = (std::uint32_t{1} << n) - 1;
    std::vector<bool> covered(need.size(), false);
    std::vector<pla::Cube> cubes;
    const auto fits = [&](const pla::Cube& c) {
        // Every minterm of the cube: the free bits run through all their values.
        const std::uint32_t free = all & ~c.care.Low();
        std::uint32_t sub = 0;
        do {
            if (!allowed[c.value.Low() | sub]) return false;
            sub = (sub - free) & free;
        } while (sub != 0);
        return true;
    };
    for (std::uint32_t m = 0; m <= all; ++m) {
        if (!need[m] || covered[m]) continue;
        pla::Cube cube{all, m};
        for (int b = n - 1; b >= 0; --b) {
            const std::uint32_t bit = std::uint32_t{1} << b;
            const pla::Cube wider{cube.care & ~bit, cube.value & ~bit};
            if (fits(wider)) cube = wider;
        }
        const std::uint32_t free = all & ~cube.care.Low();
        std::uint32_t sub = 0;
        do {
            covered[cube.value.Low() | sub] = true;
            sub = (sub - free) & free;
        } while (sub != 0);
        cubes.push_back(cube);
    }
    return cubes;
}

std::optional<std::string> MapPlaText(const TCarnoGrid& map) {
    if (!map.CheckCells()) {
        platform::Say("Invalid data in cell.");
        return std::nullopt;
    }
    const FunctionTable table = TableOfMap(map);
    const int n = table.variableCount;
    std::vector<bool> ones(table.values.size()), dontCares(table.values.size()),
        notZero(table.values.size());
    for (std::size_t m = 0; m < table.values.size(); ++m) {
        ones[m] = table.values[m] == "1";
        dontCares[m] = table.values[m] == "*";
        notZero[m] = ones[m] || dontCares[m];
    }
    // A one's cube may take in don't cares (a point in both reads as a don't care, as it is);
    // a don't care's cube takes in nothing else.
    std::ostringstream out;
    pla::WriteFunction(out, n, CompactCubes(ones, notZero, n),
                       CompactCubes(dontCares, dontCares, n), WritableNames(map), "F");
    return out.str();
}

std::optional<std::string> ResultPlaText(const TCarnoGrid& map) {
    // A result is there when it has terms or the tree shows one (a function of no ones has none).
    const bool analysed = map.ResultCount() > 0 || (map.TreeView && map.TreeView->NodeCount() > 0);
    if (map.GlueMethod != gmDNF || !analysed) return std::nullopt;
    const int n = map.VariableCount();
    const std::uint32_t all = (std::uint32_t{1} << n) - 1;
    std::vector<pla::Product> products;
    for (const TGroup& group : map.ResultList()) {
        if (group.Cells.empty()) continue;
        std::uint32_t same = all, first = map.MintermNumber(group.Cells[0].Col, group.Cells[0].Row);
        for (const TCellRef& cell : group.Cells)
            same &= ~(first ^ map.MintermNumber(cell.Col, cell.Row));
        products.push_back({{same, first & same}, {true}});
    }
    const std::vector<std::string> names = WritableNames(map);
    return pla::CoverText(
        n, 1, products, names,
        names.empty() ? std::vector<std::string>{} : std::vector<std::string>{"F"});
}

bool SaveToPlaFile(const TCarnoGrid& map, const std::string& fileName) {
    const auto text = MapPlaText(map);
    if (!text) return false;  // the cell check said why
    std::string error;
    if (platform::WriteFileAtomically(fileName, *text, &error)) return true;
    ShowError(platform::TranslateText("Cannot write the file.") + "\n" + fileName + ": " + error);
    return false;
}

bool SaveResultToPlaFile(const TCarnoGrid& map, const std::string& fileName) {
    const auto text = ResultPlaText(map);
    if (!text) {
        ShowError(platform::TranslateText(
            "Only a sum of products found by Analyze can be written as a PLA cover."));
        return false;
    }
    std::string error;
    if (platform::WriteFileAtomically(fileName, *text, &error)) return true;
    ShowError(platform::TranslateText("Cannot write the file.") + "\n" + fileName + ": " + error);
    return false;
}
