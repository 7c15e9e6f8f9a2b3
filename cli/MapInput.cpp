#include "cli/MapInput.h"

#include "engine/Analyze.h"
#include "engine/VariableName.h"
#include "files/MapFile.h"
#include "input/Formula.h"
#include "input/FormulaMessage.h"
#include "input/Sets.h"
#include "input/StringParcer.h"
#include "platform/Message.h"

namespace cli {

namespace {

void FillFromTable(TCarnoGrid& map, const std::string& table) {
    const int size = 1 << map.VariableCount();
    if (static_cast<int>(table.size()) != size)
        throw InputError("--table needs " + std::to_string(size) + " characters, got " +
                         std::to_string(table.size()));
    for (int m = 0; m < size; ++m) {
        const char ch = table[m];
        if (ch != '1' && ch != '0' && ch != '*' && ch != '-')
            throw InputError(std::string("--table: invalid character '") + ch + "' at minterm " +
                             std::to_string(m));
        const TCellPos p = map.PositionOfMinterm(m);
        map.SetCells(p.Col, p.Row, ch == '-' ? "" : std::string(1, ch));
    }
}

void SetNames(TCarnoGrid& map, const std::string& names) {
    TStringParcer parcer;
    parcer.Text = names;
    parcer.Split(',');
    if (parcer.Count() > 8) throw InputError("--names: at most 8 names");
    for (int i = 0; i < parcer.Count(); ++i) {
        if (parcer.Item(i).size() > 10)
            throw InputError("--names: a name has at most 10 characters");
        if (const std::string problem = varname::Problem(parcer.Item(i)); !problem.empty())
            throw InputError("--names: " + problem);
        map.SetVarName(i + 1, parcer.Item(i));
    }
}

// As the map file's Open command; a file that does not exist is an error here, not a no-op.
// Returns false when the map refused the file and said why.
bool LoadMap(TCarnoGrid& map, const std::string& path, const MessageCapture& messages) {
    if (LoadFromFile(map, path)) return true;
    if (messages.Count() == 0) throw InputError("--km: no such file " + path);
    return false;
}

// As the formula dialog's OK: validate, set the type, then fill. Returns false when the
// formula names an unknown variable (the dialog's message has been shown).
bool FillFromFormula(TCarnoGrid& map, const std::string& formula, const std::string& type) {
    if (type != "SOP" && type != "POS") throw UsageError("--formula-type must be SOP or POS");
    const int position = ValidateFormulaString(map, formula);
    if (position != 0) {
        if (position == TCarnoGrid::kTextTooLong)
            ReportTextTooLong();
        else
            ReportUnknownVariable(position);
        return false;
    }
    map.FormulaType = type == "POS" ? gmKNF : gmDNF;
    AnalyzeFormulaString(map, formula);
    return true;
}

}  // namespace

bool FillMap(TCarnoGrid& map, const Args& args, const MessageCapture& messages) {
    if (args.Has("formula-type") && !args.Has("formula"))
        throw UsageError("--formula-type needs --formula");
    if (const auto km = args.Value("km")) {
        if (!LoadMap(map, *km, messages)) return false;
    }
    if (const auto vars = args.Value("vars")) {
        const int n = ParseIntOption("vars", *vars, 0, 1000000);
        // The file decides the count; --vars may only confirm it.
        if (args.Has("km") && n != map.VariableCount())
            throw InputError("--vars " + *vars + " contradicts the map file's " +
                             std::to_string(map.VariableCount()) + " variables");
        if (!map.SetVariableCount(n)) {
            platform::Say("Invalid number of variables", platform::MsgIcon::Information,
                          platform::MsgButtons::Ok);
            return false;
        }
    }
    if (const auto names = args.Value("names")) SetNames(map, *names);
    if (const auto formula = args.Value("formula")) {
        if (!FillFromFormula(map, ValueOrFileContent(*formula),
                             args.Value("formula-type").value_or("SOP")))
            return false;
    }
    if (const auto table = args.Value("table")) FillFromTable(map, ValueOrFileContent(*table));
    // As the sets dialog: each list read whole or, for a bad character, not at all.
    const int before = messages.Count();
    const std::pair<const char*, const char*> lists[] = {
        {"ones", "1"}, {"zeros", "0"}, {"dc", "*"}};
    for (const auto& [option, value] : lists)
        if (const auto text = args.Value(option))
            AnalyzeWorkString(map, ValueOrFileContent(*text), value);
    return messages.Count() == before;
}

bool AnalyzeOrSay(TCarnoGrid& map, const Args& args) {
    if (AnalyzeMap(map, args.Has("pos") ? gmKNF : gmDNF)) return true;
    platform::Say("Invalid data in cell.");
    return false;
}

std::vector<OptionDef> MapOptions(std::vector<OptionDef> more) {
    std::vector<OptionDef> options{{"km", true},          {"vars", true},  {"pos", false},
                                   {"table", true},       {"ones", true},  {"zeros", true},
                                   {"dc", true},          {"names", true}, {"formula", true},
                                   {"formula-type", true}};
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

bool FillFunction(const Args& args, const MessageCapture& messages, explain::MapFunction& f) {
    TCarnoGrid map;
    if (!FillMap(map, args, messages)) return false;
    if (explain::ReadMap(map, args.Has("pos") ? gmKNF : gmDNF, f).ok) return true;
    platform::Say("Invalid data in cell.");
    return false;
}

}  // namespace cli
