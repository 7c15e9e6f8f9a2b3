#pragma once
// Fonts need a GUI application; a script has no display, so the offscreen platform serves.

#include <QGuiApplication>
#include <memory>

namespace cli {

// A GUI application for the caller's scope, or nothing when one already runs.
inline std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    static int argc = 1;
    static char name[] = "mapwright-cli";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace cli
