#include <gtest/gtest.h>

#include "input/StringParcer.h"

namespace {

std::vector<std::string> Split(const std::string& text, char c = ',') {
    TStringParcer p;
    p.Text = text;
    p.Split(c);
    return p.Items;
}

TEST(StringParcer, SplitSkipsRunsOfSeparatorsAndTrimsNothing) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Split("1,,2"), (V{"1", "2"}));
    EXPECT_EQ(Split(",1,"), (V{"1"}));
    EXPECT_EQ(Split(",,,"), V{});
    EXPECT_EQ(Split("1, 2"), (V{"1", " 2"}));
    EXPECT_EQ(Split("A+B+C", '+'), (V{"A", "B", "C"}));
    // Long texts split like short ones.
    std::string longText;
    for (int i = 0; i < 1000; ++i) longText += std::to_string(i) + ",";
    const V items = Split(longText);
    ASSERT_EQ(items.size(), 1000u);
    EXPECT_EQ(items[999], "999");
}

TEST(StringParcer, EmptyTextKeepsTheItems) {
    TStringParcer p;
    p.Text = "a,b";
    p.Split(',');
    p.Text = "";
    p.Split(',');
    EXPECT_EQ(p.Count(), 2);
    EXPECT_EQ(p.Item(1), "b");
}

TEST(StringParcer, Join) {
    TStringParcer p;
    EXPECT_EQ(p.Join(","), "");
    p.Items = {"A"};
    EXPECT_EQ(p.Join(","), "A");
    p.Items = {"A", "B", "C"};
    EXPECT_EQ(p.Join(","), "A,B,C");
    EXPECT_EQ(p.Join(" + "), "A + B + C");
}

}  // namespace
