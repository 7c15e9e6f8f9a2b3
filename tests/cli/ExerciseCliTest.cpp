// mapwright-cli exercise: the JSON a class is given, the same map for the same seed, the
// answer only when asked for, and refusals.

#include <gtest/gtest.h>

#include "cli/CliJson.h"

using testing_support::Cli;
using testing_support::CliRun;
using testing_support::Json;

TEST(ExerciseCli, JsonOfASeededMapThatAnalyzeReads) {
    const std::vector<std::string> args{"exercise", "--vars",       "4",      "--seed",
                                        "12",       "--difficulty", "cyclic", "--json"};
    const CliRun r = Cli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject o = Json(r);
    EXPECT_EQ(o.keys(), (QStringList{"difficulty", "seed", "table", "variables"}));
    EXPECT_EQ(o["variables"].toInt(), 4);
    EXPECT_EQ(o["seed"].toInt(), 12);
    EXPECT_EQ(o["difficulty"].toString(), "cyclic");
    EXPECT_EQ(Cli(args).out, r.out) << "the same seed, the same map";
    const std::string table = o["table"].toString().toStdString();
    // The table goes straight back in, and the solution asked for is one of its minima.
    const CliRun explained = Cli({"explain", "--vars", "4", "--table", table, "--json"});
    ASSERT_EQ(explained.status, 0) << explained.err;
    const QJsonObject e = Json(explained);
    const CliRun solved = Cli({"exercise", "--vars", "4", "--seed", "12", "--difficulty", "cyclic",
                               "--solution", "--json"});
    const QString solution = Json(solved)["solution"].toString();
    const CliRun check = Cli(
        {"check", "--vars", "4", "--table", table, "--answer", solution.toStdString(), "--json"});
    EXPECT_TRUE(Json(check)["minimal"].toBool()) << solution.toStdString();
    EXPECT_EQ(Cli({"exercise", "--seed", "12"}).out.find("solution"), std::string::npos);
}

TEST(ExerciseCli, Refusals) {
    EXPECT_EQ(Cli({"exercise", "--vars", "9"}).status, 2);
    EXPECT_EQ(Cli({"exercise", "--difficulty", "hard"}).status, 2);
    const CliRun r =
        Cli({"exercise", "--vars", "2", "--difficulty", "cyclic", "--dont-cares", "0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no cyclic map of 2 variables"), std::string::npos) << r.err;
}
