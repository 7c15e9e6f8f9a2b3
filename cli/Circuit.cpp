// mapwright-cli circuit: the circuit dialog's drawing of a formula, saved as a picture and/or
// printed to a PDF page exactly as the circuit view prints.

#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <memory>

#include "circuit/PictureFile.h"
#include "circuit/PrintPicture.h"
#include "circuit/Scheme.h"
#include "cli/Args.h"
#include "cli/Commands.h"
#include "cli/GuiApplication.h"
#include "cli/MessageCapture.h"
#include "input/FormulaMessage.h"
#include "platform/Colour.h"
#include "platform/Message.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"

namespace cli {

namespace {

const char* kCircuitUsage =
    "usage: mapwright-cli circuit --formula F [--type SOP|POS] [--scheme NAND|ANDOR|NOR] [--gates "
    "US|EU]\n"
    "       [--scale Small|Medium|Large|Huge] [--paper RRGGBB] "
    "[--out FILE.jpg|.jpeg|.bmp|.png|.svg|.tex] [--pdf FILE]";

template <typename T>
T Choice(const Args& args, const std::string& option,
         std::initializer_list<std::pair<const char*, T>> items, T fallback) {
    const auto value = args.Value(option);
    if (!value) return fallback;
    std::string names;
    for (const auto& [name, item] : items) {
        if (*value == name) return item;
        names += names.empty() ? name : std::string("|") + name;
    }
    throw UsageError("--" + option + " must be " + names);
}

std::uint32_t PaperOption(const Args& args) {
    std::string text = args.Value("paper").value_or("FFFFFF");
    if (!text.empty() && text[0] == '#') text.erase(0, 1);
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw UsageError("--paper needs six hexadecimal digits RRGGBB");
    const std::uint32_t rgb = static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
    return platform::FromRgb(rgb);
}

void Fail(const std::string& english, const std::string& detail = {}) {
    platform::Say(english, platform::MsgIcon::Error, platform::MsgButtons::Ok, detail);
}

// The view's print path with a PDF file for the printer, written whole or not at all.
bool PrintToPdf(const QImage& picture, const std::string& path, std::string* error) {
    QTemporaryDir folder;
    if (!folder.isValid()) {
        *error = folder.errorString().toStdString();
        return false;
    }
    const QString page = folder.filePath("page.pdf");
    {
        // A printer's page at screen resolution, as the view prints; QPdfWriter keeps Qt
        // Widgets out of the command line.
        QPdfWriter writer(page);
        writer.setResolution(96);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle("Mapwright Scheme");
        if (!PrintPicture(writer, picture)) {
            *error = "the page could not be started";
            return false;
        }
    }
    QFile file(page);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString().toStdString();
        return false;
    }
    return platform::WriteFileAtomically(path, file.readAll().toStdString(), error);
}

int Run(const Invocation& call) {
    const Args& args = call.args;
    const auto formula = args.Value("formula");
    if (!formula) throw UsageError("--formula is required");
    if (!args.Has("out") && !args.Has("pdf")) throw UsageError("--out or --pdf is required");

    CircuitOptions options;
    options.FormulaType =
        Choice<TFormulaType>(args, "type", {{"SOP", ftDNF}, {"POS", ftCNF}}, ftDNF);
    options.SchemeType = Choice<TSchemeType>(
        args, "scheme", {{"NAND", stNAND}, {"ANDOR", stAND_OR}, {"NOR", stNOR}}, stNAND);
    options.GateSystem = Choice<TGateSystem>(args, "gates", {{"US", gsUS}, {"EU", gsEU}}, gsUS);
    options.ScaleIndex =
        Choice<int>(args, "scale", {{"Small", 0}, {"Medium", 1}, {"Large", 2}, {"Huge", 3}},
                    CircuitOptions::kMediumScale);
    options.PaperColor = PaperOption(args);
    TScheme scheme;
    scheme.SetOptions(options);
    scheme.Formula = ValueOrFileContent(*formula);

    std::optional<PictureKind> kind;
    if (const auto path = args.Value("out")) {
        kind = PictureKindOfName(*path);
        if (!kind) throw InputError("--out: the name must end in " + PictureExtensionList());
    }
    if (scheme.Formula.empty()) throw InputError("--formula: the formula is empty");

    if (const auto error = CheckSchemeFormula(scheme.Formula, scheme.FormulaType)) {
        Fail(error->message, PositionText(error->position));
        return 1;
    }
    const auto app = EnsureGuiApplication();
    scheme.BuildScheme();
    if (scheme.TooLarge()) {
        Fail("The circuit is too large to draw at this scale.");
        return 1;
    }
    const int width = scheme.SchemeWidth(), height = scheme.SchemeHeight();
    scheme.DrawToBitmap();
    std::string error;
    if (kind && !SaveSchemePicture(scheme, *args.Value("out"), *kind, &error)) {
        Fail("Can't save the picture.", error);
        return 1;
    }
    if (const auto pdf = args.Value("pdf"); pdf && !PrintToPdf(scheme.Bitmap, *pdf, &error)) {
        Fail("Can't print the circuit.", error);
        return 1;
    }
    call.out << width << 'x' << height << '\n';
    return 0;
}

}  // namespace

const Subcommand kCircuitCommand{
    "circuit",
    "draw a formula as a gate circuit: a JPEG, bitmap, PNG, SVG or TeX picture, a PDF page",
    kCircuitUsage,
    {{"formula", true},
     {"type", true},
     {"scheme", true},
     {"gates", true},
     {"scale", true},
     {"paper", true},
     {"out", true},
     {"pdf", true}},
    0,
    "",
    Run};

}  // namespace cli
