#include "fuzz/FuzzBodies.h"

#include <stdlib.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "advmin/FunctionLists.h"
#include "advmin/Outputs.h"
#include "advmin/ocxint.h"
#include "circuit/Scheme.h"
#include "engine/CarnoGrid.h"
#include "engine/ResultTree.h"
#include "files/Csv.h"
#include "files/FunctionFile.h"
#include "files/MapFile.h"
#include "files/Pla.h"
#include "files/TruthTableHtml.h"
#include "input/Formula.h"
#include "input/FormulaMessage.h"
#include "input/Sets.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "report/ReportBuilder.h"
#include "ui/LanguageFile.h"

namespace fuzz {
namespace {

std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Several texts in one input, cut at NUL bytes; missing ones read empty.
std::vector<std::string> Parts(const std::string& text, std::size_t count) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (parts.size() + 1 < count) {
        const std::size_t at = text.find('\0', start);
        if (at == std::string::npos) break;
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(start <= text.size() ? text.substr(start) : std::string());
    parts.resize(count);
    return parts;
}

// A first byte chooses settings; the rest is the text.
struct Split {
    std::uint8_t choice = 0;
    std::string text;
};
Split Choose(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {};
    return {data[0], Text(data + 1, size - 1)};
}

// One private folder for the file readers, removed at exit.
class Scratch {
  public:
    Scratch() {
        const char* tmp = getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/mwfuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        folder_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::string File(const std::string& name, const std::string& bytes) const {
        const std::string path = (folder_ / name).string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        return path;
    }

  private:
    std::filesystem::path folder_;
};
const Scratch& Folder() {
    static Scratch scratch;
    return scratch;
}

// The result tree as lines, children indented.
std::vector<std::string> Lines(const MemoryResultTree& tree) {
    std::vector<std::string> lines;
    for (const auto& root : tree.roots) {
        lines.push_back(root.text);
        for (const std::string& child : root.children) lines.push_back("  " + child);
    }
    return lines;
}

// Everything of a map the user could see or lose.
struct MapState {
    int variableCount = 0;
    std::vector<std::string> cells;
    std::vector<std::string> tree;
    bool operator==(const MapState&) const = default;
};
MapState StateOf(const TCarnoGrid& map, const MemoryResultTree& tree) {
    MapState s{map.VariableCount(), {}, Lines(tree)};
    for (int c = 1; c <= TCarnoGrid::kStoreSize; ++c)
        for (int r = 1; r <= TCarnoGrid::kStoreSize; ++r) s.cells.push_back(map.Cells(c, r));
    return s;
}

// A map the user has worked on: a few cells and a result.
void Prepare(TCarnoGrid& map, MemoryResultTree& tree, int variables) {
    map.SetVariableCount(variables);
    map.SetCells(1, 1, "1");
    map.SetCells(2, 1, "*");
    map.SetCells(TCarnoGrid::kStoreSize, TCarnoGrid::kStoreSize, "hidden");
    tree.AddChild(tree.AddRoot("A*B"), "A*B");
    map.TreeView = &tree;
}

bool IsCellValue(const std::string& s) {
    return s == "0" || s == "1" || s == "*";
}

Outcome MapFile(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const std::string bytes = Text(data, size);
    std::string error;
    const auto content = mapfile::ParseMapFile(bytes, &error);
    if (content) {
        if (content->variableCount < 2 || content->variableCount > 8 ||
            content->cells.size() != (std::size_t{1} << content->variableCount))
            o.faults.push_back("the parsed map has an impossible shape");
        for (const std::string& cell : content->cells)
            if (!IsCellValue(cell)) o.faults.push_back("a parsed cell is not 0, 1 or *");
    } else if (error.empty()) {
        o.faults.push_back("a refused map file gives no reason");
    }

    TCarnoGrid map;
    MemoryResultTree tree;
    Prepare(map, tree, 3);
    const MapState before = StateOf(map, tree);
    platform::RecordingMessageSink sink;
    bool loaded;
    {
        platform::ScopedMessageSink scope(&sink);
        loaded = LoadFromFile(map, Folder().File("map.km", bytes));
    }
    o.messages = sink.Texts();
    o.refused = !loaded;
    if (!loaded) o.stateUnchanged = StateOf(map, tree) == before;
    if (loaded != content.has_value())
        o.faults.push_back("loading and parsing disagree on the same bytes");
    if (loaded) {
        // What was loaded is what is saved again.
        const auto again = mapfile::ParseMapFile(mapfile::MapFileBytes(map), &error);
        if (!again || again->cells != content->cells)
            o.faults.push_back("a loaded map does not save back to the same cells");
    }
    return o;
}

// A CSV truth table: parsed, written and parsed again to the same table; loaded into a map
// that is either replaced whole or left alone with a reason.
Outcome CsvFile(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const std::string text = Text(data, size);
    FileProblem problem;
    const auto table = csv::ParseCsv(text, &problem);
    if (table) {
        const int n = table->variableCount;
        if (n < csv::kMinInputs || n > csv::kMaxInputs ||
            table->values.size() != (std::size_t{1} << n) ||
            table->names.size() != static_cast<std::size_t>(n))
            o.faults.push_back("the parsed table has an impossible shape");
        for (const std::string& v : table->values)
            if (!v.empty() && !IsCellValue(v))
                o.faults.push_back("a parsed value is not 0, 1, * or empty");
        const auto again = csv::ParseCsv(csv::CsvText(*table), &problem);
        if (!again || again->values != table->values)
            o.faults.push_back("a written table does not read back to the same values");
        for (int k = 0; again && k < n; ++k)
            if (!table->names[k].empty() && again->names[k] != table->names[k])
                o.faults.push_back("a written name does not read back");
    } else if (problem.message.empty()) {
        o.faults.push_back("a refused table gives no reason");
    }

    TCarnoGrid map;
    MemoryResultTree tree;
    Prepare(map, tree, 3);
    const MapState before = StateOf(map, tree);
    platform::RecordingMessageSink sink;
    bool loaded;
    {
        platform::ScopedMessageSink scope(&sink);
        loaded = LoadFromCsvFile(map, Folder().File("table.csv", text));
    }
    o.messages = sink.Texts();
    o.refused = !loaded;
    if (!loaded) o.stateUnchanged = StateOf(map, tree) == before;
    const bool fits = table && table->variableCount >= 2 && table->variableCount <= 8;
    if (loaded != fits) o.faults.push_back("loading and parsing disagree on the same text");
    return o;
}

Outcome IniFileBody(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const std::string path = Folder().File("settings.ini", Text(data, size));
    platform::IniFile file(path);
    const auto options = file.ReadSection("Options");
    const auto function = file.ReadSection("Boolean Function");
    file.ReadString("Options", "Language", "");
    // A write of one key keeps every other section and gives back what was written.
    if (!file.WriteString("Fuzz", "Key", "value=1")) {
        o.refused = true;
        o.messages.push_back(file.LastError());
        return o;
    }
    if (file.ReadString("fuzz", "KEY", "") != "value=1")
        o.faults.push_back("a written key does not read back");
    if (file.ReadSection("Options") != options || file.ReadSection("Boolean Function") != function)
        o.faults.push_back("writing one section changed another");
    return o;
}

Outcome BooleanFunctionFile(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const std::string file = Folder().File("function.bf", Text(data, size));
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    const auto read = ReadListsFile(file);
    if (!read) {
        o.refused = true;
        o.messages = sink.Texts();
        return o;
    }
    const ::BooleanFunctionFile& content = *read;
    if (!content.VarCount) return o;
    const auto& l = content.Sets;
    const auto function = FunctionFromLists(*content.VarCount, l[0].value_or(""), l[1].value_or(""),
                                            l[2].value_or(""));
    o.messages = sink.Texts();
    o.refused = !function;
    if (function && function->size() != (std::size_t{1} << *content.VarCount))
        o.faults.push_back("the function string has the wrong length");
    // Further outputs: as many as the file counts, each read as the first.
    const std::vector<OutputFunction> outputs = OutputsOfFile(content, {});
    if (outputs.size() != content.More.size() + 1) o.faults.push_back("an output was lost");
    if (content.More.size() + 1 > static_cast<std::size_t>(::BooleanFunctionFile::kMaxFunctions))
        o.faults.push_back("more outputs than a file may hold");
    for (std::size_t j = 1; function && j < outputs.size(); ++j) {
        const auto more = FunctionFromLists(*content.VarCount, outputs[j].lists[0],
                                            outputs[j].lists[1], outputs[j].lists[2]);
        if (more && more->size() != function->size())
            o.faults.push_back("an output has the wrong length");
    }
    return o;
}

Outcome ReportTemplate(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const auto parts = Parts(Text(data, size), 3);
    report::Content content;
    content.names = {"A", "B", "C"};
    content.formula = parts[1];
    content.sets = std::array<std::string, 3>{parts[1], parts[2], ""};
    content.truthTableHtml = parts[2];
    content.mapHtml = "<table></table>";
    content.eachTerm = !parts[2].empty();
    content.terms = {{parts[1], "<table></table>"}, {parts[2], ""}};
    std::string missing;
    const auto page = report::Build(html::TemplateText(parts[0]), content, missing);
    if (!page) {
        o.refused = true;
        o.messages.push_back(missing);
    }
    const auto cell = html::FormatCell(parts[0], parts[1]);
    if (cell && cell->size() > parts[0].size() + 8 * parts[1].size() + 8)
        o.faults.push_back("a formatted cell grew beyond its template and escaped text");
    return o;
}

Outcome Formula(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const Split in = Choose(data, size);
    const auto parts = Parts(in.text, 3);
    TCarnoGrid map;
    MemoryResultTree tree;
    Prepare(map, tree, 2 + in.choice % 7);
    map.FormulaType = ((in.choice >> 7) & 1) ? gmKNF : gmDNF;
    // Names a user gave the variables take part too.
    if (!parts[1].empty()) map.SetVarName(1, parts[1]);
    if (!parts[2].empty()) map.SetVarName(2, parts[2]);
    const MapState before = StateOf(map, tree);
    const int position = ValidateFormulaString(map, parts[0]);
    if (position != 0) {
        o.refused = true;
        platform::RecordingMessageSink sink;
        platform::ScopedMessageSink scope(&sink);
        ReportUnknownVariable(position);
        o.messages = sink.Texts();
        o.stateUnchanged = StateOf(map, tree) == before;
        if (position < 1 || static_cast<std::size_t>(position) > parts[0].size() + 1)
            o.faults.push_back("the position of an unknown variable lies outside the text");
        return o;
    }
    AnalyzeFormulaString(map, parts[0]);
    const char* value = map.FormulaType == gmKNF ? "0" : "1";
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r)
            if (map.Cells(c, r) != before.cells[(c - 1) * TCarnoGrid::kStoreSize + r - 1] &&
                map.Cells(c, r) != value)
                o.faults.push_back("a formula wrote something other than its value");
    return o;
}

Outcome SchemeFormula(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const Split in = Choose(data, size);
    const TFormulaType type = (in.choice & 1) ? ftCNF : ftDNF;
    if (const auto error = CheckSchemeFormula(in.text, type)) {
        o.refused = true;
        o.messages.push_back(error->message);
        if (error->position < 0 || static_cast<std::size_t>(error->position) > in.text.size() + 1)
            o.faults.push_back("the position of a formula error lies outside the text");
        return o;
    }
    TScheme scheme;
    scheme.FormulaType = type;
    scheme.GateSystem = (in.choice & 2) ? gsUS : gsEU;
    scheme.SchemeType = static_cast<TSchemeType>((in.choice >> 2) % 3);
    scheme.Formula = in.text;
    scheme.BuildScheme();
    if (scheme.Width() < 0 || scheme.Height() < 0)
        o.faults.push_back("a circuit has a negative size");
    return o;
}

Outcome Sets(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const Split in = Choose(data, size);
    static const char* const values[] = {"1", "0", "*"};
    TCarnoGrid map;
    MemoryResultTree tree;
    Prepare(map, tree, 2 + in.choice % 7);
    const MapState before = StateOf(map, tree);
    platform::RecordingMessageSink sink;
    {
        platform::ScopedMessageSink scope(&sink);
        o.refused = !AnalyzeWorkString(map, in.text, values[(in.choice >> 3) % 3]);
    }
    o.messages = sink.Texts();
    if (o.refused) o.stateUnchanged = StateOf(map, tree) == before;
    // Hidden cells are beyond any sets text.
    if (map.Cells(TCarnoGrid::kStoreSize, TCarnoGrid::kStoreSize) != "hidden")
        o.faults.push_back("a sets text wrote past the map");
    return o;
}

Outcome Cells(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const Split in = Choose(data, size);
    TCarnoGrid map;
    MemoryResultTree tree;
    map.SetVariableCount(2 + in.choice % 7);
    map.GlueMethod = (in.choice & 0x80) ? gmKNF : gmDNF;
    map.TreeView = &tree;
    const auto texts = Parts(in.text, 256);
    std::size_t i = 0;
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, texts[i++ % texts.size()]);
    platform::RecordingMessageSink sink;
    {
        platform::ScopedMessageSink scope(&sink);
        o.refused = !map.Test();
        // The map answers; what the window and the command line then say.
        if (o.refused) platform::Say("Invalid data in cell.");
    }
    o.messages = sink.Texts();
    if (o.refused && tree.NodeCount() != 0) o.faults.push_back("refused cells were minimized");
    if (!o.refused && tree.roots.size() != 1)
        o.faults.push_back("a minimization gave no single result");
    return o;
}

Outcome MintermLists(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const Split in = Choose(data, size);
    // Large counts cost megabytes a run: one input in eight asks for them.
    const int span = (in.choice & 7) == 0 ? kMaxListVariables - kMinListVariables + 1 : 9;
    const int n = kMinListVariables + (in.choice >> 3) % span;
    const auto l = Parts(in.text, 3);
    platform::RecordingMessageSink sink;
    std::optional<std::string> function;
    {
        platform::ScopedMessageSink scope(&sink);
        function = FunctionFromLists(n, l[0], l[1], l[2]);
    }
    o.messages = sink.Texts();
    o.refused = !function;
    if (function && (function->size() != (std::size_t{1} << n) ||
                     function->find_first_not_of("012") != std::string::npos))
        o.faults.push_back("the function string is not 2^n of 0, 1 and 2");
    return o;
}

Outcome CoreResults(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const Split in = Choose(data, size);
    const int n = 1 + in.choice % static_cast<int>(VarNames.size());
    for (std::size_t k = 0; k < VarNames.size(); ++k) VarNames[k] = "v" + std::to_string(k + 1);
    MemoryResultTree tree;
    tree.AddChild(tree.AddRoot("kept"), "kept");
    const auto before = Lines(tree);
    try {
        WriteExchangeFile(in.text);
        std::vector<bool> minimum;
        if (ReadCoreResults(tree, n, &minimum) && minimum.size() != tree.roots.size())
            o.faults.push_back("the minimum flags do not match the results");
    } catch (const CoreAnswerError& e) {
        o.refused = true;
        o.messages.push_back(e.what());
        o.stateUnchanged = Lines(tree) == before;
    } catch (const std::exception& e) {
        o.faults.push_back(std::string("unexpected exception: ") + e.what());
    }
    return o;
}

Outcome LanguageFile(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const std::string file = Folder().File("language.lng", Text(data, size));
    for (const auto& [key, value] : language::ReadTranslations(file)) {
        language::SplitKey(key);
        for (const char* separator : {",", "|", " "})
            for (const std::string& item : language::SplitList(value, separator))
                if (!item.empty() && (item.front() == ' ' || item.back() == ' '))
                    o.faults.push_back("a list item keeps its blanks");
        if (const auto n = language::ParseInteger(value);
            n && language::ParseInteger(std::to_string(*n)) != n)
            o.faults.push_back("an integer does not read back");
    }
    // Every message the file translates is still a message.
    std::vector<std::string> texts = {"Invalid symbol in string.", "Invalid data in cell."};
    for (const auto& entry : platform::IniFile(file).ReadSection("Messages"))
        texts.push_back(entry.first);
    for (const std::string& text : texts)
        if (text.find_first_not_of(" \t") != std::string::npos)
            o.messages.push_back(language::TranslateMessage(file, text));
    if (const auto n = language::TipsCount(file); n && *n > 0) {
        language::DrawTip(file, [](int count) { return count - 1; });
        language::DrawTip(file, [](int) { return 0; });
    }
    return o;
}

Outcome PlaFile(const std::uint8_t* data, std::size_t size) {
    Outcome o;
    const std::string text = Text(data, size);
    pla::Error error;
    const auto read = pla::ReadText(text, &error);
    if (!read) {
        o.refused = true;
        o.messages.push_back(error.message);
        const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
        if (error.line < 0 || error.line > lines)
            o.faults.push_back("an error names a line past the text");
        return o;
    }
    const pla::Pla& p = *read;
    pla::Bits all;
    for (int b = 0; b < p.inputs; ++b) all.Set(b);
    if (p.inputs < 1 || p.inputs > pla::Limits{}.maxInputs || p.outputs < 1 || p.outputs > 128 ||
        static_cast<int>(p.functions.size()) != p.outputs)
        o.faults.push_back("the PLA has an impossible shape");
    for (const auto& f : p.functions)
        for (const auto* set : {&f.on, &f.off, &f.dc})
            for (const pla::Cube& c : *set)
                if (c.value.Without(c.care).Any() || c.care.Without(all).Any())
                    o.faults.push_back("a cube has bits outside its inputs");
    if (!o.faults.empty()) return o;
    // Each output's on cubes written as a cover read back as the same cubes.
    std::vector<pla::Product> products;
    for (int k = 0; k < p.outputs; ++k)
        for (const pla::Cube& c : p.functions[k].on) {
            products.push_back({c, std::vector<bool>(p.outputs)});
            products.back().outputs[k] = true;
        }
    const auto again = pla::ReadText(
        pla::CoverText(p.inputs, p.outputs, products, p.inputNames, p.outputNames), &error);
    if (!again) {
        o.faults.push_back("a written cover does not read: " + error.message);
        return o;
    }
    for (int k = 0; k < p.outputs; ++k)
        if (again->functions[k].on != p.functions[k].on)
            o.faults.push_back("a written cover reads back different");
    // The point-wise value and the whole string agree, where the string is small.
    if (p.inputs <= 10)
        for (int k = 0; k < p.outputs && k < 4; ++k) {
            const std::string f = p.FunctionString(k);
            for (std::uint32_t m = 0; m < f.size(); ++m)
                if (p.ValueAt(k, m) != f[m]) {
                    o.faults.push_back("a point's value differs from the function string");
                    return o;
                }
        }
    return o;
}

}  // namespace

const std::vector<Target>& Targets() {
    static const std::vector<Target> targets = {
        {"map_file", MapFile},
        {"ini_file", IniFileBody},
        {"bf_file", BooleanFunctionFile},
        {"report_template", ReportTemplate},
        {"formula", Formula},
        {"scheme_formula", SchemeFormula},
        {"sets", Sets},
        {"cells", Cells},
        {"minterm_lists", MintermLists},
        {"core_results", CoreResults},
        {"language_file", LanguageFile},
        {"csv_file", CsvFile},
        {"pla_file", PlaFile},
    };
    return targets;
}

std::string Problem(const Outcome& outcome) {
    std::string problem;
    for (const std::string& f : outcome.faults) problem += f + "\n";
    if (outcome.refused && !outcome.stateUnchanged)
        problem += "a refusal changed the user's state\n";
    if (outcome.refused && outcome.messages.empty()) problem += "a refusal says nothing\n";
    for (const std::string& m : outcome.messages)
        if (m.find_first_not_of(" \t\r\n\v\f") == std::string::npos)
            problem += "a message is blank\n";
    return problem;
}

}  // namespace fuzz
