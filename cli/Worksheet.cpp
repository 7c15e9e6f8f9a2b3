// mapwright-cli worksheet: a class's worth of seeded exercises with their solutions, as TeX,
// HTML or PDF by the output file's extension.

#include "explain/Worksheet.h"

#include <algorithm>
#include <cctype>

#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/GuiApplication.h"
#include "platform/SafeWrite.h"

namespace cli {

namespace {

const char* kWorksheetUsage =
    "usage: mapwright-cli worksheet --out FILE.tex|FILE.html|FILE.pdf [--count N] "
    "[--vars A-B] [--seed S] [--difficulty easy|cyclic|many] [--density PERCENT] "
    "[--dont-cares PERCENT] [--pos]";

std::string Extension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// "3-5" or "4".
void ReadRange(const std::string& text, explain::WorksheetSettings& s) {
    const std::size_t dash = text.find('-');
    s.minVars = ParseIntOption("vars", text.substr(0, dash), 2, 8);
    s.maxVars =
        dash == std::string::npos ? s.minVars : ParseIntOption("vars", text.substr(dash + 1), 2, 8);
    if (s.maxVars < s.minVars) throw UsageError("--vars: the range must not run backwards");
}

int Run(const Invocation& call) {
    const Args& args = call.args;
    const auto out = args.Value("out");
    if (!out) throw UsageError("--out is needed");
    const std::string ext = Extension(*out);
    if (ext != "tex" && ext != "html" && ext != "pdf")
        throw UsageError("--out must end in .tex, .html or .pdf");
    explain::WorksheetSettings s;
    if (const auto v = args.Value("count")) s.count = ParseIntOption("count", *v, 1, 500);
    if (const auto v = args.Value("vars")) ReadRange(*v, s);
    if (const auto v = args.Value("seed"))
        s.seed = static_cast<uint64_t>(ParseIntOption("seed", *v, 0, 2147483647));
    if (const auto d = args.Value("difficulty")) {
        s.difficulty = explain::DifficultyFromName(*d);
        if (!s.difficulty) throw UsageError("--difficulty must be easy, cyclic or many");
    }
    if (const auto p = args.Value("density")) s.onesPercent = ParseIntOption("density", *p, 1, 99);
    if (const auto p = args.Value("dont-cares"))
        s.dontCarePercent = ParseIntOption("dont-cares", *p, 0, 90);
    if (args.Has("pos")) s.form = gmKNF;

    const auto app = EnsureGuiApplication();
    const std::vector<explain::Exercise> exercises = explain::WorksheetExercises(s);
    if (static_cast<int>(exercises.size()) < s.count)
        throw InputError("only " + std::to_string(exercises.size()) + " of " +
                         std::to_string(s.count) +
                         " exercises turned up: try another seed, density or size");
    const std::vector<explain::WorksheetPage> pages = explain::WorksheetPages(exercises);
    std::string error;
    const bool written =
        ext == "pdf"
            ? explain::WriteWorksheetPdf(pages, *out, &error)
            : platform::WriteFileAtomically(
                  *out, ext == "tex" ? explain::WorksheetTex(pages) : explain::WorksheetHtml(pages),
                  &error);
    if (!written) throw InputError(*out + ": " + error);
    return 0;
}

}  // namespace

const Subcommand kWorksheetCommand{"worksheet",
                                   "seeded exercises with their solutions as TeX, HTML or PDF",
                                   kWorksheetUsage,
                                   {{"out", true},
                                    {"count", true},
                                    {"vars", true},
                                    {"seed", true},
                                    {"difficulty", true},
                                    {"density", true},
                                    {"dont-cares", true},
                                    {"pos", false}},
                                   0,
                                   "",
                                   Run};

}  // namespace cli
