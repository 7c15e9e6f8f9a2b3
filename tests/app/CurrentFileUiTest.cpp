// The map's own file: Save writes it, the caption names it and marks unsaved changes, and no
// change is thrown away unasked by Open, New, closing or Exit.

#include <QAction>
#include <QCheckBox>
#include <QSpinBox>

#include "UiFixture.h"
#include "files/FunctionFile.h"
#include "files/MapFile.h"

namespace {

using platform::MsgAnswer;

class CurrentFile : public UiFixture {
  protected:
    TCarnoGrid Read(const QString& name) {
        TCarnoGrid map;
        const std::string path = Path(name).toStdString();
        EXPECT_TRUE(name.endsWith(".csv") ? LoadFromCsvFile(map, path) : LoadFromFile(map, path));
        return map;
    }
};

TEST_F(CurrentFile, SaveWritesTheFileOfTheMapAndTheCaptionFollows) {
    StartProgram();
    EXPECT_EQ(form1->windowTitle(), "Mapwright");
    form1->N110->trigger();
    EXPECT_EQ(form1->windowTitle(), "*Mapwright");
    EXPECT_TRUE(form1->Modified());

    // A map of no file asks for one, as Save as does.
    dialogs.files.push_back({true, Path("a.km"), 1});
    form1->Save1->trigger();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(form1->windowTitle(), "a.km - Mapwright");
    EXPECT_FALSE(form1->Modified());

    form1->N03->trigger();
    EXPECT_EQ(form1->windowTitle(), "*a.km - Mapwright");
    form1->Save1->trigger();
    EXPECT_EQ(dialogs.asked.size(), 1u) << "the same file, no dialog";
    EXPECT_EQ(Read("a.km").Cells(2, 2), "0");
    EXPECT_EQ(form1->windowTitle(), "a.km - Mapwright");
    // Taking the change back is no change.
    form1->N110->trigger();
    form1->Undo1->trigger();
    EXPECT_EQ(form1->windowTitle(), "a.km - Mapwright");

    // A CSV table opened is saved back as a CSV table.
    {
        TCarnoGrid three;
        three.SetVariableCount(3);
        three.FillCard("1");
        ASSERT_TRUE(SaveToCsvFile(three, Path("t.csv").toStdString()));
    }
    ASSERT_TRUE(form1->OpenFile(Path("t.csv")));
    EXPECT_EQ(form1->windowTitle(), "t.csv - Mapwright");
    form1->N21->trigger();
    form1->Save1->trigger();
    const TCarnoGrid back = Read("t.csv");
    EXPECT_EQ(back.VariableCount(), 3);
    EXPECT_EQ(back.Cells(1, 1), "*");
}

TEST_F(CurrentFile, SaveAndNewHaveKeysNoOtherCommandUses) {
    StartProgram();
    for (QAction* own : {form1->Save1, form1->New1}) {
        ASSERT_FALSE(own->shortcut().isEmpty());
        for (QAction* action : form1->findChildren<QAction*>()) {
            if (action == own) continue;
            EXPECT_FALSE(action->shortcuts().contains(own->shortcut()))
                << action->objectName().toStdString();
        }
    }
}

TEST_F(CurrentFile, UnsavedChangesAreOfferedBeforeOpenNewCloseAndExit) {
    {
        TCarnoGrid other;
        other.SetVariableCount(2);
        ASSERT_TRUE(SaveToFile(other, Path("other.km").toStdString()));
    }
    StartProgram();
    options->askbox->setChecked(false);
    dialogs.files.push_back({true, Path("mine.km"), 1});
    form1->N5->trigger();
    form1->N110->trigger();
    const TMapState changed = form1->Grid.State();

    // Cancel: nothing is opened, emptied or closed.
    messages.Clear();
    messages.Plan(MsgAnswer::Cancel);
    EXPECT_FALSE(form1->OpenFile(Path("other.km")));
    ASSERT_EQ(messages.Texts(), std::vector<std::string>{"Save the changes to mine.km?"});
    EXPECT_EQ(messages.Shown()[0].buttons, platform::MsgButtons::YesNoCancel);
    messages.Plan(MsgAnswer::Cancel);
    form1->New1->trigger();
    messages.Plan(MsgAnswer::Cancel);
    EXPECT_FALSE(form1->close());
    messages.Plan(MsgAnswer::Cancel);
    form1->N19->trigger();  // Exit
    EXPECT_EQ(messages.Shown().size(), 4u);
    EXPECT_TRUE(form1->Grid.State() == changed);
    EXPECT_TRUE(form1->isVisible());

    // Yes saves first, then New empties the map and leaves the file.
    messages.Plan(MsgAnswer::Yes);
    form1->New1->trigger();
    EXPECT_EQ(Read("mine.km").Cells(1, 1), "1");
    EXPECT_EQ(form1->Grid.Cells(1, 1), "");
    EXPECT_EQ(form1->Grid.VariableCount(), 4);
    EXPECT_EQ(form1->windowTitle(), "Mapwright");

    // No opens without saving; an unchanged map asks nothing.
    form1->N03->trigger();
    messages.Clear();
    messages.Plan(MsgAnswer::No);
    EXPECT_TRUE(form1->OpenFile(Path("other.km")));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Save the changes to the map?"});
    EXPECT_EQ(form1->SpinEdit1->value(), 2);
    EXPECT_TRUE(form1->close());
    EXPECT_EQ(messages.Shown().size(), 1u);
}

}  // namespace
