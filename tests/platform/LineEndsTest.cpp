// Lines in and out: the one splitter the readers share, and CR LF written back.

#include <gtest/gtest.h>

#include "platform/LineEnds.h"

namespace {

using Lines = std::vector<std::string_view>;

TEST(LineEnds, SplitAtLfWithTheCrBeforeItPartOfTheEnd) {
    EXPECT_EQ(platform::SplitLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    // A final line end opens no empty line; blank lines inside stay.
    EXPECT_EQ(platform::SplitLines("a\n\n\r\nb\r\n"), (Lines{"a", "", "", "b"}));
    EXPECT_EQ(platform::SplitLines("a\r"), (Lines{"a"}));
    // A CR alone inside a line is the line's own.
    EXPECT_EQ(platform::SplitLines("a\rb\n"), (Lines{"a\rb"}));
    EXPECT_TRUE(platform::SplitLines("").empty());
    // Where a CR alone ends a line, CR, LF and CR LF read alike.
    EXPECT_EQ(platform::SplitLines("a\rb\nc\r\nd\r", platform::LoneCr::EndsLine),
              (Lines{"a", "b", "c", "d"}));

    EXPECT_TRUE(platform::HasCrLfLineEnds("a\nb\r\n"));
    EXPECT_TRUE(platform::HasCrLfLineEnds("a\r"));
    EXPECT_FALSE(platform::HasCrLfLineEnds("a\rb\nc\n"));
}

TEST(LineEnds, SplitLinesReadsBackWhatCrLfWrote) {
    for (const std::string text : {"x\ny", "x\r\ny\r\n", "\n\nz", "one"}) {
        const std::string written = platform::WithCrLfLineEnds(text);
        std::string joined;
        for (const std::string_view line : platform::SplitLines(written))
            joined += std::string(line) + "\r\n";
        EXPECT_EQ(joined, written) << text;
    }
}

}  // namespace
