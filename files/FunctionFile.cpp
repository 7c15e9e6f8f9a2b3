// The map's side of the exchange files: its visible cells as a table by minterm, a table
// taken into the map, and the CSV truth table read and written through them.

#include "files/FunctionFile.h"

#include <set>

#include "engine/CarnoGrid.h"
#include "files/Csv.h"
#include "platform/Message.h"
#include "platform/ReadFile.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"

using platform::MsgButtons;
using platform::MsgIcon;

namespace {

constexpr std::size_t kMaxNameLength = 10;

void ShowError(const std::string& text) {
    platform::ShowMessage(text, MsgIcon::Error, MsgButtons::Ok);
}

std::string WithSystemText(const char* message, const std::string& fileName,
                           const std::string& systemText) {
    return platform::TranslateText(message) + "\n" + fileName + ": " + systemText;
}

}  // namespace

std::string ProblemText(const FileProblem& problem) {
    std::string text = platform::TranslateText(problem.message);
    if (problem.line > 0) {
        std::string prefix = platform::TranslateText("Line %s:");
        const std::size_t at = prefix.find("%s");
        if (at != std::string::npos) prefix.replace(at, 2, std::to_string(problem.line));
        text = prefix + " " + text;
    }
    return text;
}

FunctionTable TableOfMap(const TCarnoGrid& map) {
    FunctionTable table;
    table.variableCount = map.VariableCount();
    for (int k = 1; k <= table.variableCount; ++k) table.names.push_back(map.VarName(k));
    table.outputName = map.FunctionName;
    table.values.resize(std::size_t{1} << table.variableCount);
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r)
            table.values[map.MintermNumber(c, r)] = map.Cells(c, r);
    return table;
}

std::optional<std::vector<std::string>> MapNamesFor(const std::vector<std::string>& names) {
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const std::string& name : names) {
        if (name.empty() || name.size() > kMaxNameLength) return std::nullopt;
        std::string upper;
        for (char c : name) {
            const unsigned char u = static_cast<unsigned char>(c);
            // Printable ASCII only, and nothing the formula language reads as an operator.
            if (u <= ' ' || u >= 127 || c == '+' || c == '*' || c == '|') return std::nullopt;
            upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        }
        if (!seen.insert(upper).second) return std::nullopt;
        out.push_back(upper);
    }
    return out;
}

bool TakeFunctionTable(TCarnoGrid& map, const FunctionTable& table, const ResultsQuestion& ask) {
    const int n = table.variableCount;
    if (n < 2 || n > 8 || table.values.size() != (std::size_t{1} << n)) {
        ShowError(platform::TranslateText("The map takes functions of 2 to 8 inputs."));
        return false;
    }
    if (!map.ConfirmResultsLoss(ask, MsgIcon::Information)) return false;
    map.CleareCard();
    map.SetVariableCount(n);
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r)
            map.SetCells(c, r, table.values[map.MintermNumber(c, r)]);
    if (table.names.size() == static_cast<std::size_t>(n))
        if (const auto names = MapNamesFor(table.names))
            for (int k = 1; k <= n; ++k) map.SetVarName(k, (*names)[k - 1]);
    map.FunctionName = table.outputName;
    map.LoadedMark = 2;
    return true;
}

bool LoadFromCsvFile(TCarnoGrid& map, const std::string& fileName, const ResultsQuestion& ask) {
    std::string bytes, error;
    switch (platform::ReadFileLimited(fileName, kMaxExchangeFileSize, &bytes, &error)) {
        case platform::ReadStatus::Ok:
            break;
        case platform::ReadStatus::Missing:
            return false;
        case platform::ReadStatus::TooLarge:
            ShowError(platform::TranslateText("The file is too large."));
            return false;
        case platform::ReadStatus::Failed:
            ShowError(WithSystemText("Cannot read the file.", fileName, error));
            return false;
    }
    FileProblem problem;
    const auto table = csv::ParseCsv(bytes, &problem);
    if (!table) {
        ShowError(ProblemText(problem));
        return false;
    }
    return TakeFunctionTable(map, *table, ask);
}

bool SaveToCsvFile(const TCarnoGrid& map, const std::string& fileName) {
    if (!map.CheckCells()) {
        platform::Say("Invalid data in cell.");
        return false;
    }
    std::string error;
    if (platform::WriteFileAtomically(fileName, csv::CsvText(TableOfMap(map)), &error)) return true;
    ShowError(WithSystemText("Cannot write the file.", fileName, error));
    return false;
}
