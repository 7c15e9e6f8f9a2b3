// Sets of minterm numbers: reading texts into the map, writing the map out, and the round trip.

#include <gtest/gtest.h>

#include <random>

#include "MapHelpers.h"
#include "engine/CarnoGrid.h"
#include "input/Sets.h"
#include "platform/Message.h"

namespace {

using testing_support::MintermsWith;

std::vector<int> Read(int variables, const std::string& text) {
    TCarnoGrid map;
    map.SetVariableCount(variables);
    AnalyzeWorkString(map, text, "1");
    return MintermsWith(map, "1");
}

struct Sets {
    std::string ones, zeros, dc;
};

Sets Write(const TCarnoGrid& map) {
    Sets s;
    MapToSets(map, s.ones, s.zeros, s.dc);
    return s;
}

using V = std::vector<int>;

TEST(AnalyzeWorkString, ItemsRangesAndSpaces) {
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope(&messages);
    EXPECT_EQ(Read(4, "0,1,2"), (V{0, 1, 2}));
    EXPECT_EQ(Read(4, " 0 , 1 ,2 "), (V{0, 1, 2}));
    EXPECT_EQ(Read(4, "5-2"), (V{2, 3, 4, 5}));  // ends swapped
    EXPECT_EQ(Read(4, "-3"), (V{0, 1, 2, 3}));   // an empty end reads as 0
    EXPECT_EQ(Read(4, "3-"), (V{0, 1, 2, 3}));
    EXPECT_EQ(Read(4, "1-2-3"), (V{1, 2}));  // the second end stops at its "-"
    EXPECT_EQ(Read(4, "1,2,"), (V{1, 2}));
    EXPECT_EQ(Read(4, ",,7,,"), (V{7}));
    EXPECT_EQ(Read(4, "1 2"), (V{12}));  // spaces vanish before reading
    EXPECT_EQ(Read(4, ""), V{});
    // Beyond the map: a number is skipped, a range with an end outside is skipped whole.
    EXPECT_EQ(Read(3, "8,6-8,7"), (V{7}));
    EXPECT_EQ(Read(3, "3--1"), V{});  // the second end reads as -1
    EXPECT_EQ(Read(8, "255,256"), (V{255}));
    EXPECT_EQ(Read(2, "99999999999999999999999,1"), (V{1}));  // no overflow into range
    EXPECT_EQ(Read(2, "0-99999999999999999999999"), V{});
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(AnalyzeWorkString, ABadCharacterRefusesTheWholeTextAndKeepsTheMap) {
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope(&messages);
    TCarnoGrid map;
    map.SetCells(1, 1, "0");
    map.SetCells(4, 4, "x");
    for (const std::string bad : {"1;2", "1,2a", "\t1", "+3", "1.5", "\xc3\xa9"}) {
        EXPECT_FALSE(AnalyzeWorkString(map, bad, "1")) << bad;
        EXPECT_TRUE(MintermsWith(map, "1").empty()) << bad;
    }
    EXPECT_EQ(map.Cells(1, 1), "0");
    EXPECT_EQ(map.Cells(4, 4), "x");
    ASSERT_EQ(messages.Shown().size(), 6u);
    EXPECT_EQ(messages.Shown()[0].text, "Invalid symbol in string.");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(messages.Shown()[0].buttons, platform::MsgButtons::Ok);
}

TEST(AnalyzeWorkString, WritesOnlyTheNamedCellsAndHiddenOnesSurvive) {
    TCarnoGrid map;
    map.SetVariableCount(5);
    map.SetCells(8, 4, "keep");  // hidden at 4 variables
    map.SetVariableCount(4);
    map.SetCells(2, 2, "0");
    AnalyzeWorkString(map, "13", "*");
    // n = 4: minterm 13 is row label 11 (row 3), column label 01 (column 2).
    EXPECT_EQ(map.Cells(2, 3), "*");
    EXPECT_EQ(map.Cells(2, 2), "0");
    EXPECT_EQ(map.Cells(8, 4), "keep");
}

TEST(AnalyzeWorkString, TextsLongerThan255CharactersAreReadWhole) {
    TCarnoGrid map;
    map.SetVariableCount(8);
    std::string text;
    for (int m = 0; m < 256; m += 2) text += std::to_string(m) + " , ";
    ASSERT_GT(text.size(), 600u);
    AnalyzeWorkString(map, text, "1");
    V even;
    for (int m = 0; m < 256; m += 2) even.push_back(m);
    EXPECT_EQ(MintermsWith(map, "1"), even);
}

TEST(MapToSets, RunsOfTwoStayApartLongerRunsBecomeRanges) {
    TCarnoGrid map;
    map.SetVariableCount(3);
    for (int m : {0, 1, 2, 3, 5, 6}) AnalyzeWorkString(map, std::to_string(m), "1");
    AnalyzeWorkString(map, "4", "0");
    AnalyzeWorkString(map, "7", "*");
    Sets s = Write(map);
    EXPECT_EQ(s.ones, "0-3,5,6");
    EXPECT_EQ(s.zeros, "4");
    EXPECT_EQ(s.dc, "7");

    map.FillCard("");
    AnalyzeWorkString(map, "4,5", "1");
    AnalyzeWorkString(map, "0-2", "0");
    s = Write(map);
    EXPECT_EQ(s.ones, "4,5");
    EXPECT_EQ(s.zeros, "0-2");
    EXPECT_EQ(s.dc, "");  // not "0"
    // Only the exact texts count; empty and other texts belong to no set.
    map.FillCard("");
    AnalyzeWorkString(map, "1", "10");
    AnalyzeWorkString(map, "2", "* ");
    s = Write(map);
    EXPECT_EQ(s.ones + s.zeros + s.dc, "");
}

TEST(MapToSets, ReadBackIntoAnEmptiedMapRestoresEveryValue) {
    std::mt19937 rng(4242);
    const char* values[] = {"1", "0", "*", ""};
    for (int trial = 0; trial < 200; ++trial) {
        const int n = 2 + trial % 7;
        TCarnoGrid map;
        map.SetVariableCount(n);
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, values[rng() % 4]);
        const Sets s = Write(map);

        TCarnoGrid back;
        back.SetVariableCount(n);
        AnalyzeWorkString(back, s.ones, "1");
        AnalyzeWorkString(back, s.zeros, "0");
        AnalyzeWorkString(back, s.dc, "*");
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r)
                ASSERT_EQ(back.Cells(c, r), map.Cells(c, r)) << "n=" << n << " trial " << trial;
    }
}

}  // namespace
