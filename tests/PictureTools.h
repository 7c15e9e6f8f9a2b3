#pragma once
// Reading written pictures back the way their users will: SVG parsed as XML and rendered by
// rsvg-convert, TeX compiled by pdflatex, pixels counted. A missing tool is reported so the
// test can skip with the reason.

#include <libxml/parser.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>

#include "TempFolder.h"

namespace testing_support {

// Fonts need a GUI application; the tests have no display, so the offscreen platform serves.
inline void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "mw_tests";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

// Empty when the text is well-formed XML; libxml2's complaints otherwise.
inline std::string XmlErrors(const std::string& text) {
    std::string errors;
    xmlSetStructuredErrorFunc(&errors, [](void* sink, xmlError* e) {
        *static_cast<std::string*>(sink) +=
            std::to_string(e->line) + ": " + (e->message ? e->message : "?");
    });
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                  XML_PARSE_NONET);
    if (!doc && errors.empty()) errors = "not parsed";
    xmlFreeDoc(doc);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    return errors;
}

// The SVG file drawn by rsvg-convert; a null image when it refuses.
inline QImage RenderSvg(const std::string& svgPath) {
    const std::string png = svgPath + ".rendered.png";
    const std::string command =
        "rsvg-convert -b white -o '" + png + "' '" + svgPath + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return {};
    return QImage(QString::fromStdString(png));
}

// Compiles the TeX file where it lies; the PDF's bytes, or nullopt with *log the run's log.
// The PDF's objects are left uncompressed, so that the test can read its page size.
inline std::optional<std::string> CompileTex(const std::string& folder, const std::string& name,
                                             std::string* log) {
    const std::string command =
        "cd '" + folder + "' && pdflatex -interaction=nonstopmode -halt-on-error -jobname='" +
        name + "' '\\pdfobjcompresslevel=0 \\input{" + name + ".tex}' > pdflatex.out 2>&1";
    const int status = std::system(command.c_str());
    const std::string pdf = ReadAll(folder + "/" + name + ".pdf");
    if (status != 0 || pdf.empty()) {
        if (log) *log = ReadAll(folder + "/pdflatex.out");
        return std::nullopt;
    }
    return pdf;
}

// The page size of a one-page PDF, in points.
inline std::optional<std::pair<double, double>> PdfPageSize(const std::string& pdf) {
    static const std::regex box(
        R"(/MediaBox\s*\[\s*([-0-9.]+)\s+([-0-9.]+)\s+([-0-9.]+)\s+([-0-9.]+)\s*\])");
    std::smatch m;
    if (!std::regex_search(pdf, m, box)) return std::nullopt;
    return std::make_pair(std::stod(m[3]) - std::stod(m[1]), std::stod(m[4]) - std::stod(m[2]));
}

// Pixels within `tolerance` of the colour in every channel.
inline int PixelsNear(const QImage& image, QRgb colour, int tolerance = 40) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) <= tolerance &&
                std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
                std::abs(qBlue(p) - qBlue(colour)) <= tolerance)
                ++n;
        }
    return n;
}

}  // namespace testing_support
