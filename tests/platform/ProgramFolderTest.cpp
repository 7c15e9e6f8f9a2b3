#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ProgramFolder.h"

namespace {

TEST(ProgramFolder, EndsWithASeparatorAndCanBeSet) {
    EXPECT_EQ(platform::ProgramFolder().back(), '/');
    platform::SetProgramFolder("/some/where");
    EXPECT_EQ(platform::ProgramFolder(), "/some/where/");
    platform::SetProgramFolder("");
    EXPECT_NE(platform::ProgramFolder(), "/some/where/");
}

TEST(ProgramFolder, SettingsGoToTheUserFolderWhenTheProgramFolderCannotBeWritten) {
    const std::string scratch = ::testing::TempDir() + "/mw-config-test";
    std::filesystem::remove_all(scratch);
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);

    platform::SetProgramFolder(scratch + "/no/such/program/folder");
    EXPECT_EQ(platform::SettingsFilePath(), scratch + "/mapwright/mapwright.ini");
    EXPECT_TRUE(std::filesystem::is_directory(scratch + "/mapwright"));

    platform::SetProgramFolder(scratch);  // writable: beside the program
    EXPECT_EQ(platform::SettingsFilePath(), scratch + "/mapwright.ini");

    platform::SetProgramFolder("");
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(scratch);
}

}  // namespace
