// Program start: the windows are created once each, in a fixed order, so that each one's
// creation can rely on those before it (the options load the settings before the later
// windows exist), then the message loop runs until the main window closes.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>

#include "app/Main.h"
#include "app/Windows.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"
#include "platform/QtMessageSink.h"

namespace {

// Answered before any window exists, so they work without a display.
bool AnswerInformationOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("mapwright %s\n", MW_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf(
                "Usage: mapwright [FILE]\n"
                "A Karnaugh map minimizer for Boolean functions of 2 to 8 variables.\n\n"
                "  FILE        a map (.km), Boolean function (.bf), CSV truth table (.csv)\n"
                "              or PLA (.pla, one of its outputs) to open\n"
                "  --help      show this text and exit\n"
                "  --version   show the version and exit\n\n"
                "For scripts, see mapwright-cli --help.\n\n");
            // Where the program looks for what ships with it, to check an installation.
            const std::string folder = platform::ProgramFolder();
            std::printf("Program folder: %s\n", folder.c_str());
            const std::pair<const char*, const char*> parts[] = {
                {"languages", "Languages/english.lng"},
                {"help", "help/mwr.html"},
                {"report templates", "Reports/Include"}};
            for (const auto& [what, path] : parts)
                std::printf("  %s: %s\n", what,
                            std::filesystem::exists(folder + path) ? "found" : "missing");
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (AnswerInformationOptions(argc, argv)) return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mapwright");
    platform::SetProgramFolder(QApplication::applicationDirPath().toStdString());
    platform::QtMessageSink messages;
    platform::ScopedMessageSink messageScope(&messages);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    CreateWindows(arguments);
    Windows().Form1->show();
    // For timing the start: quit as soon as the window has been shown.
    // The wall clock at that moment goes to stderr, for the timer to subtract its own start from.
    if (qEnvironmentVariableIsSet("MAPWRIGHT_QUIT_AFTER_SHOW"))
        QTimer::singleShot(0, &app, [] {
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::fprintf(stderr, "shown at %lld%09ld ns\n", static_cast<long long>(now.tv_sec),
                         now.tv_nsec);
            QCoreApplication::exit(0);
        });
    const int status = app.exec();
    // A timed run has no one to answer a box at its end.
    platform::StderrMessageSink unattended;
    if (qEnvironmentVariableIsSet("MAPWRIGHT_QUIT_AFTER_SHOW"))
        platform::SetMessageSink(&unattended);
    DestroyWindows();
    return status;
}
