// The teaching parts of the main window: "Check my answer" with its field under the map, the
// student's loops and wrong cells on the map; File > New exercise with its seed shown, the
// answer hidden, and a worksheet written from the dialog.

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "MapHelpers.h"
#include "app/UiFixture.h"
#include "engine/MapView.h"
#include "explain/CheckBar.h"
#include "explain/Exercise.h"
#include "explain/ExerciseDialog.h"
#include "explain/ExplainPanel.h"
#include "explain/LoopOverlay.h"
#include "explain/Loops.h"
#include "platform/QtColour.h"

namespace {

using TeachingUi = UiFixture;

// Pixels of the overlay drawn in about this colour.
int PixelsOf(QWidget* overlay, QColor colour) {
    const QImage image = overlay->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && std::abs(c.red() - colour.red()) < 40 &&
                std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40)
                ++n;
        }
    return n;
}

TEST_F(TeachingUi, AWrongTextbookAnswerIsMarkedOnTheMapInItsOwnColour) {
    StartProgram();
    testing_support::FillMinterms(form1->Grid, {0, 1, 4, 8, 10, 12, 14}, {5, 9});
    form1->CarnoGrid1->Refresh();
    TCheckBar* bar = form1->CheckBar;
    EXPECT_FALSE(bar->isVisible());
    form1->CheckAnswer1->trigger();
    ASSERT_TRUE(bar->isVisible()) << "the field shows under the map";
    EXPECT_EQ(bar->Verdict->count(), 0) << "nothing typed: nothing checked";

    bar->Answer->setText(
        "A\xCC\x84"
        "C\xCC\x84 + AB\xCC\x85"
        "D\xCC\x85 + A'BC'");
    form1->CheckAnswer1->trigger();
    ASSERT_GT(bar->Verdict->count(), 3);
    EXPECT_EQ(bar->Verdict->item(0)->text(), "The answer does not give the function of the map.");
    EXPECT_EQ(bar->Verdict->item(1)->text(), "It is 0 in cells 12, 14, where the map holds 1.");
    TLoopOverlay* student = bar->StudentLoops();
    EXPECT_EQ(student->LoopCount(), 3);
    EXPECT_EQ(student->MarkedCount(), 2);
    const QColor own = platform::ToQColor(explain::kStudentLoopColour);
    EXPECT_GT(PixelsOf(student, own), 20) << "the student's loops in their own colour";
    EXPECT_GT(PixelsOf(student, platform::ToQColor(explain::kWrongCellColour)), 20)
        << "the wrong cells crossed out";
    EXPECT_EQ(PixelsOf(form1->ExplainPanel->Loops(), own), 0);

    // A right answer typed after it: no wrong cells left.
    bar->Answer->setText("AD' + A'C'");
    QTest::keyClick(bar->Answer, Qt::Key_Return);
    EXPECT_EQ(bar->Verdict->item(0)->text(), "The answer gives the function of the map.");
    EXPECT_EQ(student->MarkedCount(), 0);

    // An edit of the map makes the verdict stale.
    MapModel& model = form1->CarnoGrid1->Model();
    model.setData(model.index(0, 0), "0", Qt::EditRole);
    EXPECT_EQ(bar->Verdict->count(), 0);
    EXPECT_EQ(student->LoopCount(), 0);

    bar->Answer->setText("A+Q");
    bar->CheckButton->click();
    ASSERT_EQ(bar->Verdict->count(), 1);
    EXPECT_EQ(bar->Verdict->item(0)->text(), "No variable of the map is named at position 3.");
    EXPECT_TRUE(messages.Texts().empty()) << "a misread answer is said in the field's list";
}

TEST_F(TeachingUi, NewExerciseShowsTheSeedHidesTheAnswerAndWritesAWorksheet) {
    StartProgram();
    form1->N35->trigger();  // the panel is open: the exercise must close it
    QTimer::singleShot(0, [this] {
        TExerciseDialog* d = form1->ExerciseDialog;
        ASSERT_NE(d, nullptr);
        d->Vars->setValue(4);
        d->Level->setCurrentIndex(1);  // a cyclic core
        d->Seed->setValue(7);
        d->accept();
    });
    form1->NewExercise1->trigger();

    explain::ExerciseSettings settings;
    settings.vars = 4;
    settings.difficulty = explain::Difficulty::Cyclic;
    settings.seed = 7;
    const auto expected = explain::MakeExercise(settings);
    ASSERT_TRUE(expected.has_value());
    ASSERT_EQ(form1->Grid.VariableCount(), 4);
    EXPECT_EQ(form1->SpinEdit1->value(), 4);
    for (std::size_t m = 0; m < expected->table.size(); ++m) {
        const TCellPos p = form1->Grid.PositionOfMinterm(static_cast<int>(m));
        EXPECT_EQ(form1->Grid.Cells(p.Col, p.Row), std::string(1, expected->table[m])) << m;
    }
    EXPECT_TRUE(form1->CheckBar->isVisible());
    EXPECT_TRUE(form1->CheckBar->ExerciseLine->text().contains("seed 7"));
    EXPECT_FALSE(form1->DockExplain->isVisible()) << "the answer stays hidden";
    EXPECT_EQ(form1->TreeView->topLevelItemCount(), 0);

    // The same settings carry over; the worksheet goes where the file dialog says.
    const QString sheet = Path("sheet.html");
    dialogs.files.push_back({true, sheet, 2});
    QTimer::singleShot(0, [this] {
        TExerciseDialog* d = form1->ExerciseDialog;
        EXPECT_EQ(d->Seed->value(), 7);
        d->Count->setValue(3);
        d->WorksheetButton->click();
        d->reject();
    });
    form1->NewExercise1->trigger();
    QFile file(sheet);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains("Exercise 3"));
    EXPECT_TRUE(html.contains("Solution 3"));
    EXPECT_EQ(form1->Grid.VariableCount(), 4) << "a cancelled dialog leaves the map";
}

}  // namespace
