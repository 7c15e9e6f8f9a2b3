// Initialization files: names ignoring case, values as written, everything else kept on write,
// and any bytes read without harm.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "TempFolder.h"
#include "platform/IniFile.h"

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;
using platform::IniFile;
using testing_support::ReadAll;
using testing_support::TempFolder;
using testing_support::WriteAll;

TEST(IniFile, ReadsSectionsAndKeysIgnoringCaseAndValuesAsWritten) {
    TempFolder folder;
    IniFile ini(folder / "mapwright.ini");
    EXPECT_FALSE(ini.Exists());
    EXPECT_TRUE(ini.ReadSection("Options").empty());
    EXPECT_EQ(ini.ReadString("Options", "AskExit", "def"), "def");

    WriteAll(ini.Path(),
             "; settings\r\n[options]\r\naskexit=TRUE\r\n  GlueMethod =POS \r\nnoequals\r\n\r\n"
             "MapFont=Courier "
             "New=x\r\n[Language]\r\nCurrentLanguage=german\r\n[Options]\r\nAskExit=true");
    EXPECT_TRUE(ini.Exists());
    EXPECT_EQ(ini.ReadString("OPTIONS", "AskExit", ""), "TRUE");  // first of two same sections
    EXPECT_EQ(ini.ReadString("Options", "MAPFONT", ""), "Courier New=x");
    EXPECT_EQ(ini.ReadString("Options", "GlueMethod", ""), "POS");
    EXPECT_EQ(ini.ReadString("Options", "noequals", "none"), "");  // a key without a value
    EXPECT_EQ(ini.ReadString("Language", "currentlanguage", ""), "german");
    EXPECT_EQ(ini.ReadSection("OPTIONS"), (Lines{{"askexit", "TRUE"},
                                                 {"GlueMethod", "POS "},
                                                 {"noequals", ""},
                                                 {"MapFont", "Courier New=x"}}));
    EXPECT_EQ(ini.ReadSection("Nothing"), Lines{});
}

TEST(IniFile, WritesKeepEverythingElse) {
    TempFolder folder;
    IniFile ini(folder / "s.ini");
    ASSERT_TRUE(ini.WriteString("Options", "BitSave", "true")) << ini.LastError();
    EXPECT_EQ(ReadAll(ini.Path()), "[Options]\nBitSave=true\n");

    WriteAll(ini.Path(),
             "; kept\n[language]\nSupportedLanguages=german\n\n[OPTIONS]\nbitsave=false\nX = "
             "1\n\n[Tips]\nShowTips=true\n");
    ASSERT_TRUE(
        ini.WriteStrings("Options", {{"BitSave", "true"}, {"AskExit", "  spaced  "}, {"x", "2"}}));
    ASSERT_TRUE(ini.WriteString("Language", "CurrentLanguage", ""));
    ASSERT_TRUE(ini.WriteString("New", "K", "v"));
    // The file's spelling of sections and keys stays; new keys go after the section's last entry.
    EXPECT_EQ(
        ReadAll(ini.Path()),
        "; "
        "kept\n[language]\nSupportedLanguages=german\nCurrentLanguage=\n\n[OPTIONS]\nbitsave=true\n"
        "X=2\nAskExit=  spaced  \n\n[Tips]\nShowTips=true\n\n[New]\nK=v\n");
    EXPECT_EQ(ini.ReadString("options", "askexit", ""), "spaced");

    // Windows line ends stay Windows line ends.
    WriteAll(ini.Path(), "[A]\r\nk=1\r\n");
    ASSERT_TRUE(ini.WriteString("a", "K", "2"));
    EXPECT_EQ(ReadAll(ini.Path()), "[A]\r\nk=2\r\n");
}

TEST(IniFile, RefusesWritesThatWouldNotReadBack) {
    TempFolder folder;
    IniFile ini(folder / "s.ini");
    WriteAll(ini.Path(), "[A]\nk=1\n");
    for (const auto& [section, key, value] :
         std::vector<std::tuple<std::string, std::string, std::string>>{{"A", "k=", "v"},
                                                                        {"A", "k", "two\nlines"},
                                                                        {"A]", "k", "v"},
                                                                        {"", "k", "v"},
                                                                        {"A", " ", "v"},
                                                                        {"A", "[B]", "v"}}) {
        EXPECT_FALSE(ini.WriteString(section, key, value)) << section << "/" << key;
        EXPECT_FALSE(ini.LastError().empty());
    }
    EXPECT_EQ(ReadAll(ini.Path()), "[A]\nk=1\n");

    IniFile nowhere(folder / "missing/s.ini");
    EXPECT_FALSE(nowhere.WriteString("A", "k", "v"));
    EXPECT_EQ(nowhere.LastError(), "No such file or directory");
}

