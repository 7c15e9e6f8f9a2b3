// The main window driven as a person would: menu actions, buttons, shortcuts, the result tree.

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "UiFixture.h"
#include "engine/MapView.h"
#include "files/MapFile.h"

namespace {

using MainWindow = UiFixture;

std::vector<std::string> Texts(QTreeWidget* tree) {
    std::vector<std::string> out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* root = tree->topLevelItem(i);
        out.push_back(root->text(0).toStdString());
        for (int k = 0; k < root->childCount(); ++k)
            out.push_back("  " + root->child(k)->text(0).toStdString());
    }
    return out;
}

TEST_F(MainWindow, StartsWithAFourVariableMapAndEveryComponentNamed) {
    StartProgram();
    EXPECT_EQ(form1->windowTitle(), "Mapwright");
    EXPECT_GE(form1->width(), 600);
    EXPECT_EQ(form1->Grid.VariableCount(), 4);
    EXPECT_EQ(form1->SpinEdit1->value(), 4);
    EXPECT_EQ(form1->SpinEdit1->minimum(), 2);
    EXPECT_EQ(form1->SpinEdit1->maximum(), 8);
    EXPECT_EQ(form1->CarnoGrid1->toolTip(), "Variables: A B \\ C D ");
    EXPECT_FALSE(form1->Createreport1->isEnabled());
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(form1->Grid.VarName(i), std::string(1, char('A' + i - 1)));
    for (const char* name :
         {"CarnoGrid1", "Splitter1", "Panel2", "Panel1", "Panel6", "Panel4", "SpinEdit1", "Label1",
          "Panel5", "TreeView", "ProgressBar", "StatusBar1", "MainMenu1"})
        EXPECT_NE(form1->findChild<QWidget*>(name), nullptr) << name;
    for (const char* name : {"N18",
                             "N5",
                             "N19",
                             "N110",
                             "N03",
                             "N21",
                             "N22",
                             "N23",
                             "N28",
                             "N34",
                             "N25",
                             "Invert1",
                             "N24",
                             "N32",
                             "N26",
                             "N27",
                             "N13",
                             "Createreport1",
                             "Cretecircuit1",
                             "Advancedminimizer1",
                             "N16",
                             "tipoftheday",
                             "N30",
                             "N17",
                             "N01",
                             "N02",
                             "N7",
                             "N9",
                             "N8",
                             "N29",
                             "N2",
                             "N3",
                             "N33",
                             "InvertMap1",
                             "N4",
                             "N14",
                             "N200"})
        EXPECT_NE(form1->findChild<QAction*>(name), nullptr) << name;
    // Tool buttons left to right, the fill block small.
    std::vector<std::pair<int, QString>> order;
    for (QToolButton* b : form1->Panel6->findChildren<QToolButton*>())
        order.push_back({b->mapTo(form1->Panel6, QPoint(0, 0)).x() * 100 +
                             b->mapTo(form1->Panel6, QPoint(0, 0)).y(),
                         b->objectName()});
    std::sort(order.begin(), order.end());
    QStringList names;
    for (auto& [pos, name] : order) names << name;
    EXPECT_EQ(
        names.join(',').toStdString(),
        "SpeedButton1,SpeedButton2,SpeedButton3,SpeedButton4,SpeedButton11,SpeedButton5,"
        "SpeedButton6,SpeedButton7,SpeedButton8,SpeedButton9,SpeedButton12,SpeedButton10,UndoButton,RedoButton");
    EXPECT_EQ(form1->SpeedButton5->size(), QSize(17, 17));
    EXPECT_EQ(form1->SpeedButton9->size(), QSize(33, 33));
    EXPECT_EQ(form1->SpeedButton9->text(), "Go");
    EXPECT_EQ(form1->N25->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(form1->N19->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F4));
}

TEST_F(MainWindow, AnalyzeFromMenuButtonAndShortcutAlike) {
    StartProgram();
    form1->Grid.SetCells(1, 1, "1");
    const std::vector<std::string> expected{"|A*|B*|C*|D", "  |A*|B*|C*|D"};

    form1->N25->trigger();
    EXPECT_EQ(Texts(form1->TreeView), expected);
    EXPECT_EQ(form1->Grid.Cells(2, 2), "0");  // empty cells took the value the form does not cover
    EXPECT_TRUE(form1->Createreport1->isEnabled());
    EXPECT_EQ(form1->ProgressBar->value(), 0);

    QTest::mouseClick(form1->SpeedButton9, Qt::LeftButton);
    EXPECT_EQ(Texts(form1->TreeView), expected);  // the second run starts from an empty tree

    form1->TreeView->clear();
    QTest::keyClick(form1->CarnoGrid1, Qt::Key_F5);
    EXPECT_EQ(Texts(form1->TreeView), expected);
}

