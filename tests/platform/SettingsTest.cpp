// Where the settings file is read and saved, and what becomes of one that cannot be used.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "TempFolder.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"

namespace {

using testing_support::ReadAll;
using testing_support::WriteAll;

class Settings : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old) savedXdg_ = old;
        hadXdg_ = old != nullptr;
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        std::filesystem::create_directory(program);
        platform::SetProgramFolder(program);
    }
    void TearDown() override {
        platform::SetProgramFolder("");
        if (hadXdg_)
            setenv("XDG_CONFIG_HOME", savedXdg_.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

    // Runs body as a user without root's licence to write anywhere, so that a folder's and a
    // file's rights mean what they mean for an ordinary user; failures show in the child's output.
    void AsOrdinaryUser(const std::function<void()>& body) {
        if (::geteuid() != 0) return body();
        std::filesystem::permissions(folder.Path(), std::filesystem::perms::all);
        std::filesystem::permissions(folder / "config", std::filesystem::perms::all);
        std::fflush(nullptr);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
            body();
            std::fflush(nullptr);
            ::_exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    testing_support::TempFolder folder;
    const std::string program = folder / "program";
    const std::string beside = folder / "program/mapwright.ini";
    const std::string copy = folder / "config/mapwright/mapwright.ini";
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope{&messages};

  private:
    std::string savedXdg_;
    bool hadXdg_ = false;
};

TEST_F(Settings, BesideAWritableProgramAndInTheUserFolderWhereThereIsNoProgramFolder) {
    EXPECT_EQ(platform::SettingsFilePath(), beside);
    EXPECT_EQ(platform::SettingsSavePath(), beside);
    platform::SetProgramFolder(folder / "no/such/folder");
    EXPECT_EQ(platform::SettingsFilePath(), folder / "no/such/folder/mapwright.ini");
    EXPECT_EQ(platform::SettingsSavePath(), copy);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "config/mapwright"));
    EXPECT_TRUE(platform::SaveSettings("Options", {{"AskExit", "false"}}));
    EXPECT_EQ(platform::SettingsFilePath(), copy);  // what was saved is what is read
}

TEST_F(Settings, AReadOnlyFileBesideTheProgramIsReadAndTheSaveGoesToTheUserFolder) {
    const std::string old = "[Language]\nCurrentLanguage=German\n[Options]\nAskExit=true\n";
    WriteAll(beside, old);
    ::mkdir((folder / "config").c_str(), 0777);
    ::chmod(beside.c_str(), 0444);
    ::chmod(program.c_str(), 0555);
    AsOrdinaryUser([&] {
        EXPECT_EQ(platform::SettingsFilePath(), beside);
        EXPECT_TRUE(platform::SaveSettings("Options", {{"AskExit", "false"}}));
        EXPECT_TRUE(messages.Texts().empty());
        EXPECT_EQ(platform::SettingsFilePath(), copy);
        const platform::IniFile ini(copy);
        EXPECT_EQ(ini.ReadString("Options", "AskExit", ""), "false");
        EXPECT_EQ(ini.ReadString("Language", "CurrentLanguage", ""),
                  "German");  // the rest came along
        EXPECT_EQ(ReadAll(beside), old);
    });
}

TEST_F(Settings, AFileThatCannotBeReadIsNamedAndReplacedAtSave) {
    ASSERT_EQ(::mkfifo(beside.c_str(), 0600), 0);
    EXPECT_EQ(platform::SettingsFileProblem(), "not a regular file");
    EXPECT_TRUE(platform::SaveSettings("Options", {{"AskExit", "false"}}));
    EXPECT_EQ(platform::IniFile(beside).ReadString("Options", "AskExit", ""), "false");
    EXPECT_EQ(platform::SettingsFileProblem(), "");

    // The settings' own limit, far below what other initialization files may hold.
    std::filesystem::remove(beside);
    WriteAll(beside, "[Options]\nAskExit=false\n");
    std::filesystem::resize_file(beside, platform::kMaxSettingsSize);
    EXPECT_EQ(platform::SettingsFileProblem(), "");
    EXPECT_EQ(platform::SettingsFile().ReadString("Options", "AskExit", ""), "false");
    std::filesystem::resize_file(beside, platform::kMaxSettingsSize + 1);
    EXPECT_FALSE(platform::SettingsFileProblem().empty());
    EXPECT_EQ(platform::SettingsFile().ReadString("Options", "AskExit", ""), "");
    EXPECT_EQ(platform::IniFile(beside).ReadString("Options", "AskExit", ""), "false");
    EXPECT_TRUE(platform::SaveSettings("Options", {{"AskExit", "true"}}));
    EXPECT_LT(std::filesystem::file_size(beside), 100u);

    // A folder in the file's place is never removed: the save goes to the user folder.
    std::filesystem::remove(beside);
    std::filesystem::create_directory(beside);
    EXPECT_FALSE(platform::SettingsFileProblem().empty());
    EXPECT_TRUE(platform::SaveSettings("Options", {{"AskExit", "true"}}));
    EXPECT_TRUE(std::filesystem::is_directory(beside));
    EXPECT_EQ(platform::IniFile(copy).ReadString("Options", "AskExit", ""), "true");
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(Settings, AFailedSaveNamesTheFileAndTheReason) {
    platform::SetProgramFolder(folder / "no/such/folder");
    WriteAll(folder / "config", "a file where the configuration folder should be");
    EXPECT_FALSE(platform::SaveSettings("Options", {{"AskExit", "true"}}));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0].rfind("Cannot write the settings file.\n" + copy + ": ", 0), 0u)
        << messages.Texts()[0];
}

}  // namespace
