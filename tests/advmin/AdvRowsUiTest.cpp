// The advanced tool with a PLA past its minterm lists: opened as its rows, minimized by the
// core, the results and the code pages as for any other function, saved only as a PLA, and
// left again for the lists by opening a function the lists can hold.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <fstream>

#include "AdvMinFixture.h"
#include "WidePla.h"
#include "files/Pla.h"

namespace {

class AdvRows : public AdvMin {
  protected:
    void Open(const std::string& name, const std::string& text) {
        std::ofstream(Path(name.c_str()).toStdString()) << text;
        dialogs.files.push_back({true, Path(name.c_str()), 2});
        tool->SpeedButton1->click();
    }
};

TEST_F(AdvRows, AFortyInputPlaOpensMinimizesAndWritesItsCode) {
    const std::string text = testing_support::WidePlaText(11, 40, 3, 50);
    pla::Error error;
    const auto file = pla::ReadText(text, &error);
    ASSERT_TRUE(file) << error.message;
    Open("w.pla", text);
    ASSERT_TRUE(messages.Texts().empty()) << messages.Texts().back();
    EXPECT_EQ(tool->Spin->value(), 40);
    EXPECT_FALSE(tool->Spin->isEnabled());
    EXPECT_FALSE(tool->ComboBox1->isEnabled());
    EXPECT_EQ(tool->ComboBox1->lineEdit()->placeholderText(), "Kept as the PLA's rows");
    EXPECT_FALSE(tool->SpeedButton11->isEnabled()) << "rows take no typed outputs";
    ASSERT_EQ(tool->List->rowCount(), 40);
    EXPECT_EQ(tool->List->item(39, 1)->text(), "x39");
    ASSERT_EQ(tool->OutputList->count(), 3);
    EXPECT_EQ(tool->OutputList->item(2)->text(), "f2");

    // Inputs renamed in the list name the results.
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) {
        names.push_back("in_" + std::to_string(i));
        tool->List->item(i, 1)->setText(QString::fromStdString(names.back()));
    }
    tool->SpeedButton9->click();
    ASSERT_EQ(tool->TreeView->topLevelItemCount(), 3)
        << (messages.Texts().empty() ? std::string("no message") : messages.Texts().back());
    for (const auto& v : testing_support::WideVectors(*file, 12, 200))
        for (int j = 0; j < 3; ++j) {
            const std::string formula = tool->TreeView->topLevelItem(j)->text(0).toStdString();
            const char e = testing_support::WideValue(*file, j, v);
            std::string unknown;
            const bool got = testing_support::FormulaValue(formula, names, v, &unknown);
            ASSERT_TRUE(unknown.empty()) << unknown;
            if (e != '2') EXPECT_EQ(got, e == '1') << "output " << j << ": " << formula;
        }

    tool->TreeView->setCurrentItem(tool->TreeView->topLevelItem(0));
    tool->PageControl1->setCurrentIndex(1);
    const std::string vhdl = tool->vhdlcode->toPlainText().toStdString();
    EXPECT_NE(vhdl.find("in_39"), std::string::npos) << vhdl;
    EXPECT_NE(vhdl.find("f2"), std::string::npos) << vhdl;
    tool->PageControl1->setCurrentIndex(2);
    EXPECT_NE(tool->verilogcode->toPlainText().toStdString().find("in_39"), std::string::npos);
    tool->PageControl1->setCurrentIndex(0);

    // Saved as a PLA with the names shown: the same function; as a function file: refused.
    dialogs.files.push_back({true, Path("saved.pla"), 2});
    tool->SpeedButton2->click();
    const auto saved = pla::ReadFile(Path("saved.pla").toStdString(), &error);
    ASSERT_TRUE(saved) << error.message;
    EXPECT_EQ(saved->InputName(39), "in_39");
    for (const auto& v : testing_support::WideVectors(*file, 13, 200))
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(testing_support::WideValue(*saved, j, v),
                      testing_support::WideValue(*file, j, v));
    dialogs.files.push_back({true, Path("saved.bf"), 1});
    tool->SpeedButton2->click();
    EXPECT_EQ(messages.Texts().back(),
              "These functions are kept as a PLA's rows: save them as a PLA.");
    EXPECT_FALSE(QFile::exists(Path("saved.bf")));

    // A PLA the lists hold brings them back.
    Open("small.pla", ".i 5\n.o 1\n1---- 1\n.e\n");
    EXPECT_TRUE(tool->Spin->isEnabled());
    EXPECT_EQ(tool->Spin->value(), 5);
    EXPECT_EQ(tool->Spin->maximum(), 23);
    EXPECT_TRUE(tool->ComboBox1->isEnabled());
    EXPECT_EQ(tool->ComboBox1->currentText(), "16-31");
    EXPECT_EQ(tool->List->rowCount(), 5);
    tool->SpeedButton9->click();
    ASSERT_EQ(tool->TreeView->topLevelItemCount(), 1);
    EXPECT_EQ(tool->TreeView->topLevelItem(0)->text(0).toStdString(),
              tool->List->item(0, 1)->text().toStdString());
}

TEST_F(AdvRows, AFileTooWideForTheCoreIsRefusedAndTheListsStay) {
    tool->ComboBox1->setEditText("1,2");
    Open("huge.pla", ".i 1000\n.o 1\n" + std::string(1000, '-') + " 1\n.e\n");
    EXPECT_EQ(messages.Texts().back(), "The advanced tool takes PLAs of 4 to 999 inputs.");
    EXPECT_TRUE(tool->ComboBox1->isEnabled());
    EXPECT_EQ(tool->ComboBox1->currentText(), "1,2");
}

}  // namespace
