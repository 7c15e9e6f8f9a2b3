// The advanced tool's reading of a Boolean function file: the count and the lists it holds,
// and a count the tool cannot take refused with one message.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "advmin/FunctionLists.h"
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
