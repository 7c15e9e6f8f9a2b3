// The Boolean function file: the function as its three minterm sets in an initialization file,
// the form the advanced minimizer reads too. Other sections of an existing file stay. Read
// back into the map as the three lists in this order, the last naming a minterm winning.

#include "engine/CarnoGrid.h"
#include "files/FunctionFile.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/Translate.h"

bool TCarnoGrid::SaveToBooleanFunctionFile(const std::string& fileName) const {
    std::string ones, zeros, dontCares;
    MapToSets(ones, zeros, dontCares);
    platform::IniFile file(fileName);
    if (file.WriteStrings("Boolean Function",
                          {{"VarCount", std::to_string(VariableCount())}, {"1", ones}, {"0", zeros}, {"*", dontCares}}))
        return true;
    platform::ShowMessage(platform::TranslateText(file.LastError()), platform::MsgIcon::Error,
                          platform::MsgButtons::Ok);
    return false;
}

bool TCarnoGrid::LoadFromBooleanFunctionFile(const std::string& fileName) {
    const platform::IniFile file(fileName);
    if (!file.Exists()) return false;
    const auto section = file.ReadSection("Boolean Function");
    const auto fail = [](const std::string& text) {
        platform::ShowMessage(text, platform::MsgIcon::Error, platform::MsgButtons::Ok);
        return false;
    };
    if (!file.LastError().empty()) return fail(platform::TranslateText(file.LastError()));
    if (section.empty()) return fail(platform::TranslateText("The file holds no Boolean function."));
    const std::string count = file.ReadString("Boolean Function", "VarCount", "");
    if (count.empty() || count.size() > 2 || count.find_first_not_of("0123456789") != std::string::npos)
        return fail(platform::TranslateText("The map takes functions of 2 to 8 inputs."));
    const int n = std::stoi(count);
    if (n < 2 || n > 8) return fail(platform::TranslateText("The map takes functions of 2 to 8 inputs."));

    // Read into a map of its own first, so that a refused list leaves this one as it was.
    TCarnoGrid staging;
    staging.SetVariableCount(n);
    for (const char* value : {"1", "0", "*"})
        if (!staging.AnalyzeWorkString(file.ReadString("Boolean Function", value, ""), value)) return false;
    FunctionTable table = TableOfMap(staging);
    table.names.clear();  // the file names no variables: the map keeps its own
    return TakeFunctionTable(table);
}
