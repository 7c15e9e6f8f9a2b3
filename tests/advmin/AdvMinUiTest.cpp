// The advanced minimization tool driven as a person would, with the real core loaded through
// the class registry beside the program.

#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "AdvMinFixture.h"
#include "advmin/AdvMinimize.h"
#include "advmin/ocxint.h"

namespace {

TEST_F(AdvMin, StartsWithFourVariablesAndTheirLetters) {
    EXPECT_EQ(tool->windowTitle(), "Advanced Minimization Tool");
    EXPECT_EQ(tool->Spin->value(), 4);
    EXPECT_EQ(tool->Label5->text(), "[0..15]");
    ASSERT_EQ(tool->List->rowCount(), 4);
    EXPECT_EQ(tool->List->item(0, 0)->text(), "Var#1");
    EXPECT_EQ(tool->List->item(3, 1)->text(), "D");
    EXPECT_EQ(tool->PageControl1->tabPosition(), QTabWidget::South);
    // The exchange folder waits for the first use of the core.
    EXPECT_TRUE(QDir(Path("tmp")).isEmpty());
}

TEST_F(AdvMin, GoMinimizesTheListsWithTheCore) {
    tool->ComboBox1->setEditText("1,3,5-7");
    tool->ComboBox3->setEditText("2");
    tool->SpeedButton9->click();
    ExpectRootsImplement({1, 3, 5, 6, 7}, {2});
    EXPECT_EQ(tool->ComboBox1->findText("1,3,5-7"), 0);  // the text joins its history
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ExchangeFilePath())));

    // A letter stops the run with its message; the tree keeps the last result.
    const QString before = tool->TreeView->topLevelItem(0)->text(0);
    tool->ComboBox2->setEditText("4,x");
    tool->SpeedButton9->click();
    EXPECT_EQ(messages.Texts().back(), "Invalid symbol in string.");
    EXPECT_EQ(tool->TreeView->topLevelItem(0)->text(0), before);
}

// A cyclic function has two minimum covers: thorough lists both, quick gives its one cover.
TEST_F(AdvMin, EffortReachesTheCore) {
    EXPECT_EQ(tool->EffortBox->count(), 3);
    EXPECT_EQ(tool->EffortBox->currentIndex(), 1);
    tool->ComboBox1->setEditText("1-6,9-14");
    tool->SpeedButton9->click();
    EXPECT_EQ(tool->TreeView->topLevelItemCount(), 2);
    tool->EffortBox->setCurrentIndex(0);
    tool->SpeedButton9->click();
    EXPECT_EQ(tool->TreeView->topLevelItemCount(), 1);
    ExpectRootsImplement({1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14}, {});
    tool->EffortBox->setCurrentIndex(2);
    tool->SpeedButton9->click();
    EXPECT_EQ(tool->TreeView->topLevelItemCount(), 2);
}

