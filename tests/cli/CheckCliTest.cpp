// mapwright-cli check: the sentences in their order for a wrong textbook answer, the JSON a
// grader reads, and refusals.

#include <gtest/gtest.h>

#include "cli/CliJson.h"

using testing_support::Cli;
using testing_support::CliRun;
using testing_support::Json;

TEST(CheckCli, AWrongTextbookAnswerIsToldInOrder) {
    const CliRun r = Cli({"check", "--ones", "0,1,4,8,10,12,14", "--dc", "5,9", "--answer",
                          "A\xCC\x84"
                          "C\xCC\x84 + AB\xCC\x85"
                          "D\xCC\x85 + A'BC'"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "The answer does not give the function of the map.\n"
              "It is 0 in cells 12, 14, where the map holds 1.\n"
              "Every term is an implicant.\n"
              "Term 2 (A*|B*|D) is not prime: it lies inside the larger loop A*|D.\n"
              "Term 3 (|A*B*|C) is not prime: it lies inside the larger loop |A*|C.\n"
              "Term 3 (|A*B*|C) is redundant: its cells are covered by Term 1 (|A*|C).\n"
              "The answer has 3 terms / 8 literals; the minimum is 2 terms / 4 literals.\n"
              "A minimal solution close to yours: |A*|C+A*|D\n");
    const CliRun right =
        Cli({"check", "--ones", "0,1,4,8,10,12,14", "--dc", "5,9", "--answer", "AD' + A'C'"});
    EXPECT_EQ(
        right.out.substr(right.out.rfind("The")),
        "The answer is minimal: 2 terms / 4 literals.\n"
        "Static-1 hazards: no one term holds both of the neighbouring cells (0, 8), (4, 12).\n");
}

TEST(CheckCli, JsonForGraders) {
    const CliRun r = Cli({"check", "--vars", "3", "--pos", "--zeros", "0,1,2", "--answer",
                          "(A+B)(A+C)(A+B+C')", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject o = Json(r);
    EXPECT_EQ(o.keys(), (QStringList{"answer", "closest", "equal", "extra", "minimal", "minimum",
                                     "missing", "terms"}));
    EXPECT_TRUE(o["equal"].toBool());
    EXPECT_FALSE(o["minimal"].toBool());
    EXPECT_EQ(o["missing"].toArray(), QJsonArray());
    const QJsonArray terms = o["terms"].toArray();
    ASSERT_EQ(terms.size(), 3);
    EXPECT_EQ(terms[2].toObject()["text"].toString(), "A+B+|C");
    EXPECT_FALSE(terms[2].toObject()["prime"].toBool());
    EXPECT_TRUE(terms[2].toObject()["redundant"].toBool());
    EXPECT_EQ(terms[2].toObject()["covered_by"].toArray(), QJsonArray({0}));
    EXPECT_EQ(o["answer"].toObject()["literals"].toInt(), 7);
    EXPECT_EQ(o["minimum"].toObject()["terms"].toInt(), 2);
    EXPECT_EQ(o["closest"].toString(), "A+B*A+C");

    const QJsonObject wrong =
        Json(Cli({"check", "--vars", "2", "--ones", "1,2", "--answer", "A+B", "--json"}));
    EXPECT_EQ(wrong["extra"].toArray(), QJsonArray({3}));
    EXPECT_FALSE(wrong["terms"].toArray()[0].toObject()["implicant"].toBool());
}

TEST(CheckCli, Refusals) {
    EXPECT_EQ(Cli({"check", "--vars", "2"}).status, 2) << "no answer";
    CliRun r = Cli({"check", "--vars", "2", "--answer", "A+Q"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No variable of the map is named at position 3."), std::string::npos)
        << r.err;
    r = Cli({"check", "--vars", "2", "--ones", "1,x", "--answer", "A"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Invalid symbol in string."), std::string::npos) << r.err;
}
