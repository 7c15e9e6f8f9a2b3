// The gluing minimizer beyond its documented examples: the one-way glue test, the progress
// figures and tree texts, term queries, and properties over many seeded random maps.

#include <gtest/gtest.h>

#include <random>

#include "GlueReference.h"
#include "MapHelpers.h"
#include "engine/CarnoGrid.h"
#include "platform/Message.h"

namespace {

TGroup Group(std::initializer_list<std::pair<int, int>> cells) {
    TGroup g;
    for (auto [c, r] : cells) g.Cells.push_back({std::uint8_t(c), std::uint8_t(r), 0});
    g.Count = std::uint16_t(g.Cells.size());
    return g;
}

// Random texts over the visible map; weights for "1", "0", "*" and empty.
void FillRandom(TCarnoGrid& map, std::mt19937& rng, std::array<int, 4> weights) {
    std::discrete_distribution<int> pick(weights.begin(), weights.end());
    static const char* texts[] = {"1", "0", "*", ""};
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, texts[pick(rng)]);
}

std::array<int, 4> RandomWeights(std::mt19937& rng) {
    std::uniform_int_distribution<int> w(0, 10);
    std::array<int, 4> weights{w(rng), w(rng), w(rng), w(rng)};
    if (weights[0] + weights[1] + weights[2] + weights[3] == 0) weights[0] = 1;
    return weights;
}

TEST(CanGlue, IsOneWayAndAcceptsHalvesOfTheMap) {
    TCarnoGrid map;
    map.SetVariableCount(5);  // 8 columns, 4 rows
    // Column 4 does not reach column 1 from its side, column 1 reaches column 4.
    EXPECT_TRUE(map.CanGlue(Group({{1, 1}, {1, 2}}), Group({{4, 1}, {4, 2}})));
    EXPECT_FALSE(map.CanGlue(Group({{4, 1}, {4, 2}}), Group({{1, 1}, {1, 2}})));
    // Diagonal groups: no cell of g1 has a neighbour in g2.
    EXPECT_FALSE(map.CanGlue(Group({{1, 1}, {2, 1}}), Group({{2, 2}, {3, 2}})));
    // Overlapping groups: a shared position does not count as a neighbour.
    EXPECT_FALSE(map.CanGlue(Group({{1, 1}, {2, 1}}), Group({{2, 1}, {3, 1}})));

    map.SetVariableCount(2);
    // Two disjoint halves of the whole map glue even without matching neighbours.
    EXPECT_TRUE(map.CanGlue(Group({{1, 1}, {2, 2}}), Group({{2, 1}, {1, 2}})));
    // The same positions: nothing matched, nothing disjoint.
    EXPECT_FALSE(map.CanGlue(Group({{1, 1}, {2, 2}}), Group({{2, 2}, {1, 1}})));
}

TEST(Glue, ProgressFiguresAndTreeTexts) {
    TCarnoGrid map;
    MemoryProgress progress;
    MemoryResultTree tree;
    map.Progress = &progress;
    map.TreeView = &tree;
    testing_support::FillMinterms(map, {0, 1, 2, 5, 8, 9, 10});
    progress.SetPosition(0);
    map.Test();
    // C x R, then T x T with T = 7 ones.
    EXPECT_EQ(progress.Max(), 16 + 49);
    EXPECT_EQ(progress.Position(), progress.Max());
    ASSERT_EQ(tree.roots.size(), 1u);
    EXPECT_EQ(tree.roots[0].text, map.ResultFormula());
    EXPECT_EQ(tree.roots[0].children, (std::vector<std::string>{"|B*|D", "|B*|C", "|A*|C*D"}));

    // Test adds to the tree; clearing it is the caller's affair.
    map.Test();
    EXPECT_EQ(tree.roots.size(), 2u);
}

