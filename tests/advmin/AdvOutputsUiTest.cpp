// The advanced tool with several functions: the list of outputs, their results with the
// shared products marked, their files, VHDL and Verilog with a port per output, the circuit of
// any one of them; and a run that stays live and can be cancelled.

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include "AdvMinFixture.h"
#include "circuit/CircuitForm.h"
#include "files/Pla.h"
#include "ui/FormulaView.h"

namespace {

const std::vector<std::string> kAbcd = {"A", "B", "C", "D"};

// f1 = A*B + |C*D, f2 = A*B + C*D over A..D: A*B is worth sharing. f3 has a don't care.
void FillThree(TAdvMin* tool) {
    tool->ComboBox1->setEditText("1,5,9,12-15");
    tool->SpeedButton11->click();
    tool->ComboBox1->setEditText("3,7,11-15");
    tool->SpeedButton11->click();
    tool->ComboBox1->setEditText("0");
    tool->ComboBox3->setEditText("1");
}

class AdvOutputs : public AdvMin {
  protected:
    // Each output's root against its lists (ones; everything else 0 but the don't cares).
    void ExpectOutputs(const std::vector<std::vector<int>>& ones,
                       const std::vector<std::vector<int>>& dc) {
        ASSERT_EQ(tool->TreeView->topLevelItemCount(), static_cast<int>(ones.size()))
            << (messages.Texts().empty() ? std::string("no message") : messages.Texts().back());
        for (std::size_t j = 0; j < ones.size(); ++j) {
            const std::string formula =
                tool->TreeView->topLevelItem(static_cast<int>(j))->text(0).toStdString();
            for (int m = 0; m < 16; ++m) {
                if (std::count(dc[j].begin(), dc[j].end(), m)) continue;
                EXPECT_EQ(Value(formula, kAbcd, m),
                          std::count(ones[j].begin(), ones[j].end(), m) > 0)
                    << "output " << j + 1 << ": " << formula << " at " << m;
            }
        }
    }
};

TEST_F(AdvOutputs, OneOutputToStartAndEachOutputKeepsItsLists) {
    ASSERT_EQ(tool->OutputList->count(), 1);
    EXPECT_EQ(tool->OutputList->item(0)->text(), "F1");
    EXPECT_FALSE(tool->SpeedButton12->isEnabled()) << "the last output cannot go";
    EXPECT_FALSE(tool->ProgressBar1->isVisible());
    FillThree(tool);
    ASSERT_EQ(tool->OutputList->count(), 3);
    EXPECT_EQ(tool->OutputList->item(2)->text(), "F3");
    tool->OutputList->setCurrentRow(0);
    EXPECT_EQ(tool->ComboBox1->currentText(), "1,5,9,12-15");
    EXPECT_EQ(tool->ComboBox3->currentText(), "");
    tool->OutputList->setCurrentRow(2);
    EXPECT_EQ(tool->ComboBox3->currentText(), "1");

    // Removing the second output keeps the others' lists; a renamed output keeps its name, an
    // emptied name goes back to what it was.
    tool->OutputList->setCurrentRow(1);
    tool->SpeedButton12->click();
    std::vector<OutputFunction> outputs = tool->Outputs();
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_EQ(outputs[0].lists[0], "1,5,9,12-15");
    EXPECT_EQ(outputs[1].name, "F3");
    EXPECT_EQ(outputs[1].lists[2], "1");
    tool->OutputList->item(1)->setText("carry");
    tool->OutputList->item(0)->setText("  ");
    outputs = tool->Outputs();
    EXPECT_EQ(outputs[1].name, "carry");
    EXPECT_EQ(outputs[0].name, "F1");
    EXPECT_EQ(tool->OutputList->item(0)->text(), "F1");
    tool->SpeedButton11->click();
    EXPECT_EQ(tool->OutputList->item(2)->text(), "F3") << "the first free default name";
}

TEST_F(AdvOutputs, SeveralOutputsAreMinimizedTogetherWithSharedProductsMarked) {
    FillThree(tool);
    tool->SpeedButton9->click();
    ExpectOutputs({{1, 5, 9, 12, 13, 14, 15}, {3, 7, 11, 12, 13, 14, 15}, {0}}, {{}, {}, {1}});
    QTreeWidgetItem* f1 = tool->TreeView->topLevelItem(0);
    EXPECT_EQ(f1->data(0, formulaview::kPrefixRole).toString(), "F1 = ");
    // A*B is one product of both sums, marked in each; the others are their own.
    int marked = 0;
    for (int j = 0; j < 2; ++j) {
        QTreeWidgetItem* root = tool->TreeView->topLevelItem(j);
        for (int t = 0; t < root->childCount(); ++t) {
            const QString note = root->child(t)->data(0, formulaview::kSuffixRole).toString();
            EXPECT_EQ(!note.isEmpty(), root->child(t)->text(0) == "A*B")
                << root->child(t)->text(0).toStdString();
            if (!note.isEmpty()) {
                EXPECT_TRUE(note.endsWith(j == 0 ? "shared with F2" : "shared with F1"))
                    << note.toStdString();
                EXPECT_TRUE(root->child(t)->font(0).bold());
                ++marked;
            }
        }
    }
    EXPECT_EQ(marked, 2);
    EXPECT_EQ(tool->TreeView->topLevelItem(2)->childCount(), 1) << "a lone term is listed too";
    EXPECT_TRUE(tool->Label10->text().startsWith("Products: 4, shared: 1"))
        << tool->Label10->text().toStdString();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ExchangeFilePath())));

    // Back to one output: the designed single result again, without names.
    tool->OutputList->setCurrentRow(2);
    tool->SpeedButton12->click();
    tool->SpeedButton12->click();
    tool->SpeedButton9->click();
    ExpectRootsImplement({1, 5, 9, 12, 13, 14, 15}, {});
    EXPECT_TRUE(
        tool->TreeView->topLevelItem(0)->data(0, formulaview::kPrefixRole).toString().isEmpty());
}

