#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/ProgramFolder.h"
#include "report/ReportFiles.h"

namespace {

TEST(ReportFiles, ReportGoesToTheUserDataFolderWhenTheProgramFolderIsNotWritable) {
    const std::string scratch = ::testing::TempDir() + "/mw-report-files";
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
    // A file where the Reports folder should be makes the program folder unusable for it.
    platform::SetProgramFolder(scratch + "/program");
    std::filesystem::create_directories(scratch + "/program");
    { std::ofstream blocker(scratch + "/program/Reports"); }
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", (scratch + "/data").c_str(), 1);

    EXPECT_EQ(report::ReportPath(), scratch + "/data/mapwright/Reports/report.htm");
    EXPECT_TRUE(std::filesystem::is_directory(scratch + "/data/mapwright/Reports"));

    std::filesystem::remove(scratch + "/program/Reports");
    EXPECT_EQ(report::ReportPath(), scratch + "/program/Reports/report.htm");

    std::string text, error;
    EXPECT_FALSE(report::ReadTemplate("report.inc", &text, &error));
    EXPECT_NE(error.find("report.inc"), std::string::npos);

    if (old)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    platform::SetProgramFolder("");
    std::filesystem::remove_all(scratch);
}

}  // namespace
