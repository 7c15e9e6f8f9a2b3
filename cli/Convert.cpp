// mapwright-cli convert: a map file into another map file, an HTML page or a Boolean function
// file, chosen by the output's extension.

#include <algorithm>
#include <filesystem>

#include "cli/Commands.h"
#include "cli/MessageCapture.h"
#include "engine/CarnoGrid.h"

namespace cli {

namespace {
const char* kConvertUsage = "usage: mapwright-cli convert IN.km OUT.km|OUT.htm|OUT.html|OUT.bf [--packed]";

std::string Extension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}
int Run(const Invocation& call) {
    const std::string& in = call.args.Positional()[0];
    const std::string& target = call.args.Positional()[1];
    const std::string ext = Extension(target);
    if (ext != ".km" && ext != ".htm" && ext != ".html" && ext != ".bf")
        throw UsageError("the output's extension must be .km, .htm, .html or .bf");

    TCarnoGrid map;
    if (!map.LoadFromFile(in)) {
        if (call.messages.Count() == 0) throw InputError("cannot read " + in);
        return 1;
    }
    bool written;
    if (ext == ".km") {
        map.PackedFlag = call.args.Has("packed") ? 1 : 0;
        written = map.SaveToFile(target);
    } else if (ext == ".bf") {
        written = map.SaveToBooleanFunctionFile(target);
    } else {
        written = map.SaveToHTMLFile(target);
    }
    return written ? 0 : 1;
}

}  // namespace

const Subcommand kConvertCommand{
    "convert", "turn a map file into a map file, an HTML page or a Boolean function file", kConvertUsage,
    {{"packed", false}}, 2, "needs an input and an output file", Run};

}  // namespace cli
