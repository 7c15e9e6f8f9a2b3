// File names that are not UTF-8 come back byte for byte through Qt's texts.

#include <gtest/gtest.h>

#include <random>

#include "platform/PathText.h"

TEST(PathText, AnyBytesComeBackAndUtf8ReadsAsItsCharacters) {
    EXPECT_EQ(platform::PathText("caf\xC3\xA9.csv"), QString::fromUtf8("caf\xC3\xA9.csv"));
    EXPECT_EQ(platform::PathText("\xF0\x9F\x99\x82"), QString::fromUtf8("\xF0\x9F\x99\x82"));
    const QString latin1 = platform::PathText("caf\xE9.csv");
    ASSERT_EQ(latin1.size(), 8);
    EXPECT_EQ(latin1[3].unicode(), 0xDCE9);
    EXPECT_NE(latin1, platform::PathText("caf\xEF\xBF\xBD.csv")) << "not the replacement mark";
    // Overlong forms, encoded surrogates and cut sequences are stray bytes too.
    for (const std::string bytes :
         {"caf\xE9.csv", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "a\xFF\xFE", "\xF5\x80\x80\x80"})
        EXPECT_EQ(platform::PathBytes(platform::PathText(bytes)), bytes);
    std::mt19937 random(18);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(1 + random() % 12, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 2 ? 0x80 + random() % 128 : 1 + random() % 127);
        EXPECT_EQ(platform::PathBytes(platform::PathText(bytes)), bytes);
    }
}
