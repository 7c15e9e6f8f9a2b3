// The page's one entry into the logic: mw_call takes a command and its fields, parted by
// '\x1f', and answers JSON. It runs in the page's worker, one call at a time; every message the
// logic shows is collected and handed back (questions get the affirmative answer, as in the
// command line), so the page decides how to show it.

#include <emscripten/emscripten.h>
#include <sys/stat.h>

#include <algorithm>

#include "engine/Analyze.h"
#include "engine/JsonText.h"
#include "engine/Notation.h"
#include "engine/VariableName.h"
#include "explain/Explain.h"
#include "explain/Loops.h"
#include "explain/Sentences.h"
#include "explain/UseResult.h"
#include "files/FunctionFile.h"
#include "files/MapFile.h"
#include "files/PlaFile.h"
#include "input/Formula.h"
#include "input/FormulaMessage.h"
#include "input/Sets.h"
#include "platform/Message.h"
#include "platform/Translate.h"
#include "ui/LanguageFile.h"
#include "web/JsonOut.h"
#include "web/MapState.h"

namespace web {
namespace {

std::string languageFile;  // empty: the English texts as they are

std::vector<std::string> Split(const std::string& request) {
    std::vector<std::string> fields(1);
    for (const char c : request) {
        if (c == '\x1f')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

const std::string& Field(const std::vector<std::string>& f, std::size_t i) {
    static const std::string none;
    return i < f.size() ? f[i] : none;
}

// One call's frame: the messages it showed and the answer it builds.
struct Reply {
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope{&messages};
    JsonOut json;
    Reply() { json.Open('{'); }
    std::string Finish(bool ok) {
        json.Key("ok").Bool(ok).Key("messages").Texts(messages.Texts());
        return json.Close().Str();
    }
};

void WriteLoops(JsonOut& json, const TCarnoGrid& grid, const std::vector<int>& minterms) {
    json.Key("minterms").Numbers(minterms).Key("loops").Open('[');
    for (const explain::LoopBlock& b : explain::LoopBlocks(grid, minterms)) {
        json.Open('[').Number(b.col0).Number(b.col1).Number(b.row0).Number(b.row1);
        json.Number(b.openLeft).Number(b.openRight).Number(b.openTop).Number(b.openBottom);
        json.Close();
    }
    json.Close();
}

std::vector<int> MintermsOf(const TCarnoGrid& grid, const TGroup& g) {
    std::vector<int> m;
    for (const auto& p : g.Cells) m.push_back(grid.MintermNumber(p.Col, p.Row));
    std::sort(m.begin(), m.end());
    m.erase(std::unique(m.begin(), m.end()), m.end());
    return m;
}

void WriteResult(JsonOut& json, const TCarnoGrid& grid, const MemoryResultTree& tree) {
    const TGlueMethod shape = grid.GlueMethod;
    const std::string formula = tree.roots.empty() ? std::string() : tree.roots.front().text;
    json.Key("formula").Text(formula).Key("textbook").Text(TextbookFormula(formula, shape));
    json.Key("terms").Open('[');
    for (int i = 0; i < grid.ResultCount(); ++i) {
        const std::string text = tree.roots.front().children.at(i);
        json.Open('{').Key("text").Text(text);
        json.Key("textbook").Text(TextbookFormula(text, shape));
        WriteLoops(json, grid, MintermsOf(grid, grid.ResultList()[i]));
        json.Close();
    }
    json.Close();
}

// state fields 1..3, form 4 ("pos" or not), method 5 ("exact" or the designed gluing)
std::string Analyze(const std::vector<std::string>& f) {
    Reply reply;
    MapState state;
    if (!ParseState(Field(f, 1), Field(f, 2), Field(f, 3), state)) return reply.Finish(false);
    TCarnoGrid grid;
    MemoryResultTree tree;
    grid.TreeView = &tree;
    ToGrid(state, grid);
    const TGlueMethod form = Field(f, 4) == "pos" ? gmKNF : gmDNF;
    const bool ok =
        Field(f, 5) == "exact" ? explain::AnalyzeMapExactly(grid, form) : AnalyzeMap(grid, form);
    WriteState(reply.json, FromGrid(grid));
    if (ok) WriteResult(reply.json, grid, tree);
    return reply.Finish(ok);
}

void WriteExplanation(JsonOut& json, const TCarnoGrid& grid, const explain::Explanation& e) {
    json.Key("comparison").Text(explain::ComparisonLine(e));
    json.Key("gluing").Text(e.gluing.formula).Key("count").Text(explain::CountText(e));
    json.Key("targets").Numbers(e.targets).Key("primes").Open('[');
    for (std::size_t i = 0; i < e.primes.size(); ++i) {
        const explain::Prime& p = e.primes[i];
        json.Open('{').Key("label").Text(explain::PrimeLabel(static_cast<int>(i)));
        json.Key("text").Text(p.text).Key("literals").Number(p.literals);
        json.Key("essential")
            .Text(p.essential ? explain::Fill(platform::TranslateText("yes, by cell %1"),
                                              {std::to_string(p.essentialCell)})
                              : std::string());
        WriteLoops(json, grid, p.minterms);
        json.Close();
    }
    json.Close().Key("steps").Open('[');
    for (const explain::ChartStep& step : e.steps) json.Text(explain::StepSentence(step, e));
    json.Close().Key("coreCells").Numbers(e.coreCells).Key("corePrimes").Numbers(e.corePrimes);
    json.Key("solutions").Open('[');
    for (const explain::Solution& s : e.solutions) {
        json.Open('{').Key("formula").Text(s.formula).Key("primes").Numbers(s.primes);
        json.Key("terms").Number(s.terms).Key("literals").Number(s.literals).Close();
    }
    json.Close();
}

// state fields 1..3, form 4, the most solutions to list 5
std::string Explain(const std::vector<std::string>& f) {
    Reply reply;
    MapState state;
    if (!ParseState(Field(f, 1), Field(f, 2), Field(f, 3), state)) return reply.Finish(false);
    TCarnoGrid grid;
    ToGrid(state, grid);
    const TGlueMethod form = Field(f, 4) == "pos" ? gmKNF : gmDNF;
    explain::MapFunction function;
    const explain::ReadResult read = explain::ReadMap(grid, form, function);
    if (!read.ok) {
        reply.json.Key("refused").Text(platform::TranslateText("Invalid data in cell.") + " (" +
                                       std::to_string(read.col) + ", " + std::to_string(read.row) +
                                       ")");
        return reply.Finish(false);
    }
    explain::Limits limits;
    limits.maxSolutions = std::clamp(std::atoi(Field(f, 5).c_str()), 1, 1000);
    const explain::Explanation e = explain::Explain(function, limits);
    if (e.timedOut) {
        platform::Say("The minimum could not be found in time.");
        return reply.Finish(false);
    }
    WriteExplanation(reply.json, grid, e);
    return reply.Finish(true);
}

// Fills from a formula (field 4, type "SOP"/"POS" in 5) or from sets (ones 4, zeros 5,
// don't cares 6) as the dialogs do: refused input leaves the map as it was.
std::string Fill(const std::vector<std::string>& f, bool formula) {
    Reply reply;
    MapState state;
    if (!ParseState(Field(f, 1), Field(f, 2), Field(f, 3), state)) return reply.Finish(false);
    TCarnoGrid grid;
    ToGrid(state, grid);
    bool ok = true;
    if (formula) {
        const int position = ValidateFormulaString(grid, Field(f, 4));
        if (position == TCarnoGrid::kTextTooLong)
            ReportTextTooLong();
        else if (position != 0)
            ReportUnknownVariable(position);
        ok = position == 0;
        if (ok) {
            grid.FormulaType = Field(f, 5) == "POS" ? gmKNF : gmDNF;
            AnalyzeFormulaString(grid, Field(f, 4));
        }
    } else {
        const char* values[] = {"1", "0", "*"};
        for (int i = 0; i < 3 && ok; ++i)
            if (!Field(f, 4 + i).empty()) ok = AnalyzeWorkString(grid, Field(f, 4 + i), values[i]);
    }
    if (!ok) return reply.Finish(false);  // the page keeps its map
    WriteState(reply.json, FromGrid(grid));
    return reply.Finish(true);
}

// The sets texts of the map: field 1..3 the state.
std::string Sets(const std::vector<std::string>& f) {
    Reply reply;
    MapState state;
    if (!ParseState(Field(f, 1), Field(f, 2), Field(f, 3), state)) return reply.Finish(false);
    TCarnoGrid grid;
    ToGrid(state, grid);
    std::string ones, zeros, dc;
    MapToSets(grid, ones, zeros, dc);
    reply.json.Key("ones").Text(ones).Key("zeros").Text(zeros).Key("dc").Text(dc);
    return reply.Finish(true);
}

// Field 1 the kind (km, csv, pla), 2 the file's path in the worker's memory, 3 the output of a
// PLA of several (empty: ask by answering with the outputs' names).
std::string Open(const std::vector<std::string>& f) {
    Reply reply;
    TCarnoGrid grid;
    const std::string& kind = Field(f, 1);
    const std::string& path = Field(f, 2);
    bool ok = false;
    if (kind == "km") {
        ok = LoadFromFile(grid, path);
    } else if (kind == "csv") {
        ok = LoadFromCsvFile(grid, path);
    } else if (kind == "pla") {
        const auto file = ReadPlaForMap(path);
        if (file && file->outputs > 1 && Field(f, 3).empty()) {
            std::vector<std::string> names;
            for (int o = 0; o < file->outputs; ++o) names.push_back(file->OutputName(o));
            reply.json.Key("outputs").Texts(names);
            return reply.Finish(false);
        }
        if (file) ok = TakeFunctionTable(grid, TableOfPla(*file, std::atoi(Field(f, 3).c_str())));
    }
    if (ok) WriteState(reply.json, FromGrid(grid));
    return reply.Finish(ok);
}

// Field 1 the kind, 2 the path to write in the worker's memory, 3..5 the state.
std::string Save(const std::vector<std::string>& f) {
    Reply reply;
    MapState state;
    if (!ParseState(Field(f, 3), Field(f, 4), Field(f, 5), state)) return reply.Finish(false);
    TCarnoGrid grid;
    ToGrid(state, grid);
    const std::string& kind = Field(f, 1);
    const std::string& path = Field(f, 2);
    const bool ok = kind == "km"    ? SaveToFile(grid, path)
                    : kind == "csv" ? SaveToCsvFile(grid, path)
                    : kind == "pla" ? SaveToPlaFile(grid, path)
                                    : false;
    // The browser's umask stub gives new files no permissions; the page must read it back.
    if (ok) ::chmod(path.c_str(), 0644);
    return reply.Finish(ok);
}

// Field 1 the language's file name ("german"); answers the captions of its "Translations".
std::string Language(const std::vector<std::string>& f) {
    Reply reply;
    languageFile = language::LanguageFilePath("/", Field(f, 1));
    const std::string file = languageFile;
    platform::SetTranslator(
        [file](const std::string& english) { return language::TranslateMessage(file, english); });
    reply.json.Key("captions").Open('{');
    for (const auto& [key, value] : language::ReadTranslations(file))
        reply.json.Key(key).Text(value);
    reply.json.Close();
    return reply.Finish(true);
}

// State fields 1..3, then the names of variables 1..n, already upper-cased and cut to 10
// characters as the options dialog does: checked as that dialog checks them, every problem
// said, and taken only when all are sound.
std::string Names(const std::vector<std::string>& f) {
    Reply reply;
    MapState state;
    if (!ParseState(Field(f, 1), Field(f, 2), Field(f, 3), state)) return reply.Finish(false);
    std::vector<std::string> names;
    for (int i = 0; i < state.vars; ++i) names.push_back(Field(f, 4 + i));
    bool ok = true;
    for (const std::string& name : names) {
        const std::string problem = name.empty()
                                        ? platform::TranslateText("Variable can not bee NULL")
                                        : varname::Problem(name);
        if (problem.empty()) continue;
        platform::ShowMessage(problem, platform::MsgIcon::Error, platform::MsgButtons::Ok);
        ok = false;
    }
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = i + 1; j < names.size(); ++j)
            if (names[i] == names[j]) {
                platform::ShowMessage(platform::TranslateText("Variable: \"") + names[j] +
                                          "\"\r\n" + platform::TranslateText("is redeclarated."),
                                      platform::MsgIcon::Error, platform::MsgButtons::Ok);
                ok = false;
            }
    if (!ok) return reply.Finish(false);
    state.names = names;
    WriteState(reply.json, state);
    return reply.Finish(true);
}

// Fields 1..n: English texts of the program; answers their translations in order.
std::string Translate(const std::vector<std::string>& f) {
    Reply reply;
    std::vector<std::string> texts;
    for (std::size_t i = 1; i < f.size(); ++i) texts.push_back(platform::TranslateText(f[i]));
    reply.json.Key("texts").Texts(texts);
    return reply.Finish(true);
}

}  // namespace
}  // namespace web

extern "C" EMSCRIPTEN_KEEPALIVE const char* mw_call(const char* request) {
    static std::string answer;
    const std::vector<std::string> f = web::Split(request);
    const std::string& command = f.front();
    try {
        if (command == "layouts")
            answer = web::Layouts();
        else if (command == "analyze")
            answer = web::Analyze(f);
        else if (command == "explain")
            answer = web::Explain(f);
        else if (command == "formula")
            answer = web::Fill(f, true);
        else if (command == "sets")
            answer = web::Fill(f, false);
        else if (command == "tosets")
            answer = web::Sets(f);
        else if (command == "open")
            answer = web::Open(f);
        else if (command == "save")
            answer = web::Save(f);
        else if (command == "language")
            answer = web::Language(f);
        else if (command == "names")
            answer = web::Names(f);
        else if (command == "translate")
            answer = web::Translate(f);
        else
            answer = "{\"ok\":false,\"messages\":[\"unknown command\"]}";
    } catch (const std::exception& e) {
        answer = "{\"ok\":false,\"messages\":[" + JsonString(e.what()) + "]}";
    }
    return answer.c_str();
}
