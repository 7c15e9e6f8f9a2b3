// The advanced tool's reading of a Boolean function file: the count and the lists it holds,
// and a count the tool cannot take refused with one message.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "MapHelpers.h"
#include "TempFolder.h"
#include "advmin/FunctionLists.h"
#include "engine/CarnoGrid.h"
#include "input/Sets.h"
#include "platform/IniFile.h"
#include "platform/Message.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteAll;

struct Read {
    std::optional<BooleanFunctionFile> content;
    std::vector<std::string> messages;
};

Read ReadText(const std::string& text) {
    const TempFolder folder;
    WriteAll(folder / "f.bf", text);
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope(&messages);
    Read r{ReadListsFile(folder / "f.bf"), {}};
    r.messages = messages.Texts();
    return r;
}

TEST(ListsFile, GivesTheCountAndOnlyTheListsTheFileHolds) {
    const Read r =
        ReadText("[Other]\nVarCount=99\n[boolean function]\r\nVarCount= 23 \r\n1=0-3, 9\r\n*=\r\n");
    ASSERT_TRUE(r.content);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.content->VarCount, 23);
    EXPECT_EQ(r.content->Sets[0], "0-3, 9");
    EXPECT_FALSE(r.content->Sets[1]) << "no \"0\" key: the tool keeps its own list";
    EXPECT_EQ(r.content->Sets[2], "");

    const Read none = ReadText("[Boolean Function]\n0=1\n");
    ASSERT_TRUE(none.content);
    EXPECT_FALSE(none.content->VarCount);
    EXPECT_EQ(none.content->Sets[1], "1");
}

TEST(ListsFile, ACountTheToolCannotTakeIsRefusedWithOneMessage) {
    for (const char* count : {"3", "24", "-4", "x", "", "99999999999"}) {
        const Read r = ReadText(std::string("[Boolean Function]\nVarCount=") + count + "\n1=1\n");
        EXPECT_FALSE(r.content) << count;
        EXPECT_EQ(r.messages, std::vector<std::string>{"Invalid number of variables"}) << count;
    }
    EXPECT_EQ(ReadText("[Boolean Function]\nVarCount=4\n").content->VarCount, kMinListVariables);
}

// The tool's lists read every text as the map's sets do: seeded texts of every shape.
TEST(ListsFile, ListsFollowTheSetsRulesOfTheMap) {
    std::mt19937 random(15);
    const char* pieces[] = {"0", "1", "3", "7", "8", "100", "-", "--", ",", ",,", "-3", "3-"};
    for (int round = 0; round < 400; ++round) {
        std::string text;
        for (int k = 0; k < 1 + static_cast<int>(random() % 6); ++k) text += pieces[random() % 12];
        std::string list(8, '0');
        ReadList(list, text, '1');
        TCarnoGrid map;
        map.SetVariableCount(3);
        ASSERT_TRUE(AnalyzeWorkString(map, text, "1"));
        std::string expected(8, '0');
        for (int m : testing_support::MintermsWith(map, "1")) expected[m] = '1';
        EXPECT_EQ(list, expected) << text;
    }
}

// Two lists of one function naming one minterm: refused with the minterm and both lines.
TEST(ListsFile, ListsThatClashAreRefusedNamingTheMintermAndTheLines) {
    Read r = ReadText("[Boolean Function]\nVarCount=4\n1=1,5-9\n\n0=9-12\n*=0\n");
    EXPECT_FALSE(r.content);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].find("minterm 9: 1 on line 3, 0 on line 5"), std::string::npos)
        << r.messages[0];
    r = ReadText(
        "[Boolean Function]\nVarCount=4\nOutputs=2\n1=1\n[Boolean Function 2]\n0=3\n*=1-3\n");
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].find("minterm 3: 0 on line 6, * on line 7"), std::string::npos)
        << r.messages[0];
    // Past the variables nothing is named, so nothing clashes.
    EXPECT_TRUE(ReadText("[Boolean Function]\nVarCount=4\n1=16\n0=16,1--3,7-100\n").content);
}

TEST(ListOf, RunsOfThreeOrMoreAsRangesAndReadBackTheSame) {
    EXPECT_EQ(ListOf("1110110201", '1'), "0-2,4,5,9");
    EXPECT_EQ(ListOf("1110110201", '2'), "7");
    EXPECT_EQ(ListOf("0000", '1'), "");
    std::string function(64, '0');
    for (std::size_t m = 0; m < function.size(); ++m) function[m] = "0120"[(m * 7 + m / 5) % 4];
    std::string back(64, '0');
    ReadList(back, ListOf(function, '1'), '1');
    ReadList(back, ListOf(function, '2'), '2');
    EXPECT_EQ(back, function);
}

}  // namespace