TEST_F(MainWindow, ProductOfSumsFillsEmptyCellsWithOne) {
    StartProgram();
    options->RadioButton2->setChecked(true);
    form1->Grid.SetCells(1, 1, "0");
    form1->BitBtn3Click();
    EXPECT_EQ(Texts(form1->TreeView), (std::vector<std::string>{"A+B+C+D", "  A+B+C+D"}));
    EXPECT_EQ(form1->Grid.Cells(4, 4), "1");
}

TEST_F(MainWindow, CreateReportFollowsWhetherTheResultMatchesTheMap) {
    StartProgram();
    QAction* report = form1->Createreport1;
    auto analyzed = [&] {
        form1->BitBtn3Click();
        return report->isEnabled();
    };
    ASSERT_TRUE(analyzed());
    form1->N24->trigger();  // Clear, with its question answered OK
    EXPECT_FALSE(report->isEnabled());
    for (QAction* fill : {form1->N110, form1->N03, form1->N21, form1->N01, form1->N02, form1->N7}) {
        ASSERT_TRUE(analyzed());
        fill->trigger();
        EXPECT_FALSE(report->isEnabled()) << fill->objectName().toStdString();
    }
    for (QToolButton* fill :
         {form1->SpeedButton5, form1->SpeedButton6, form1->SpeedButton7, form1->SpeedButton8}) {
        ASSERT_TRUE(analyzed());
        QTest::mouseClick(fill, Qt::LeftButton);
        EXPECT_FALSE(report->isEnabled()) << fill->objectName().toStdString();
    }
    ASSERT_TRUE(analyzed());
    form1->InvertMap1->trigger();  // the result was of the map before
    EXPECT_FALSE(report->isEnabled());
    EXPECT_EQ(form1->TreeView->topLevelItemCount(), 0);

    ASSERT_TRUE(analyzed());
    form1->SpinEdit1->stepUp();
    EXPECT_FALSE(report->isEnabled());
    EXPECT_EQ(form1->CarnoGrid1->toolTip(), "Variables: A B \\ C D E ");

    // A map the check refuses is no result to report; the message names the cell.
    form1->Grid.SetCells(2, 1, "x");
    EXPECT_FALSE(analyzed());
    EXPECT_EQ(messages.Texts().back(), "Invalid data in cell.\nMinterm 1, cell code 00001: \"x\"");
    EXPECT_EQ(form1->CarnoGrid1->currentIndex(), form1->CarnoGrid1->model()->index(0, 1));
    EXPECT_EQ(form1->TreeView->topLevelItemCount(), 0);
}

TEST_F(MainWindow, SelectingTermsHighlightsAndTheFormulaNodeRemovesIt) {
    StartProgram();
    form1->Grid.SetCells(1, 1, "1");
    form1->Grid.SetCells(4, 4, "1");
    form1->BitBtn3Click();
    QTreeWidgetItem* root = form1->TreeView->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 2);
    form1->TreeView->setCurrentItem(root->child(1));
    EXPECT_EQ(form1->CarnoGrid1->HighlightedTerm(), 1);
    EXPECT_TRUE(root->isExpanded());
    form1->TreeView->setCurrentItem(root);
    EXPECT_EQ(form1->CarnoGrid1->HighlightedTerm(), -1);
}

TEST_F(MainWindow, CloseAsksWhenAskBeforeExitIsChecked) {
    StartProgram();
    ASSERT_TRUE(options->askbox->isChecked());
    messages.Plan(platform::MsgAnswer::No);
    EXPECT_FALSE(form1->close());
    EXPECT_EQ(messages.Texts().back(), "Do you really want to quit?");
    EXPECT_EQ(messages.Shown().back().buttons, platform::MsgButtons::YesNo);
    EXPECT_TRUE(form1->isVisible());
    messages.Plan(platform::MsgAnswer::Yes);
    EXPECT_TRUE(form1->close());

    StartProgram();
    options->askbox->setChecked(false);
    const std::size_t before = messages.Shown().size();
    EXPECT_TRUE(form1->close());
    EXPECT_EQ(messages.Shown().size(), before);
}

