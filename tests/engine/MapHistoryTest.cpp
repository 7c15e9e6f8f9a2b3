// Undo and redo of whole maps: a seeded random run of edits and commands, undone to the
// first map and redone to the last, and the rules for empty and nested steps.

#include <gtest/gtest.h>

#include <random>

#include "TempFolder.h"
#include "engine/CarnoGrid.h"
#include "engine/MapHistory.h"
#include "files/MapFile.h"
#include "input/Formula.h"
#include "input/Sets.h"
#include "platform/Message.h"

namespace {

class MapHistoryTest : public ::testing::Test {
  protected:
    platform::RecordingMessageSink sink;
    platform::ScopedMessageSink scope{&sink};
    testing_support::TempFolder folder;
    TCarnoGrid map;
    TMapHistory history;
};

const char* const kTexts[] = {"1", "0", "*", "", "x", "10"};

TEST_F(MapHistoryTest, RandomCommandsUndoToTheFirstMapAndRedoToTheLast) {
    // A saved 6-variable map with text far outside a 4-variable map, to load now and then.
    TCarnoGrid saved;
    saved.SetVariableCount(6);
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r) saved.SetCells(c, r, (c + r) % 3 ? "1" : "*");
    const std::string file = folder / "saved.km";
    ASSERT_TRUE(SaveToFile(saved, file));

    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return static_cast<int>(rng() % n); };
        map = TCarnoGrid();
        map.SetCells(20, 20, "hidden");  // beyond every map: only a load or its undo touches it
        history.Clear();
        std::vector<TMapState> states{map.State()};

        for (int step = 0; step < 120; ++step) {
            const bool changed = Recorded(history, map, [&] {
                switch (pick(9)) {
                    case 0:
                        map.SetCells(1 + pick(map.MapColumns()), 1 + pick(map.MapRows()),
                                     kTexts[pick(6)]);
                        break;
                    case 1:
                        map.FillCard(kTexts[pick(4)]);
                        break;
                    case 2:
                        map.Invert();
                        break;
                    case 3:
                        map.SetVariableCount(2 + pick(7));
                        break;
                    case 4:
                        AnalyzeWorkString(map,
                                          std::to_string(pick(16)) + "-" + std::to_string(pick(64)),
                                          kTexts[pick(3)]);
                        break;
                    case 5:
                        AnalyzeFormulaString(map, pick(2) ? "A*|B" : "|C+D");
                        break;
                    case 6:
                        LoadFromFile(map, file);
                        break;
                    case 7:
                        map.SetVarName(1 + pick(8), std::string(1, char('P' + pick(8))));
                        break;
                    default:  // a command made of commands: one step
                        map.FillCard("0");
                        Recorded(history, map, [&] { map.SetCells(1, 1, "1"); });
                        break;
                }
            });
            EXPECT_EQ(changed, !(map.State() == states.back()))
                << "a step exactly when the map changed";
            if (changed) states.push_back(map.State());
            ASSERT_EQ(states.size() - 1, static_cast<std::size_t>(history.UndoCount()));
        }
        ASSERT_GT(states.size(), 60u);
        ASSERT_EQ(history.UndoCount() + 1, static_cast<int>(states.size()));

        for (std::size_t k = states.size() - 1; k > 0; --k) {
            ASSERT_TRUE(history.Undo(map));
            ASSERT_TRUE(map.State() == states[k - 1]) << "after undoing step " << k;
        }
        EXPECT_FALSE(history.Undo(map));
        EXPECT_EQ(map.Cells(20, 20), "hidden");
        EXPECT_EQ(map.VariableCount(), 4);
        for (std::size_t k = 1; k < states.size(); ++k) {
            ASSERT_TRUE(history.Redo(map));
            ASSERT_TRUE(map.State() == states[k]) << "after redoing step " << k;
        }
        EXPECT_FALSE(history.Redo(map));
        // Geometry follows the restored count.
        EXPECT_EQ(map.MapColumns(), 1 << ((map.VariableCount() + 1) / 2));
    }
}

TEST_F(MapHistoryTest, FillAfterLoadIsUndoneWithItsHiddenCells) {
    TCarnoGrid saved;
    saved.SetVariableCount(8);
    saved.SetCells(16, 16, "1");
    const std::string file = folder / "eight.km";
    ASSERT_TRUE(SaveToFile(saved, file));
    map.SetCells(30, 30, "kept");
    Recorded(history, map, [&] { LoadFromFile(map, file); });
    Recorded(history, map, [&] { map.SetVariableCount(4); });
    Recorded(history, map, [&] { map.FillCard("0"); });  // hidden cells too
    EXPECT_EQ(map.Cells(16, 16), "0");
    ASSERT_TRUE(history.Undo(map));
    EXPECT_EQ(map.Cells(16, 16), "1");
    EXPECT_EQ(map.LoadedMark, 2);
    ASSERT_TRUE(history.Undo(map));
    EXPECT_EQ(map.VariableCount(), 8);
    ASSERT_TRUE(history.Undo(map));
    EXPECT_EQ(map.Cells(30, 30), "kept");
    EXPECT_EQ(map.Cells(16, 16), "");
    EXPECT_EQ(map.VariableCount(), 4);
    EXPECT_EQ(map.LoadedMark, 0);
}

TEST_F(MapHistoryTest, NoChangeNoStepAndANewStepDropsTheRedos) {
    EXPECT_FALSE(Recorded(history, map, [&] { map.Invert(); }));  // an empty map inverts to itself
    EXPECT_FALSE(Recorded(history, map, [&] { map.SetVariableCount(9); }));  // refused
    EXPECT_FALSE(history.CanUndo());
    Recorded(history, map, [&] { map.SetCells(1, 1, "1"); });
    Recorded(history, map, [&] { map.SetCells(2, 1, "1"); });
    ASSERT_TRUE(history.Undo(map));
    EXPECT_TRUE(history.CanRedo());
    Recorded(history, map, [&] { map.SetCells(3, 1, "0"); });
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoCount(), 2);
    ASSERT_TRUE(history.Undo(map));
    ASSERT_TRUE(history.Undo(map));
    EXPECT_EQ(map.Cells(1, 1), "");
    EXPECT_EQ(map.Cells(2, 1), "");
    // Texts of any length and byte survive the packing.
    const std::string odd = std::string(300, 'q') + std::string(1, '\0') + "\xff";
    Recorded(history, map, [&] { map.SetCells(32, 32, odd); });
    Recorded(history, map, [&] { map.SetCells(32, 32, ""); });
    ASSERT_TRUE(history.Undo(map));
    EXPECT_EQ(map.Cells(32, 32), odd);
}

}  // namespace