TEST(IniFile, OversizedOrUnreadableFilesReadEmptyAndAreNeverRewritten) {
    TempFolder folder;
    IniFile ini(folder / "big.ini");
    WriteAll(ini.Path(), "[A]\nk=1\n");
    std::filesystem::resize_file(ini.Path(), IniFile::kMaxSize + 1);
    EXPECT_EQ(ini.ReadString("A", "k", "def"), "def");
    EXPECT_FALSE(ini.LastError().empty());
    EXPECT_FALSE(ini.WriteString("A", "k", "2"));
    EXPECT_EQ(std::filesystem::file_size(ini.Path()), IniFile::kMaxSize + 1);

    IniFile dir(folder.Path().string());
    EXPECT_TRUE(dir.ReadSection("A").empty());
    EXPECT_FALSE(dir.WriteString("A", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path()));
}

TEST(IniFile, AnyBytesReadWithoutHarmAndWritesKeepThem) {
    TempFolder folder;
    IniFile ini(folder / "g.ini");
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> byte(0, 255);
    const char pieces[] = {'[', ']', '=', '\n', '\r', ';', ' ', 'a', 'A', '\0'};
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int length = round == 0 ? 200000 : byte(rng) * 4;  // one line of 200000 bytes
        for (int i = 0; i < length; ++i)
            bytes += round == 0 ? 'k' : byte(rng) < 128 ? pieces[byte(rng) % 10] : char(byte(rng));
        WriteAll(ini.Path(), bytes);
        ini.ReadSection("a");
        ini.ReadString("A", "a", "");
        ASSERT_TRUE(ini.WriteString("Z", "key", "value"));
        EXPECT_EQ(ini.ReadString("z", "KEY", ""), "value");
        // Whatever was there is still there, line ends aside.
        std::string after = ReadAll(ini.Path()), clean;
        for (char c : bytes)
            if (c != '\r' && c != '\n') clean += c;
        std::string cleanAfter;
        for (char c : after)
            if (c != '\r' && c != '\n') cleanAfter += c;
        EXPECT_NE(cleanAfter.find(clean), std::string::npos) << "round " << round;
    }
}

}  // namespace

namespace {

void Age(const std::string& path) {
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) - std::chrono::hours(1));
}

}  // namespace

// A start reads the settings from many places: an unchanged file is read and split once, a
// changed one (in place, even to the same size, or by a save) is read again.
TEST(IniFile, AnUnchangedFileIsReadOnceHoweverManyAsk) {
    TempFolder folder;
    const std::string path = folder / "big.ini";
    std::string text;
    for (int s = 0; s < 2000; ++s) {
        text += "[S" + std::to_string(s) + "]\n";
        for (int k = 0; k < 5; ++k)
            text += "k" + std::to_string(k) + "=" + std::to_string(s) + "\n";
    }
    WriteAll(path, text);
    Age(path);
    const std::size_t before = IniFile::Parses();
    for (int s = 0; s < 2000; s += 7)
        EXPECT_EQ(IniFile(path).ReadString("s" + std::to_string(s), "K4", ""), std::to_string(s));
    EXPECT_EQ(IniFile::Parses() - before, 1u);

    WriteAll(path, "[A]\nk=1\n");
    EXPECT_EQ(IniFile(path).ReadString("A", "k", ""), "1");
    WriteAll(path, "[A]\nk=2\n");  // in place, the same size, within the clock's step
    EXPECT_EQ(IniFile(path).ReadString("A", "k", ""), "2");
    Age(path);
    EXPECT_EQ(IniFile(path).ReadString("A", "k", ""), "2");
    IniFile writer(path);
    ASSERT_TRUE(writer.WriteString("A", "k", "3"));
    const std::size_t afterSave = IniFile::Parses();
    EXPECT_EQ(IniFile(path).ReadString("A", "k", ""), "3");
    EXPECT_EQ(IniFile(path).ReadSection("a"), (Lines{{"k", "3"}}));
    EXPECT_EQ(IniFile::Parses(), afterSave) << "what was saved is known";
}
