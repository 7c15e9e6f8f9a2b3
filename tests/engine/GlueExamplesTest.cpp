// The minimizer's documented results: same terms, same order.

#include <gtest/gtest.h>

#include "MapHelpers.h"
#include "engine/CarnoGrid.h"
#include "platform/Message.h"

using testing_support::FillMinterms;

namespace {

struct Analysis {
    std::string root;
    std::vector<std::string> terms;
};

Analysis Analyze(TCarnoGrid& map, TGlueMethod method = gmDNF) {
    MemoryResultTree tree;
    map.TreeView = &tree;
    map.GlueMethod = method;
    map.Test();
    map.TreeView = nullptr;
    if (tree.roots.empty()) return {"<no tree>", {}};
    return {tree.roots[0].text, tree.roots[0].children};
}

void FillAll(TCarnoGrid& map, const std::string& text) {
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, text);
}

using Terms = std::vector<std::string>;

TEST(GlueExamples, ConstantMaps) {
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    TCarnoGrid map;

    FillAll(map, "0");
    Analysis a = Analyze(map);
    EXPECT_EQ(a.root, "");
    EXPECT_TRUE(a.terms.empty());
    EXPECT_EQ(map.ResultFormula(), "");

    FillAll(map, "1");
    a = Analyze(map);
    EXPECT_EQ(a.root, "1");
    EXPECT_EQ(a.terms, Terms{"1"});
    ASSERT_EQ(map.ResultCount(), 1);
    EXPECT_EQ(map.ResultList()[0].Count, 16);

    FillAll(map, "0");
    a = Analyze(map, gmKNF);
    EXPECT_EQ(a.root, "0");
    EXPECT_EQ(a.terms, Terms{"0"});

    FillAll(map, "*");
    a = Analyze(map);
    EXPECT_EQ(a.root, "");
    EXPECT_TRUE(a.terms.empty());

    map.SetVariableCount(7);
    FillAll(map, "1");
    a = Analyze(map);
    EXPECT_EQ(a.root, "1");
    ASSERT_EQ(map.ResultCount(), 1);
    EXPECT_EQ(map.ResultList()[0].Count, 128);
    EXPECT_TRUE(sink.Shown().empty());
}

TEST(GlueExamples, EightVariablesAllOnesMissesTheSixteenAxisPairs) {
    TCarnoGrid map;
    map.SetVariableCount(8);
    FillAll(map, "1");
    const Analysis a = Analyze(map);
    EXPECT_EQ(a.terms, (Terms{"B*F", "|B*F", "B*|F", "|B*|F"}));
    EXPECT_EQ(a.root, "B*F+|B*F+B*|F+|B*|F");
    for (const TGroupLevel& level : map.LevelList())
        if (level.Size > 64) {
            EXPECT_TRUE(level.Groups.empty()) << "level " << level.Size;
        }
}

TEST(GlueExamples, SmallMaps) {
    TCarnoGrid map;
    map.SetVariableCount(2);
    FillAll(map, "0");
    map.SetCells(1, 1, "1");
    map.SetCells(2, 1, "1");
    EXPECT_EQ(Analyze(map).terms, Terms{"|A"});

    map.SetVariableCount(4);
    FillAll(map, "0");
    map.SetCells(1, 1, "1");
    Analysis a = Analyze(map);
    EXPECT_EQ(a.root, "|A*|B*|C*|D");
    EXPECT_EQ(a.terms, Terms{"|A*|B*|C*|D"});
}

TEST(GlueExamples, OneSidedPairsAreCleanedBySubsetPruning) {
    TCarnoGrid map;
    map.SetVariableCount(5);
    FillAll(map, "0");
    map.SetCells(1, 1, "1");
    map.SetCells(4, 1, "1");
    map.Glue();
    ASSERT_EQ(map.LevelList()[0].Groups.size(), 1u);  // column 4 reaches nothing
    EXPECT_EQ(map.LevelList()[0].Groups[0].Cells[0].Col, 4);
    EXPECT_EQ(map.LevelList()[1].Groups.size(), 1u);
    EXPECT_EQ(map.ResultFormula(), "|A*|B*|C*|E");

    map.SetVariableCount(7);
    FillAll(map, "0");
    map.SetCells(2, 1, "1");
    map.SetCells(7, 1, "1");
    map.Glue();
    EXPECT_TRUE(map.LevelList()[1].Groups.empty());
    ASSERT_EQ(map.ResultCount(), 2);
    EXPECT_EQ(map.ResultFormula(), "|A*|B*|C*|D*|E*|F*G+|A*|B*|C*|D*E*|F*G");
}

TEST(GlueExamples, SingleCellForcesEveryLevelIntoSelection) {
    TCarnoGrid map;
    FillAll(map, "0");
    map.SetCells(1, 1, "1");
    for (int c = 3; c <= 4; ++c)
        for (int r = 3; r <= 4; ++r) map.SetCells(c, r, "1");
    EXPECT_EQ(Analyze(map).root, "A*C+|A*|B*|C*|D");
}

TEST(GlueExamples, MintermExamples) {
    TCarnoGrid map;
    FillMinterms(map, {0, 1, 2, 5, 8, 9, 10});
    EXPECT_EQ(Analyze(map).root, "|B*|D+|B*|C+|A*|C*D");
    EXPECT_EQ(Analyze(map, gmKNF).root, "|C+|D*|A+|B*|B+D");

    FillMinterms(map, {1, 3, 7, 11, 15}, {0, 2, 5});
    EXPECT_EQ(Analyze(map).root, "C*D+|A*D");

    FillMinterms(map, {0, 1, 4, 8, 10, 12, 14}, {5, 9});
    const Analysis a = Analyze(map);
    EXPECT_EQ(a.root, "A*|D+|C*|D+|B*|C");
    EXPECT_EQ(a.terms, (Terms{"A*|D", "|C*|D", "|B*|C"}));
}

}  // namespace
