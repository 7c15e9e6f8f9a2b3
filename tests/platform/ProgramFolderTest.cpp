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

}  // namespace
