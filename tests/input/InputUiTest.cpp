// The "Fill Map from Sets" dialog and the Sets command.

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "InputUi.h"
#include "input/Input.h"

namespace {

class SetsDialog : public InputUi {
  protected:
    TInputForm* d() const { return Windows().InputForm; }
};

TEST_F(SetsDialog, OkAppliesTheBoxesInOrderAndABadOneWritesNothing) {
    StartProgram();
    TInputForm* d = this->d();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->objectName(), "InputForm");
    EXPECT_EQ(d->windowTitle(), "Fill Map from Sets");
    EXPECT_EQ(d->Label4->text(), "Enabled Set's");
    form1->Grid.SetCells(1, 1, "1");
    Analyze();
    form1->Grid.FillCard("");
    messages.Clear();

    WhileOpen(
        d,
        [&] {
            EXPECT_EQ(d->Label5->text(), "[0..15]");
            Type(d->ComboBox1, "0 - 3, 9");
            Type(d->ComboBox2, "3,4");  // 3 ends as a zero: zeros come after ones
            Type(d->ComboBox3, "5;6");  // refused whole
            QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        },
        [&] { QTest::mouseClick(form1->SpeedButton4, Qt::LeftButton); });

    // The result shown is of another map: OK to the question, then the refused box.
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Results of analyze will be lost, Continue?",
                                        "Invalid symbol in string."}));
    for (int m : {0, 1, 2, 9}) EXPECT_EQ(At(m), "1") << m;
    for (int m : {3, 4}) EXPECT_EQ(At(m), "0") << m;
    for (int m : {5, 6, 7}) EXPECT_EQ(At(m), "") << m;
    EXPECT_FALSE(form1->Createreport1->isEnabled());
    EXPECT_EQ(form1->CarnoGrid1->model()->index(0, 0).data().toString(),
              "1");  // the view was refreshed
    EXPECT_EQ(d->ComboBox1->count(), 1);
    EXPECT_EQ(d->ComboBox3->itemText(0), "5;6");  // the dialog does not judge texts
}

TEST_F(SetsDialog, CancelLeavesMapAndReportAloneAndTheBoxesKeepTheirTexts) {
    StartProgram();
    form1->Grid.SetCells(2, 2, "1");
    Analyze();
    const std::vector<std::string> before = MapCells();
    WhileOpen(
        d(),
        [&] {
            Type(d()->ComboBox1, "0-15");
            QTest::mouseClick(d()->BitBtn2, Qt::LeftButton);
        },
        [&] { form1->N23->trigger(); });
    EXPECT_EQ(MapCells(), before);
    EXPECT_TRUE(form1->Createreport1->isEnabled());
    EXPECT_EQ(d()->ComboBox1->count(), 0);  // nothing accepted, nothing remembered

    // Three variables: the range follows; the text typed before is still there.
    form1->SpinEdit1->setValue(3);
    WhileOpen(
        d(),
        [&] {
            EXPECT_EQ(d()->Label5->text(), "[0..7]");
            EXPECT_EQ(d()->Ones(), "0-15");
            d()->ComboBox1->lineEdit()->clear();
            Type(d()->ComboBox1, "7");
            QTest::keyClick(d()->ComboBox1->lineEdit(), Qt::Key_Escape);
        },
        [&] { form1->N8->trigger(); });
    EXPECT_EQ(At(7), "0");  // as the analysis left it
}

TEST_F(SetsDialog, HistoryHoldsEachAcceptedTextOnce) {
    StartProgram();
    for (const char* text : {"1,2", "5-7", "1,2"}) {
        WhileOpen(
            d(),
            [&] {
                d()->ComboBox1->lineEdit()->clear();
                Type(d()->ComboBox1, text);
                QTest::keyClick(d()->ComboBox1->lineEdit(), Qt::Key_Return);  // the default button
            },
            [&] { form1->SpeedButton7Click(); });
    }
    ASSERT_EQ(d()->ComboBox1->count(), 2);
    EXPECT_EQ(d()->ComboBox1->itemText(0), "1,2");
    EXPECT_EQ(d()->ComboBox1->itemText(1), "5-7");
    EXPECT_EQ(d()->ComboBox2->count(), 0);  // empty boxes add nothing
    for (int m : {1, 2, 5, 6, 7}) EXPECT_EQ(At(m), "1") << m;
    EXPECT_EQ(At(3), "");  // the map is not cleared first
}

}  // namespace
