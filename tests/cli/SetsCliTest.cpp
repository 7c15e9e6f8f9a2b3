// mapwright-cli sets: the map filled as analyze fills it, written out as three sets texts.

#include <gtest/gtest.h>

#include "cli/CliRun.h"

namespace {

using testing_support::Cli;
using testing_support::CliRun;

TEST(SetsCli, PrintsTheThreeSetsOfTheFilledMap) {
    CliRun r = Cli({"sets", "--vars", "3", "--ones", "0-3, 5,6", "--zeros", "4", "--dc", "7"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1: 0-3,5,6\n0: 4\n*: 7\n");
    // The table first, then the lists; numbers beyond the map are skipped.
    r = Cli({"sets", "--vars", "2", "--table", "1-0*", "--ones", "1,9", "--dc", "2-1"});
    EXPECT_EQ(r.out, "1: 0\n0:\n*: 1-3\n");
}

TEST(SetsCli, BadInputExitsOneWithTheProgramsMessage) {
    CliRun r = Cli({"sets", "--ones", "1;2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Invalid symbol in string.\n");
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(Cli({"sets", "--vars", "9"}).status, 1);
    EXPECT_EQ(Cli({"sets", "--formula", "A"}).status, 2);  // not an option of sets
    EXPECT_EQ(Cli({"sets", "stray"}).status, 2);
    EXPECT_NE(Cli({"sets", "--help"}).out.find("usage: mapwright-cli sets"), std::string::npos);
}

}  // namespace
