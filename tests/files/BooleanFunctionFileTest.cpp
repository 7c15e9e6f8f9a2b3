#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "MapHelpers.h"
#include "TempFolder.h"
#include "engine/CarnoGrid.h"
#include "files/BooleanFunctionFile.h"
#include "platform/IniFile.h"
#include "platform/Message.h"

namespace {

using testing_support::ReadAll;

TEST(BooleanFunctionFile, WritesTheThreeSetsAndKeepsOtherSections) {
    const std::string path = ::testing::TempDir() + "/function.bf";
    std::ofstream(path) << "[Notes]\nAuthor=me\n[boolean function]\nVarCount=9\nExtra=kept\n";
    TCarnoGrid map;
    map.SetVariableCount(3);
    testing_support::FillMinterms(map, {0, 1, 2, 3, 5, 6});
    ASSERT_TRUE(SaveToBooleanFunctionFile(map, path));
    platform::IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Notes", "Author", ""), "me");
    EXPECT_EQ(ini.ReadString("Boolean Function", "Extra", ""), "kept");
    EXPECT_EQ(ini.ReadString("Boolean Function", "VarCount", ""), "3");
    EXPECT_EQ(ini.ReadString("Boolean Function", "1", ""), "0-3,5,6");
    EXPECT_EQ(ini.ReadString("Boolean Function", "0", ""), "4,7");
    // No don't cares: the line is there with an empty value.
    EXPECT_NE(ReadAll(path).find("\n*=\n"), std::string::npos);
    std::filesystem::remove(path);
}

TEST(BooleanFunctionFile, AFailedWriteIsReportedOnce) {
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    TCarnoGrid map;
    EXPECT_FALSE(SaveToBooleanFunctionFile(map, "/nonexistent-folder/function.bf"));
    ASSERT_EQ(sink.Shown().size(), 1u);
    EXPECT_EQ(sink.Shown()[0].icon, platform::MsgIcon::Error);
    EXPECT_EQ(
        sink.Shown()[0].text,
        "Cannot write the Boolean function file.\n/nonexistent-folder/function.bf: No such file or directory");
}

}  // namespace

// The one value type reads back what it writes, keeps the file's other sections, and tells an
// unreadable count (-1) from a missing one.
TEST(BooleanFunctionFileValue, RoundTripKeepsOtherSectionsAndTellsCountsApart) {
    const testing_support::TempFolder folder;
    const std::string path = folder / "f.bf";
    testing_support::WriteAll(path, "[Mine]\nkey=kept\n[Boolean Function]\nextra=1\n");
    BooleanFunctionFile written;
    written.VarCount = 5;
    written.Sets = {"0-3,7", "", "31"};
    ASSERT_TRUE(written.Write(path));
    const BooleanFunctionFile read = *BooleanFunctionFile::Read(path);
    EXPECT_EQ(read.VarCount, 5);
    EXPECT_EQ(read.Sets, written.Sets);
    EXPECT_EQ(platform::IniFile(path).ReadString("Mine", "key", ""), "kept");

    testing_support::WriteAll(path, "[Boolean Function]\nVarCount= +7 \n1=1\n");
    EXPECT_EQ(BooleanFunctionFile::Read(path)->VarCount, 7);
    EXPECT_FALSE(BooleanFunctionFile::Read(path)->Sets[1]);
    testing_support::WriteAll(path, "[Boolean Function]\nVarCount=7x\n");
    EXPECT_EQ(BooleanFunctionFile::Read(path)->VarCount, -1);
    EXPECT_FALSE(BooleanFunctionFile::Read(folder / "missing.bf")->VarCount);
}

TEST(BooleanFunctionFileValue, ManyFunctionsAreReadInOnePass) {
    const testing_support::TempFolder folder;
    const std::string path = folder / "many.bf";
    BooleanFunctionFile written;
    written.VarCount = 12;
    written.Sets = {"0-99", "", ""};
    for (int k = 2; k <= BooleanFunctionFile::kMaxFunctions; ++k)
        written.More.push_back({"f" + std::to_string(k), {std::to_string(k), "", "4095"}});
    ASSERT_TRUE(written.Write(path));
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) - std::chrono::hours(1));
    const std::size_t before = platform::IniFile::Parses();
    const auto read = BooleanFunctionFile::Read(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(platform::IniFile::Parses() - before, 1u);
    EXPECT_EQ(read->More, written.More);
}

// The lists of 22 and 23 variables run to tens of megabytes, past what a settings file may be;
// beyond the file limit nothing is read and the reason is said.
TEST(BooleanFunctionFile, ListsOfManyVariablesAreReadAndAnOversizedFileIsRefused) {
    const testing_support::TempFolder folder;
    const std::string path = folder / "large.bf";
    // The bulk in a section of its own, so that only the size is large.
    testing_support::WriteAll(path, "[Boolean Function]\nVarCount=23\n1=1,2\n*=2\n[Notes]\nText=" +
                                        std::string(platform::IniFile::kMaxSize, 'x') + "\n");
    const auto read = BooleanFunctionFile::Read(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->VarCount, 23);
    EXPECT_EQ(read->Sets[0], "1,2");
    EXPECT_EQ(read->Clash(path, 1, 23), "minterm 2: 1 on line 3, * on line 4");

    const std::string huge = folder / "huge.bf";
    testing_support::WriteAll(huge, "[Boolean Function]\nVarCount=4\n1=1\n");
    std::filesystem::resize_file(huge, BooleanFunctionFile::kMaxFileSize + 1);
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    EXPECT_FALSE(BooleanFunctionFile::Read(huge));
    ASSERT_EQ(sink.Texts().size(), 1u);
    EXPECT_NE(sink.Texts()[0].find("huge.bf"), std::string::npos) << sink.Texts()[0];
}

TEST(BooleanFunctionFile, SetsThatClashLeaveTheMapAsItWas) {
    const testing_support::TempFolder folder;
    const std::string path = folder / "clash.bf";
    testing_support::WriteAll(path, "[Boolean Function]\nVarCount=3\n1=1,2\n0=2-4\n");
    TCarnoGrid map;
    map.SetVariableCount(4);
    map.SetCells(1, 1, "1");
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    EXPECT_FALSE(LoadFromBooleanFunctionFile(map, path));
    ASSERT_EQ(sink.Texts().size(), 1u);
    EXPECT_NE(sink.Texts()[0].find("minterm 2: 1 on line 3, 0 on line 4"), std::string::npos)
        << sink.Texts()[0];
    EXPECT_EQ(map.VariableCount(), 4);
    EXPECT_EQ(map.Cells(1, 1), "1");
}