TEST_F(AdvMin, OpeningAFileWithMoreVariablesAddsTheirRows) {
    QFile f(Path("f.bf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Boolean Function]\nVarCount=8\n1=0-3,200\n0=\n*=255\n");
    f.close();
    dialogs.files.push_back({true, Path("f.bf"), 1});
    tool->SpeedButton1->click();
    EXPECT_EQ(tool->Spin->value(), 8);
    ASSERT_EQ(tool->List->rowCount(), 8);
    EXPECT_EQ(tool->List->item(4, 0)->text(), "Var#5");
    EXPECT_EQ(tool->List->item(7, 1)->text(), "H");
    EXPECT_EQ(tool->Label5->text(), "[0..255]");
    EXPECT_EQ(tool->ComboBox1->currentText(), "0-3,200");
    EXPECT_EQ(VarNames[7], "H");

    // Saved back: the same section.
    dialogs.files.push_back({true, Path("g.bf"), 1});
    tool->SpeedButton2->click();
    QFile g(Path("g.bf"));
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_EQ(g.readAll(), "[Boolean Function]\nVarCount=8\n1=0-3,200\n0=\n*=255\n");
}

TEST_F(AdvMin, LongListsFromAFileAreKeptWhole) {
    // Every even number of 16 variables: far past the 32,767 characters of a plain box.
    QByteArray ones;
    for (int m = 0; m < 65536; m += 2) ones += (m ? "," : "") + QByteArray::number(m);
    ASSERT_GT(ones.size(), 100000);
    QFile f(Path("long.bf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Boolean Function]\nVarCount=16\n1=" + ones + "\n0=\n*=\n");
    f.close();
    dialogs.files.push_back({true, Path("long.bf"), 1});
    tool->SpeedButton1->click();
    EXPECT_EQ(tool->ComboBox1->currentText().size(), ones.size());
    EXPECT_TRUE(tool->ComboBox1->currentText().endsWith(",65534"));
}

TEST_F(AdvMin, VhdlPageShowsTheSelectedResultOnly) {
    tool->ComboBox1->setEditText("1,3,5,7");
    tool->SpeedButton9->click();
    QTreeWidgetItem* root = tool->TreeView->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    tool->TreeView->setCurrentItem(root);
    tool->SpeedButton4->click();
    EXPECT_EQ(tool->PageControl1->currentIndex(), 1);
    const QString text = tool->vhdlcode->toPlainText();
    EXPECT_TRUE(text.contains("entity  Boolean_Function  is"));
    EXPECT_TRUE(text.contains("      D: in std_logic;"));
    tool->PageControl1->setCurrentIndex(0);
    EXPECT_TRUE(tool->vhdlcode->toPlainText().isEmpty());

    dialogs.files.push_back({true, Path("f.vhd"), 1});
    tool->PageControl1->setCurrentIndex(1);
    tool->SpeedButton5->click();
    EXPECT_TRUE(QFile::exists(Path("f.vhd")));
    tool->SpeedButton6->click();
    EXPECT_EQ(QApplication::clipboard()->text(), text);
}

TEST_F(AdvMin, VerilogPageBesideTheVhdlPage) {
    tool->ComboBox1->setEditText("1,3,5,7");
    tool->SpeedButton9->click();
    QTreeWidgetItem* root = tool->TreeView->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    // Go selects the first result: its code is shown without a line of the tree chosen.
    EXPECT_EQ(tool->TreeView->currentItem(), root);
    tool->TreeView->clearSelection();
    tool->TreeView->setCurrentItem(nullptr);
    tool->SpeedButton7->click();
    EXPECT_EQ(tool->PageControl1->currentIndex(), 2);
    const QString text = tool->verilogcode->toPlainText();
    EXPECT_TRUE(text.contains("module Boolean_Function ("));
    EXPECT_TRUE(text.contains("    input  wire D,"));
    EXPECT_TRUE(text.contains("  assign F = ~A & D;")) << text.toStdString();
    dialogs.files.push_back({true, Path("f.v"), 1});
    tool->SpeedButton8->click();
    EXPECT_TRUE(QFile::exists(Path("f.v")));
    tool->SpeedButton10->click();
    EXPECT_EQ(QApplication::clipboard()->text(), text);
    tool->PageControl1->setCurrentIndex(1);
    EXPECT_TRUE(tool->verilogcode->toPlainText().isEmpty());

    // A name Verilog refuses is said and no text is shown.
    tool->List->item(0, 1)->setText("wire");
    tool->PageControl1->setCurrentIndex(2);
    EXPECT_TRUE(tool->verilogcode->toPlainText().isEmpty());
    EXPECT_EQ(messages.Texts().back(), "The name \"wire\" is a Verilog keyword.");
}

// A large file is read while the window turns its events, and the tree of the function it
// replaces goes.
TEST_F(AdvMin, OpeningAFileKeepsTheWindowLiveAndClearsTheTree) {
    tool->ComboBox1->setEditText("1,3,5,7");
    tool->SpeedButton9->click();
    ASSERT_GT(tool->TreeView->topLevelItemCount(), 0);
    QByteArray ones;
    for (int m = 0; m < (1 << 18); m += 2) ones += (m ? "," : "") + QByteArray::number(m);
    QFile f(Path("large.bf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Boolean Function]\nVarCount=18\n1=" + ones + "\n0=\n*=\n");
    f.close();
    bool wasRunning = false;
    QString said;
    QTimer::singleShot(0, tool, [&] {
        wasRunning = tool->Running();
        said = tool->Label9->text();
    });
    dialogs.files.push_back({true, Path("large.bf"), 1});
    tool->SpeedButton1->click();
    EXPECT_TRUE(wasRunning);
    EXPECT_TRUE(said.startsWith("Reading the file...")) << said.toStdString();
    EXPECT_EQ(tool->Spin->value(), 18);
    EXPECT_EQ(tool->ComboBox1->currentText().size(), ones.size());
    EXPECT_EQ(tool->TreeView->topLevelItemCount(), 0);
    EXPECT_FALSE(tool->Running());

    // A refused file leaves everything as it was, and says why once the reading is over.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[Boolean Function]\nVarCount=40\n1=0\n0=\n*=\n");
    f.close();
    dialogs.files.push_back({true, Path("large.bf"), 1});
    tool->SpeedButton1->click();
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(), "Invalid number of variables");
    EXPECT_EQ(tool->Spin->value(), 18);
    EXPECT_EQ(tool->ComboBox1->currentText().size(), ones.size());
}

TEST_F(AdvMin, OpensEveryOutputOfAPla) {
    QFile file(Path("f.pla"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(".i 5\n.o 2\n.ilb p q r s t\n.ob y z\n.type fr\n00000 10\n1---- 01\n01--- 00\n.e\n");
    file.close();
    dialogs.files.push_back({true, Path("f.pla"), 2});
    tool->SpeedButton1->click();
    ASSERT_EQ(tool->OutputList->count(), 2);
    EXPECT_EQ(tool->OutputList->item(0)->text(), "y");
    EXPECT_EQ(tool->OutputList->item(1)->text(), "z");
    EXPECT_EQ(tool->ComboBox1->currentText(), "0");
    tool->OutputList->setCurrentRow(1);
    EXPECT_EQ(tool->Spin->value(), 5);
    EXPECT_EQ(tool->List->rowCount(), 5);
    EXPECT_EQ(tool->List->item(4, 1)->text(), "t");
    EXPECT_EQ(tool->ComboBox1->currentText(), "16-31");
    EXPECT_EQ(tool->ComboBox2->currentText(), "0,8-15");
    EXPECT_EQ(tool->ComboBox3->currentText(), "1-7") << "what no row names is a don't care in fr";

    // Too few inputs for the tool: said, and the lists stay.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(".i 3\n.o 1\n111 1\n.e\n");
    file.close();
    dialogs.files.push_back({true, Path("f.pla"), 2});
    tool->SpeedButton1->click();
    EXPECT_EQ(messages.Texts().back(), "The advanced tool takes PLAs of 4 to 999 inputs.");
    EXPECT_EQ(tool->Spin->value(), 5);
}

TEST_F(AdvMin, ANameThatWouldNotReadBackStopsTheRun) {
    tool->List->item(1, 1)->setText("B*C");
    tool->ComboBox1->setEditText("1");
    tool->SpeedButton9->click();
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0].rfind("Invalid variable name: \"B*C\"\n", 0), 0u)
        << messages.Texts()[0];
    EXPECT_EQ(tool->TreeView->topLevelItemCount(), 0);
}

TEST_F(AdvMin, AMissingCoreIsReportedAndTheTreeKept) {
    QFile::remove(Path("classes.reg"));
    tool->ComboBox1->setEditText("1");
    tool->SpeedButton9->click();
    EXPECT_FALSE(messages.Texts().empty());
    EXPECT_EQ(tool->TreeView->topLevelItemCount(), 0);
}

}  // namespace
