// The widget suites share one application object, created before any test runs.

#include <gtest/gtest.h>

#include <QApplication>

// Qt and fontconfig keep caches for the whole process; only our own leaks matter, and the
// logic suites check those. Set here because the sanitizer reads its options before main.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program folder of the build, where the core library and its registry entry are.
    if (qEnvironmentVariableIsEmpty("MW_BIN_DIR")) qputenv("MW_BIN_DIR", MW_BIN_DIR);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
