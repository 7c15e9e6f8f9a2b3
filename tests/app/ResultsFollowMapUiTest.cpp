// What the result tree shows always belongs to the map on screen: a declined question leaves
// everything as it was, and any change of the map takes the old result away.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "app/OptionsForm.h"
#include "files/FunctionFile.h"
#include "files/MapFile.h"
#include "input/Input.h"
#include "input/InputUi.h"
#include "input/Input_Formula.h"
#include "input/TTableForm.h"
#include "input/TruthTable.h"

namespace {

class ResultsFollowMap : public InputUi {
  protected:
    // A map with a result shown and the report on.
    void AnalyzedMap() {
        form1->Grid.SetCells(1, 1, "1");
        form1->Grid.SetCells(2, 1, "1");
        Analyze();
        ASSERT_EQ(form1->TreeView->topLevelItemCount(), 1);
        ASSERT_GT(form1->Grid.ResultCount(), 0);
    }

    bool ResultShown() const {
        return form1->TreeView->topLevelItemCount() > 0 && form1->Grid.ResultCount() > 0;
    }

    bool ResultGone() const {
        return form1->TreeView->topLevelItemCount() == 0 && form1->Grid.ResultCount() == 0 &&
               form1->Grid.ResultFormula().empty() && !form1->Createreport1->isEnabled();
    }
};

TEST_F(ResultsFollowMap, CancelOnEveryFillPathLeavesMapResultAndHistoryAsTheyWere) {
    {
        TCarnoGrid other;
        other.SetVariableCount(3);
        other.FillCard("*");
        ASSERT_TRUE(SaveToFile(other, Path("other.km").toStdString()));
        ASSERT_TRUE(SaveToCsvFile(other, Path("other.csv").toStdString()));
    }
    StartProgram();
    AnalyzedMap();
    const TMapState analysed = form1->Grid.State();
    const int steps = form1->History.UndoCount();
    QApplication::clipboard()->setText("*\t*\n*\t*\n");

    auto accept = [&](QDialog* dialog, QPushButton* ok, const std::function<void()>& open) {
        WhileOpen(
            dialog, [&] { QTest::mouseClick(ok, Qt::LeftButton); }, open);
    };
    TInputFormula* formula = Windows().InputFormula;
    TInputForm* sets = Windows().InputForm;
    TTruthTableForm* table = Windows().TruthTableForm;
    const std::vector<std::pair<std::string, std::function<void()>>> paths = {
        {"One", [&] { form1->N110->trigger(); }},
        {"Zero", [&] { form1->N03->trigger(); }},
        {"Don't care", [&] { form1->N21->trigger(); }},
        {"Clear", [&] { form1->N24->trigger(); }},
        {"popup 1", [&] { form1->N01->trigger(); }},
        {"popup 0", [&] { form1->N02->trigger(); }},
        {"popup *", [&] { form1->N7->trigger(); }},
        {"button 1", [&] { form1->SpeedButton5->click(); }},
        {"button 0", [&] { form1->SpeedButton6->click(); }},
        {"button *", [&] { form1->SpeedButton7->click(); }},
        {"button clear", [&] { form1->SpeedButton8->click(); }},
        {"formula",
         [&] {
             WhileOpen(
                 formula,
                 [&] {
                     formula->ComboBox2->lineEdit()->setText("|A");
                     QTest::mouseClick(formula->BitBtn1, Qt::LeftButton);
                 },
                 [&] { form1->N22->trigger(); });
         }},
        {"sets",
         [&] {
             WhileOpen(
                 sets,
                 [&] {
                     Type(sets->ComboBox1, "0-15");
                     QTest::mouseClick(sets->BitBtn1, Qt::LeftButton);
                 },
                 [&] { form1->N23->trigger(); });
         }},
        {"truth table", [&] { accept(table, table->BitBtn1, [&] { form1->N28->trigger(); }); }},
        {"paste", [&] { form1->PasteCells1->trigger(); }},
        {"open map",
         [&] {
             dialogs.files.push_back({true, Path("other.km"), 1});
             form1->N18->trigger();
         }},
        {"open table", [&] { form1->OpenFile(Path("other.csv")); }},
    };
    for (const auto& [name, run] : paths) {
        // Opening a file first offers the changed map for saving: not saved.
        const bool opens = name.rfind("open", 0) == 0;
        messages.Clear();
        if (opens) messages.Plan(platform::MsgAnswer::No);
        messages.Plan(platform::MsgAnswer::Cancel);
        run();
        std::vector<std::string> asked{"Results of analyze will be lost, Continue?"};
        if (opens) asked.insert(asked.begin(), "Save the changes to the map?");
        EXPECT_EQ(messages.Texts(), asked) << name;
        EXPECT_TRUE(form1->Grid.State() == analysed) << name;
        EXPECT_TRUE(ResultShown()) << name;
        EXPECT_TRUE(form1->Createreport1->isEnabled()) << name;
        EXPECT_EQ(form1->History.UndoCount(), steps) << name;
        EXPECT_EQ(form1->SpinEdit1->value(), 4) << name;
    }
    EXPECT_FALSE(form1->RecentFiles().contains(QFileInfo(Path("other.csv")).absoluteFilePath()));

    // OK goes on: the fill happens and the old result goes with the question.
    messages.Clear();
    form1->N03->trigger();
    EXPECT_EQ(MapCells(), std::vector<std::string>(16, "0"));
    EXPECT_TRUE(ResultGone());
}

TEST_F(ResultsFollowMap, EveryChangeOfTheMapTakesTheOldResultAway) {
    StartProgram();
    struct Change {
        std::string name;
        std::function<void()> run;
    };
    TMapView* view = form1->CarnoGrid1;
    const std::vector<Change> changes = {
        {"typing a cell",
         [&] {
             view->setFocus();
             view->setCurrentIndex(view->model()->index(3, 3));
             QTest::keyClicks(view, "1");
         }},
        {"Delete",
         [&] {
             view->setFocus();
             view->selectionModel()->select(
                 QItemSelection(view->model()->index(0, 0), view->model()->index(0, 1)),
                 QItemSelectionModel::ClearAndSelect);
             QTest::keyClick(view, Qt::Key_Delete);
         }},
        {"invert", [&] { form1->Invert1->trigger(); }},
        {"fewer variables", [&] { form1->SpinEdit1->stepDown(); }},
        {"more variables", [&] { form1->SpinEdit1->stepUp(); }},
        {"undo", [&] { form1->Undo1->trigger(); }},
        {"variable names",
         [&] {
             WhileOpen(
                 options,
                 [&] {
                     options->Edit[0]->setText("X");
                     options->BitBtn1->click();
                 },
                 [&] { form1->SpeedButton10->click(); });
         }},
    };
    for (const Change& change : changes) {
        AnalyzedMap();
        const std::size_t shown = messages.Shown().size();
        change.run();
        EXPECT_TRUE(ResultGone()) << change.name;
        EXPECT_EQ(view->HighlightedTerm(), -1) << change.name;
        EXPECT_EQ(messages.Shown().size(), shown) << change.name << ": nothing to ask";
    }

    // The case seen on screen: terms in E to H listed for a map of four variables.
    form1->SpinEdit1->setValue(8);
    form1->Grid.SetCells(16, 16, "1");
    Analyze();
    ASSERT_NE(form1->Grid.ResultFormula().find('H'), std::string::npos);
    form1->SpinEdit1->setValue(4);
    EXPECT_TRUE(ResultGone());

    // Selecting a term of a fresh result still highlights it, and the analysis' own filling
    // of the empty cells keeps the result it makes.
    Analyze();
    EXPECT_TRUE(ResultShown());
    form1->TreeView->setCurrentItem(form1->TreeView->topLevelItem(0)->child(0));
    EXPECT_EQ(view->HighlightedTerm(), 0);
}

TEST_F(ResultsFollowMap, ClearReachesTheCellsThatComeBackWhenTheMapGrows) {
    StartProgram();
    form1->SpinEdit1->setValue(6);
    form1->N110->trigger();  // every cell of six variables 1
    form1->SpinEdit1->setValue(4);
    form1->SpeedButton8->click();  // Clear at four
    form1->SpinEdit1->setValue(6);
    EXPECT_EQ(MapCells(), std::vector<std::string>(64, ""));

    form1->N21->trigger();  // a fill at six holds at eight as well
    form1->SpinEdit1->setValue(8);
    EXPECT_EQ(MapCells(), std::vector<std::string>(256, "*"));
}

}  // namespace