TEST_F(MainWindow, DeleteEmptiesTheSelectedRectangleOnly) {
    StartProgram();
    form1->SpeedButton2Click();
    TMapView* view = form1->CarnoGrid1;
    view->setFocus();
    const QModelIndex topLeft = view->model()->index(0, 1),
                      bottomRight = view->model()->index(3, 2);
    view->selectionModel()->select(QItemSelection(topLeft, bottomRight),
                                   QItemSelectionModel::ClearAndSelect);
    view->setCurrentIndex(topLeft);
    view->selectionModel()->select(QItemSelection(topLeft, bottomRight),
                                   QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(view, Qt::Key_Delete);
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 4; ++r)
            EXPECT_EQ(form1->Grid.Cells(c, r), (c == 2 || c == 3) ? "" : "1") << c << r;
}

TEST_F(MainWindow, CommandLineMapIsLoadedBeforeTheWindowShows) {
    {
        TCarnoGrid map;
        map.SetVariableCount(6);
        map.SetCells(8, 8, "1");
        ASSERT_TRUE(SaveToFile(map, Path("start.km").toStdString()));
    }
    StartProgram({Path("start.km"), "ignored-second-argument"});
    EXPECT_EQ(form1->Grid.VariableCount(), 6);
    EXPECT_EQ(form1->SpinEdit1->value(), 6);
    EXPECT_EQ(form1->Grid.Cells(8, 8), "1");
    EXPECT_EQ(form1->CarnoGrid1->model()->columnCount(), 8);
    EXPECT_EQ(form1->CarnoGrid1->toolTip(), "Variables: A B C \\ D E F ");
}

TEST_F(MainWindow, OpenAndSaveAsThroughTheirDialogs) {
    StartProgram();
    form1->Grid.SetCells(2, 3, "*");
    // Without a settings file the proposed names start at Map0, and cancelling moves them on.
    form1->BitBtn2Click();
    dialogs.files.push_back({true, Path("first.km"), 1});
    form1->SpeedButton2->click();
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[0].proposedName, "Map0");
    EXPECT_EQ(dialogs.asked[1].proposedName, "Map1");
    EXPECT_EQ(dialogs.asked[1].title, "Save As...");
    EXPECT_EQ(QFileInfo(Path("first.km")).size(), 12 + 16);

    // Replacing asks; No writes nothing.
    options->BitSave->setChecked(true);
    dialogs.files.push_back({true, Path("first.km"), 1});
    messages.Plan(platform::MsgAnswer::No);
    form1->N5->trigger();
    EXPECT_EQ(messages.Texts().back(), "This file already exist, replace ?");
    EXPECT_EQ(QFileInfo(Path("first.km")).size(), 12 + 16);
    dialogs.files.push_back({true, Path("first.km"), 1});
    form1->N5->trigger();  // Yes: packed now
    EXPECT_EQ(QFileInfo(Path("first.km")).size(), 12 + 4);

    // The second and third kinds: the HTML page and the Boolean function file.
    dialogs.files.push_back({true, Path("page.htm"), 2});
    form1->N5->trigger();
    QFile page(Path("page.htm"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().startsWith("<HTML>\r\n"));
    dialogs.files.push_back({true, Path("function.bf"), 3});
    form1->N5->trigger();
    QFile function(Path("function.bf"));
    ASSERT_TRUE(function.open(QIODevice::ReadOnly));
    EXPECT_TRUE(function.readAll().startsWith("[Boolean Function]"));

    form1->SpeedButton3Click();
    form1->SpinEdit1->setValue(2);
    dialogs.files.push_back({true, Path("first.km"), 1});
    form1->N18->trigger();
    EXPECT_EQ(dialogs.asked.back().title, "Open Map");
    EXPECT_EQ(form1->SpinEdit1->value(), 4);
    EXPECT_EQ(form1->Grid.Cells(2, 3), "*");
    EXPECT_EQ(form1->Grid.Cells(1, 1), "0");
}

TEST_F(MainWindow, ColourAndFontCommandsKeepTheOldValueOnCancel) {
    StartProgram();
    const std::uint32_t before = form1->Grid.TermColor;
    form1->N27->trigger();
    EXPECT_EQ(form1->Grid.TermColor, before);
    dialogs.colorAccepted = true;
    dialogs.color = QColor(0x11, 0x22, 0x33);
    form1->N2->trigger();
    EXPECT_EQ(form1->Grid.TermColor, 0x332211u);

    dialogs.fontAccepted = true;
    dialogs.font = QFont("DejaVu Sans", 14);
    form1->N26->trigger();
    EXPECT_EQ(form1->CarnoGrid1->font().pointSize(), 10);  // the map shows at most 10 points
    form1->N4->trigger();
    EXPECT_EQ(form1->TreeView->font().pointSize(), 14);
}

TEST_F(MainWindow, HelpWithoutItsViewerSaysSo) {
    StartProgram();
    form1->N16->trigger();
    EXPECT_EQ(messages.Texts().back(), "Can't open help file.");
}

}  // namespace