TEST_F(AdvOutputs, NamesTwiceStopTheRun) {
    FillThree(tool);
    tool->OutputList->item(2)->setText("F1");
    tool->SpeedButton9->click();
    EXPECT_EQ(messages.Texts().back(), "The name \"F1\" is given to two outputs.");
    EXPECT_EQ(tool->TreeView->topLevelItemCount(), 0);
}

TEST_F(AdvOutputs, VhdlVerilogAndTheCircuitOfAnyOutput) {
    FillThree(tool);
    tool->OutputList->item(1)->setText("Carry");
    tool->SpeedButton9->click();
    ASSERT_EQ(tool->TreeView->topLevelItemCount(), 3);
    QTreeWidgetItem* second = tool->TreeView->topLevelItem(1);
    tool->TreeView->setCurrentItem(second);
    tool->SpeedButton4->click();
    const QString vhdl = tool->vhdlcode->toPlainText();
    EXPECT_TRUE(vhdl.contains(
        "      F1 : out std_logic;\n      Carry : out std_logic;\n      F3 : out std_logic -- Function out"))
        << vhdl.toStdString();
    EXPECT_EQ(vhdl.count("A and B;"), 1) << "the shared product is made once";
    tool->PageControl1->setCurrentIndex(0);
    tool->SpeedButton7->click();
    const QString verilog = tool->verilogcode->toPlainText();
    EXPECT_TRUE(verilog.contains("    output wire Carry,\n    output wire F3\n);"))
        << verilog.toStdString();
    EXPECT_EQ(verilog.count("A & B;"), 1);

    // The circuit dialog gets the selected output's formula alone.
    tool->PageControl1->setCurrentIndex(0);
    tool->TreeView->setCurrentItem(second);
    TCircuit* circuit = Windows().Circuit;
    QString shown;
    QTimer::singleShot(0, circuit, [&] {
        shown = circuit->Func->toPlainText();
        circuit->reject();
    });
    tool->SpeedButton3->click();
    EXPECT_EQ(shown, second->text(0));
    EXPECT_FALSE(shown.contains("="));
}

