// The Edit menu, typing a map from the keyboard and the status bar, driven as a person would.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "UiFixture.h"
#include "engine/MapView.h"
#include "files/MapFile.h"

namespace {

using Edit = UiFixture;

void Shortcut(QWidget* target, QKeySequence keys) {
    QTest::keySequence(target, keys);
    QApplication::processEvents();
}

TEST_F(Edit, EveryMapCommandIsOneStepUndoneAndRedoneByMenuKeysAndButtons) {
    StartProgram();
    TCarnoGrid& grid = form1->Grid;
    EXPECT_FALSE(form1->Undo1->isEnabled());
    EXPECT_FALSE(form1->RedoButton->isEnabled());

    grid.SetCells(7, 1, "hidden");  // a column a 4-variable map does not show
    const TMapState withHidden = grid.State();
    form1->SpeedButton2Click();  // fill with 1
    form1->InvertMap1Click();
    form1->SpinEdit1->setValue(5);
    form1->SpeedButton1Click();  // fill with 0 at 5 variables overwrites the hidden column
    EXPECT_EQ(grid.Cells(7, 1), "0");
    EXPECT_EQ(form1->History.UndoCount(), 4);

    Shortcut(form1, QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(grid.Cells(7, 1), "1") << "the fill at four variables reached the hidden column";
    EXPECT_EQ(grid.Cells(1, 1), "0");
    form1->Undo1->trigger();  // the variable count comes back, with the spin box
    EXPECT_EQ(grid.VariableCount(), 4);
    EXPECT_EQ(form1->SpinEdit1->value(), 4);
    EXPECT_EQ(form1->CarnoGrid1->model()->columnCount(), 4);
    form1->UndoButton->click();
    form1->UndoButton->click();
    EXPECT_TRUE(grid.State() == withHidden);
    EXPECT_FALSE(form1->Undo1->isEnabled());

    Shortcut(form1, QKeySequence(Qt::CTRL | Qt::Key_Y));
    Shortcut(form1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    form1->RedoButton->click();
    form1->Redo1->trigger();
    EXPECT_EQ(grid.VariableCount(), 5);
    EXPECT_EQ(grid.Cells(7, 1), "0");
    EXPECT_FALSE(form1->Redo1->isEnabled());
}

TEST_F(Edit, TheDesignedQuestionIsStillAskedAndTheTreeIsNotPartOfTheHistory) {
    StartProgram();
    form1->Grid.SetCells(1, 1, "1");
    form1->BitBtn3Click();  // analysis: the empty cells become 0, a step of its own
    ASSERT_EQ(form1->TreeView->topLevelItemCount(), 1);
    EXPECT_TRUE(form1->Createreport1->isEnabled());
    messages.Plan(platform::MsgAnswer::Cancel);
    form1->SpeedButton3Click();  // fill with *, declined: no step
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "Results of analyze will be lost, Continue?");
    EXPECT_EQ(form1->History.UndoCount(), 1);
    form1->Undo1->trigger();
    EXPECT_EQ(form1->Grid.Cells(1, 1), "1");
    EXPECT_EQ(form1->Grid.Cells(2, 2), "") << "the analysis filled the empty cells";
    EXPECT_EQ(form1->TreeView->topLevelItemCount(), 0) << "the result was of the filled map";
    EXPECT_FALSE(form1->Createreport1->isEnabled());
}

TEST_F(Edit, TypingDeletePasteLoadAndDialogFillsAreSteps) {
    {
        TCarnoGrid saved;
        saved.SetVariableCount(2);
        saved.SetCells(2, 2, "1");
        ASSERT_TRUE(SaveToFile(saved, Path("two.km").toStdString()));
    }
    StartProgram();
    TMapView* view = form1->CarnoGrid1;
    view->setFocus();
    view->setCurrentIndex(view->model()->index(0, 0));
    // 1, 0, * and blank set the cell and move on, across the row and to the next.
    QTest::keyClicks(view, "10*1");
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(form1->Grid.Cells(1, 1), "1");
    EXPECT_EQ(form1->Grid.Cells(2, 1), "0");
    EXPECT_EQ(form1->Grid.Cells(3, 1), "*");
    EXPECT_EQ(form1->Grid.Cells(4, 1), "1");
    EXPECT_EQ(form1->Grid.Cells(1, 2), "");
    EXPECT_EQ(view->currentIndex(), view->model()->index(1, 1));
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(view->currentIndex(), view->model()->index(0, 2));
    EXPECT_EQ(form1->History.UndoCount(), 4) << "the blank on an empty cell changed nothing";

    form1->CopyasText1->trigger();  // the whole map with its labels
    view->selectionModel()->select(
        QItemSelection(view->model()->index(0, 0), view->model()->index(0, 3)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(form1->Grid.Cells(3, 1), "");
    form1->PasteCells1->trigger();  // labelled text goes back in place of the whole map: one step
    EXPECT_EQ(form1->Grid.Cells(3, 1), "*");
    EXPECT_EQ(form1->Grid.Cells(4, 1), "1");
    QApplication::clipboard()->setText("1\tq\n");
    form1->PasteCells1->trigger();  // refused whole: no step, nothing changed
    EXPECT_EQ(form1->Grid.Cells(1, 1), "1");

    dialogs.files.push_back({true, Path("two.km"), 1});
    form1->BitBtn1Click();
    EXPECT_EQ(form1->Grid.VariableCount(), 2);
    const int steps = form1->History.UndoCount();
    EXPECT_EQ(steps, 7);
    for (int k = 0; k < steps; ++k) form1->Undo1->trigger();
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 4; ++r) EXPECT_EQ(form1->Grid.Cells(c, r), "") << c << r;
    EXPECT_EQ(form1->SpinEdit1->value(), 4);
}

TEST_F(Edit, StatusBarNamesTheCellUnderTheMouseAndCountsTheMap) {
    StartProgram();
    form1->SpinEdit1->setValue(4);
    form1->SpeedButton2Click();
    form1->Grid.SetCells(2, 3, "0");
    form1->Grid.SetCells(1, 1, "*");
    form1->Grid.SetCells(4, 4, "");
    form1->InvertMap1Click();  // 1 <-> 0; counts follow the command
    EXPECT_EQ(form1->CountStatus->text(), "Ones: 1  Zeros: 13  Don't cares: 1  Empty: 1");
    TMapView* view = form1->CarnoGrid1;
    // Row 3 (label 11) and column 2 (label 01): code 1101, minterm 13.
    const QRect cell = view->visualRect(view->model()->index(2, 1));
    QTest::mouseMove(view->viewport(), cell.center());
    EXPECT_EQ(form1->CellStatus->text(), "Minterm 13, cell code 1101");
    form1->SpinEdit1->setValue(3);
    EXPECT_EQ(form1->CountStatus->text(), "Ones: 0  Zeros: 7  Don't cares: 1  Empty: 0");
}

}  // namespace
