// mapwright-cli convert: a map read from one file kind and written as another, both chosen by
// the files' extensions.

#include <algorithm>
#include <filesystem>
#include <set>

#include "advmin/FunctionLists.h"
#include "advmin/Outputs.h"
#include "cli/Commands.h"
#include "cli/GuiApplication.h"
#include "cli/MapInput.h"
#include "cli/MessageCapture.h"
#include "cli/PlaProblem.h"
#include "engine/CarnoGrid.h"
#include "files/BooleanFunctionFile.h"
#include "files/FunctionFile.h"
#include "files/HtmlExport.h"
#include "files/MapFile.h"
#include "files/MapPicture.h"
#include "files/PlaFile.h"
#include "input/StringParcer.h"
#include "platform/Message.h"
#include "platform/Translate.h"

namespace cli {

namespace {
const char* kConvertUsage =
    "usage: mapwright-cli convert IN.km|.bf|.csv|.pla OUT.km|.htm|.html|.bf|.pla|.csv|.svg|.png|.tex\n"
    "       [--output K|NAME] [--packed] [--names A,B,...] [--scale S] [--analyze [--pos]]";

std::string Extension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// One output of a PLA: the one --output names, or the only one there is.
bool LoadPla(TCarnoGrid& map, const std::string& path, const std::optional<std::string>& output) {
    bool missing = false;
    const auto file = ReadPlaForMap(path, &missing);
    if (!file) {
        if (missing) throw InputError("cannot read " + path);
        return false;
    }
    int k = 0;
    if (output) {
        k = PlaOutputOf(*file, *output);
        if (k < 0) throw InputError("--output: the file has no output " + *output);
    } else if (file->outputs > 1) {
        throw InputError("the file has " + std::to_string(file->outputs) +
                         " outputs: choose one with --output K|NAME");
    }
    return TakeFunctionTable(map, TableOfPla(*file, k));
}

// A PLA the map cannot take (more than 8 inputs, or several outputs and no --output) written
// as a Boolean function file of every output, as the advanced tool writes its functions.
int PlaToFunctionFile(const Invocation& call, const pla::Pla& whole, const std::string& target) {
    const Args& args = call.args;
    for (const char* option : {"names", "packed", "scale", "analyze", "pos"})
        if (args.Has(option))
            throw UsageError(std::string("--") + option + " is not for a PLA written as .bf");
    pla::Pla file = whole;
    if (const auto output = args.Value("output")) {
        const int k = PlaOutputOf(whole, *output);
        if (k < 0) throw InputError("--output: the file has no output " + *output);
        file.outputs = 1;
        file.functions = {whole.functions[k]};
        file.outputNames = {whole.OutputName(k)};
    }
    const int n = file.inputs;
    if (n < 1 || n > kMaxListVariables)
        throw InputError(std::to_string(n) +
                         " inputs: a Boolean function file lists minterms of at most " +
                         std::to_string(kMaxListVariables) +
                         " inputs; keep the PLA for wider functions (mapwright-cli pla, core "
                         "--pla and the advanced tool read it)");
    if ((static_cast<std::size_t>(file.outputs) << n) > kMaxFunctionCharacters)
        throw InputError(std::to_string(file.outputs) + " outputs of " + std::to_string(n) +
                         " inputs are too many minterms to list at once");
    return FileOfOutputs(n, OutputsOfPla(file)).Write(target) ? 0 : 1;
}

bool Load(TCarnoGrid& map, const std::string& path, const std::string& ext, const Args& args) {
    if (args.Has("output") && ext != ".pla") throw UsageError("--output is for a .pla input only");
    if (ext == ".km") return LoadFromFile(map, path);
    if (ext == ".bf") return LoadFromBooleanFunctionFile(map, path);
    if (ext == ".pla") return LoadPla(map, path, args.Value("output"));
    return LoadFromCsvFile(map, path);
}

// The written names: one per variable, each 1 to 10 characters, no two alike.
void SetNames(TCarnoGrid& map, const std::string& names) {
    TStringParcer parcer;
    parcer.Text = names;
    parcer.Split(',');
    if (parcer.Count() != map.VariableCount())
        throw InputError("--names: the map has " + std::to_string(map.VariableCount()) +
                         " variables");
    std::set<std::string> seen;
    for (int i = 0; i < parcer.Count(); ++i) {
        const std::string& name = parcer.Item(i);
        if (name.empty() || name.size() > 10)
            throw InputError("--names: a name has 1 to 10 characters");
        if (!seen.insert(name).second) throw InputError("--names: " + name + " is given twice");
        map.SetVarName(i + 1, name);
    }
}

double ScaleOption(const std::string& text) {
    std::size_t used = 0;
    double scale = 0;
    try {
        scale = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || !(scale >= picture::kMinScale && scale <= picture::kMaxScale))
        throw UsageError("--scale must be a number from 0.25 to 8");
    return scale;
}

bool SavePicture(const TCarnoGrid& map, const std::string& path, picture::Kind kind, double scale) {
    const auto app = EnsureGuiApplication();
    MapPictureOptions options;
    options.loops = ShownSolution(map);
    std::string error;
    if (picture::Save(MapCanvas(map, options), path, kind, scale, &error)) return true;
    platform::ShowMessage(
        platform::TranslateText("Can't save the picture.") + "\n" + platform::TranslateText(error),
        platform::MsgIcon::Error, platform::MsgButtons::Ok);
    return false;
}

int Run(const Invocation& call) {
    const Args& args = call.args;
    const std::string& in = args.Positional()[0];
    const std::string& target = args.Positional()[1];
    const std::string inExt = Extension(in), ext = Extension(target);
    static const std::set<std::string> readable = {".km", ".bf", ".csv", ".pla"};
    static const std::set<std::string> writable = {".km",  ".htm", ".html", ".bf", ".pla",
                                                   ".csv", ".svg", ".png",  ".tex"};
    if (!readable.count(inExt))
        throw UsageError("the input's extension must be .km, .bf, .csv or .pla");
    if (!writable.count(ext))
        throw UsageError(
            "the output's extension must be .km, .htm, .html, .bf, .pla, .csv, .svg, .png or .tex");
    const auto kind = picture::KindOfName(target);
    if (args.Has("scale") && ext != ".png") throw UsageError("--scale is for .png only");
    if (args.Has("analyze") && !kind && ext != ".pla")
        throw UsageError("--analyze is for pictures and .pla only");
    if (args.Has("pos") && ext == ".pla")
        throw UsageError("a PLA cover is a sum of products: no --pos");
    if (args.Has("pos") && !args.Has("analyze")) throw UsageError("--pos goes with --analyze");
    if (args.Has("packed") && ext != ".km") throw UsageError("--packed is for .km only");
    const double scale = args.Has("scale") ? ScaleOption(*args.Value("scale")) : 1.0;

    if (inExt == ".pla" && ext == ".bf") {
        const pla::Pla file = ReadPlaArgument(in, call.err);
        const bool mapTakes =
            file.inputs >= 2 && file.inputs <= 8 && (file.outputs == 1 || args.Has("output"));
        if (!mapTakes) return PlaToFunctionFile(call, file, target);
    }
    TCarnoGrid map;
    MemoryResultTree tree;
    map.TreeView = &tree;
    if (!Load(map, in, inExt, args)) {
        if (call.messages.Count() == 0) throw InputError("cannot read " + in);
        return 1;
    }
    if (const auto names = args.Value("names")) SetNames(map, *names);
    if (args.Has("analyze") && !AnalyzeOrSay(map, args)) return 1;

    bool written;
    if (kind) {
        written = SavePicture(map, target, *kind, scale);
    } else if (ext == ".km") {
        map.PackedFlag = args.Has("packed") ? 1 : 0;
        written = SaveToFile(map, target);
    } else if (ext == ".bf") {
        written = SaveToBooleanFunctionFile(map, target);
    } else if (ext == ".pla") {
        written =
            args.Has("analyze") ? SaveResultToPlaFile(map, target) : SaveToPlaFile(map, target);
    } else if (ext == ".csv") {
        written = SaveToCsvFile(map, target);
    } else {
        written = SaveToHTMLFile(map, target);
    }
    return written ? 0 : 1;
}

}  // namespace

const Subcommand kConvertCommand{
    "convert",
    "turn a map read from one file kind into another: map, HTML, function, CSV, picture",
    kConvertUsage,
    {{"packed", false},
     {"names", true},
     {"scale", true},
     {"analyze", false},
     {"pos", false},
     {"output", true}},
    2,
    "needs an input and an output file",
    Run};

}  // namespace cli