TEST_F(AdvOutputs, FilesHoldEveryOutput) {
    FillThree(tool);
    tool->OutputList->item(1)->setText("g");
    const std::vector<OutputFunction> before = tool->Outputs();

    // Boolean function file: a section per output, read back as it was.
    dialogs.files.push_back({true, Path("three.bf"), 1});
    tool->SpeedButton2->click();
    QFile bf(Path("three.bf"));
    ASSERT_TRUE(bf.open(QIODevice::ReadOnly));
    const QByteArray text = bf.readAll();
    bf.close();
    EXPECT_TRUE(
        text.startsWith("[Boolean Function]\nVarCount=4\nOutputs=3\nName=F1\n1=1,5,9,12-15\n"))
        << text.constData();
    EXPECT_TRUE(text.contains("[Boolean Function 2]\nName=g\n1=3,7,11-15\n0=\n*=\n"));
    tool->SpeedButton12->click();
    tool->SpeedButton12->click();
    dialogs.files.push_back({true, Path("three.bf"), 1});
    tool->SpeedButton1->click();
    EXPECT_EQ(tool->Outputs(), before);

    // PLA: written and opened again, the same functions (the "0" lists become what is left).
    dialogs.files.push_back({true, Path("three.pla"), 2});
    tool->SpeedButton2->click();
    pla::Error error;
    const auto file = pla::ReadFile(Path("three.pla").toStdString(), &error);
    ASSERT_TRUE(file) << error.message;
    EXPECT_EQ(file->outputNames, (std::vector<std::string>{"F1", "g", "F3"}));
    EXPECT_EQ(file->inputNames, kAbcd);
    EXPECT_EQ(file->FunctionString(0), "0100010001001111");
    EXPECT_EQ(file->FunctionString(2), "1200000000000000");
    tool->SpeedButton12->click();
    dialogs.files.push_back({true, Path("three.pla"), 2});
    tool->SpeedButton1->click();
    const std::vector<OutputFunction> after = tool->Outputs();
    ASSERT_EQ(after.size(), 3u);
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(after[j].name, before[j].name);
        EXPECT_EQ(after[j].lists[0], before[j].lists[0]);
        EXPECT_EQ(after[j].lists[2], before[j].lists[2]);
    }
}

// Cancel while the core works: the window answered during the run, and the tree shows a cover
// of the function, said to be the best found so far.
TEST_F(AdvOutputs, CancelKeepsTheBestCoverFoundAndSaysSo) {
    const int n = 10;
    tool->Spin->setValue(n);
    std::string ones;
    uint32_t x = 99;
    std::vector<bool> on(1 << n);
    for (int m = 0; m < (1 << n); ++m) {
        x = x * 1103515245 + 12345;
        on[m] = (x >> 16) % 3 == 0;
        if (on[m]) ones += (ones.empty() ? "" : ",") + std::to_string(m);
    }
    tool->ComboBox1->setEditText(QString::fromStdString(ones));
    tool->EffortBox->setCurrentIndex(2);  // prove: no allowance but the safety limit
    bool wasRunning = false, barShown = false, stillOpen = false;
    QTimer::singleShot(0, tool, [&] {
        wasRunning = tool->Running();
        barShown = !tool->ProgressBar1->isHidden();
        tool->show();
        tool->BitBtn2->click();  // the window's Cancel stops the run first
        stillOpen = tool->isVisible();
    });
    tool->SpeedButton9->click();
    EXPECT_TRUE(wasRunning);
    EXPECT_TRUE(barShown);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(tool->Running());
    EXPECT_TRUE(tool->ProgressBar1->isHidden());
    ASSERT_GE(tool->TreeView->topLevelItemCount(), 1)
        << (messages.Texts().empty() ? std::string("no message") : messages.Texts().back());
    EXPECT_TRUE(tool->Label10->text().contains("Cancelled: the best cover found so far is shown"))
        << tool->Label10->text().toStdString();
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) names.push_back(std::string(1, char('A' + i)));
    const std::string formula = tool->TreeView->topLevelItem(0)->text(0).toStdString();
    for (uint32_t m = 0; m < (1u << n); ++m) ASSERT_EQ(Value(formula, names, m), on[m]) << m;

    // The next run is not cancelled by the last one's Cancel.
    tool->EffortBox->setCurrentIndex(1);
    tool->SpeedButton9->click();
    EXPECT_TRUE(tool->Label10->isHidden()) << tool->Label10->text().toStdString();
}

}  // namespace
