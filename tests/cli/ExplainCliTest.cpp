// mapwright-cli explain: the first minimal formula and the summary, the JSON object with its
// exact shape, and refusals with the exit status of analyze.

#include <gtest/gtest.h>

#include "cli/CliJson.h"

using testing_support::Cli;
using testing_support::CliRun;
using testing_support::Json;

TEST(ExplainCli, FirstMinimumThenTheComparisonAndTheCount) {
    CliRun r = Cli({"explain", "--ones", "0,1,4,8,10,12,14", "--dc", "5,9"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "|A*|C+A*|D\n"
              "The analysis gives 3 terms / 6 literals; the minimum is 2 terms / 4 literals.\n"
              "One minimal solution.\n");
    r = Cli({"explain", "--vars", "3", "--ones", "0,1,2,5,6,7"});
    EXPECT_EQ(
        r.out.substr(r.out.find('\n') + 1),
        "The analysis gives 3 terms / 6 literals: that is the minimum.\n2 minimal solutions.\n");
}

TEST(ExplainCli, JsonHasTheShapeAndTheIndicesPointAtThePrimes) {
    const CliRun r =
        Cli({"explain", "--vars", "3", "--ones", "0,1,2,5,6,7", "--max-solutions", "1", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject o = Json(r);
    EXPECT_EQ(o.keys(),
              (QStringList{"count_complete", "form", "gluing", "minimum", "primes", "proven",
                           "solution_count", "solutions", "time_limit", "variables"}));
    EXPECT_TRUE(o["proven"].toBool());
    EXPECT_FALSE(o["time_limit"].toBool());
    EXPECT_EQ(o["variables"].toInt(), 3);
    EXPECT_EQ(o["form"].toString(), "SOP");
    const QJsonArray primes = o["primes"].toArray();
    ASSERT_EQ(primes.size(), 6);
    EXPECT_EQ(primes[0].toObject().keys(),
              (QStringList{"essential", "literals", "minterms", "text"}));
    EXPECT_EQ(primes[0].toObject()["text"].toString(), "|A*|B");
    EXPECT_EQ(primes[0].toObject()["minterms"].toArray(), (QJsonArray{0, 1}));
    EXPECT_FALSE(primes[0].toObject()["essential"].toBool());
    EXPECT_EQ(o["minimum"].toObject()["terms"].toInt(), 3);
    EXPECT_EQ(o["minimum"].toObject()["literals"].toInt(), 6);
    const QJsonArray solutions = o["solutions"].toArray();
    ASSERT_EQ(solutions.size(), 1) << "--max-solutions 1 lists one";
    EXPECT_EQ(o["solution_count"].toInt(), 2) << "and counts them all";
    EXPECT_TRUE(o["count_complete"].toBool());
    QStringList texts;
    for (const QJsonValue& i : solutions[0].toObject()["primes"].toArray())
        texts << primes[i.toInt()].toObject()["text"].toString();
    EXPECT_EQ(texts.join('+'), solutions[0].toObject()["formula"].toString());
    EXPECT_EQ(o["gluing"].toObject().keys(), (QStringList{"formula", "literals", "terms"}));

    const QJsonObject pos =
        Json(Cli({"explain", "--pos", "--vars", "2", "--zeros", "0", "--json"}));
    EXPECT_EQ(pos["form"].toString(), "POS");
    EXPECT_EQ(pos["solutions"].toArray()[0].toObject()["formula"].toString(), "A+B");
    EXPECT_TRUE(pos["primes"].toArray()[0].toObject()["essential"].toBool());
}

TEST(ExplainCli, RefusalsAsAnalyze) {
    // Out of range, however many digits, says the range under the option's own name.
    for (const char* k : {"0", "2147483647", "99999999999999999999"}) {
        const CliRun r = Cli({"explain", "--max-solutions", k});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("--max-solutions must be from 1 to 1000000"), std::string::npos)
            << r.err;
        EXPECT_EQ(r.err.find("---"), std::string::npos) << r.err;
    }
    EXPECT_EQ(Cli({"explain", "--vars", "2", "--max-solutions", "0000000000001"}).status, 0);
    CliRun r = Cli({"explain", "--max-solutions", "many"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--max-solutions needs a whole number"), std::string::npos) << r.err;
    r = Cli({"explain", "--ones", "1,x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Invalid symbol in string."), std::string::npos) << r.err;
    r = Cli({"explain", "--vars", "2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 2), "0\n") << "no ones: the constant";
}

TEST(ExplainCli, HazardsOfTheFirstMinimumAndTheCoverWithout) {
    // |A*|C+A*|D leaves 0-8 and 4-12 to two terms; |C*|D holds both pairs.
    const std::vector<std::string> map{"explain", "--ones", "0,1,4,8,10,12,14", "--dc", "5,9"};
    std::vector<std::string> args = map;
    args.insert(args.end(), {"--hazards", "--json"});
    const QJsonObject o = Json(Cli(args));
    EXPECT_EQ(o["hazards"].toArray(), (QJsonArray{QJsonArray{0, 8}, QJsonArray{4, 12}}));
    const QJsonObject free = o["hazard_free"].toObject();
    EXPECT_EQ(free.keys(), (QStringList{"formula", "literals", "terms"}));
    EXPECT_EQ(free["formula"].toString(), "|A*|C+A*|D+|C*|D");
    EXPECT_EQ(free["terms"].toInt(), 3);
    EXPECT_EQ(free["literals"].toInt(), 6);
    EXPECT_FALSE(Json(Cli({"explain", "--vars", "2", "--json"})).contains("hazards"))
        << "only when asked";

    args = map;
    args.push_back("--hazards");
    const CliRun r = Cli(args);
    EXPECT_NE(
        r.out.find(
            "Static-1 hazards: no one term holds both of the neighbouring cells (0, 8), (4, 12).\n"
            "Hazard-free cover: |A*|C+A*|D+|C*|D (3 terms / 6 literals).\n"),
        std::string::npos)
        << r.out;
    // A product of sums: the 0 cells 0 and 1 in one sum, no hazard and nothing added.
    const QJsonObject pos =
        Json(Cli({"explain", "--pos", "--vars", "2", "--zeros", "0,1", "--hazards", "--json"}));
    EXPECT_EQ(pos["hazards"].toArray(), QJsonArray());
    EXPECT_EQ(pos["hazard_free"].toObject()["formula"].toString(), "A");
}