TEST(Glue, TestStopsAtInvalidCellsWithoutTouchingResults) {
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope(&sink);
    TCarnoGrid map;
    MemoryResultTree tree;
    map.TreeView = &tree;
    testing_support::FillMinterms(map, {0, 1});
    map.Glue();
    const std::string before = map.ResultFormula();
    map.SetCells(3, 2, "x");
    EXPECT_FALSE(map.Test());
    EXPECT_TRUE(tree.roots.empty());
    EXPECT_EQ(map.ResultFormula(), before);
    EXPECT_TRUE(sink.Texts().empty());
}

TEST(Glue, TermQueriesFollowResultOrder) {
    TCarnoGrid map;
    testing_support::FillMinterms(map, {0, 1, 2, 5, 8, 9, 10});
    map.Glue();
    ASSERT_EQ(map.ResultCount(), 3);
    // Term 2 is |A*|C*D: minterms 1 and 5.
    for (int m = 0; m < 16; ++m) {
        const TCellPos p = map.PositionOfMinterm(m);
        EXPECT_EQ(map.IsCellOfTerm(2, p.Col, p.Row), m == 1 || m == 5) << m;
    }
    EXPECT_FALSE(map.IsCellOfTerm(3, 1, 1));
    EXPECT_FALSE(map.IsCellOfTerm(-1, 1, 1));
    // A later change of the variable count keeps the result and its positions.
    map.SetVariableCount(2);
    EXPECT_EQ(map.ResultCount(), 3);
    EXPECT_TRUE(map.IsCellOfTerm(2, 2, 1));
}

TEST(Glue, MatchesTheLiteralStepsOnRandomMaps) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 440; ++round) {
        TCarnoGrid map;
        map.GlueMethod = round % 2 ? gmKNF : gmDNF;
        if (round < 400) {
            map.SetVariableCount(2 + round % 5);
            FillRandom(map, rng, RandomWeights(rng));
        } else {  // sparse large maps keep the literal steps affordable
            map.SetVariableCount(7 + round % 2);
            FillRandom(map, rng, {1, 1, 1, 0});
            for (int c = 1; c <= map.MapColumns(); ++c)
                for (int r = 1; r <= map.MapRows(); ++r)
                    if (rng() % 4) map.SetCells(c, r, map.GlueMethod == gmKNF ? "1" : "0");
        }
        const reference::Result expected = reference::Glue(map);
        map.Glue();
        ASSERT_EQ(map.ResultFormula(), expected.formula) << "round " << round;
        ASSERT_EQ(map.ResultList().size(), expected.groups.size());
        for (std::size_t k = 0; k < expected.groups.size(); ++k) {
            const auto& a = map.ResultList()[k].Cells;
            const auto& b = expected.groups[k].Cells;
            ASSERT_EQ(a.size(), b.size());
            for (std::size_t i = 0; i < a.size(); ++i)
                ASSERT_TRUE(a[i].Col == b[i].Col && a[i].Row == b[i].Row && a[i].Code == b[i].Code)
                    << "round " << round << " group " << k << " cell " << i;
        }
    }
}

TEST(Glue, ResultEqualsTheFunctionOnEveryCaredForMinterm) {
    std::mt19937 rng(7);
    MemoryResultTree tree;
    for (int round = 0; round < 700; ++round) {
        TCarnoGrid map;
        map.TreeView = &tree;
        map.SetVariableCount(2 + round % 7);
        map.GlueMethod = round % 3 == 2 ? gmKNF : gmDNF;
        FillRandom(map, rng, RandomWeights(rng));
        tree.Clear();
        map.Test();
        ASSERT_EQ(tree.roots.size(), 1u);
        const std::string formula = tree.roots[0].text;
        const bool pos = map.GlueMethod == gmKNF;
        for (int m = 0; m < (1 << map.VariableCount()); ++m) {
            const TCellPos p = map.PositionOfMinterm(m);
            const std::string t = map.Cells(p.Col, p.Row);
            if (t == "*") continue;
            // An empty cell counts as the value the form does not cover.
            const bool expected = t == "1" || (t.empty() && pos);
            ASSERT_EQ(testing_support::Evaluate(map, formula, pos, m), expected)
                << "round " << round << " n=" << map.VariableCount() << (pos ? " POS " : " SOP ")
                << formula << " minterm " << m;
        }
    }
}

}  // namespace
