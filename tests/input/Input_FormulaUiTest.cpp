// The "Fill Map from Formula" dialog, the Formula command and "Move result => FormulaInput".

#include <QAction>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "InputUi.h"
#include "input/Input_Formula.h"
#include "input/Sets.h"

namespace {

class FormulaDialog : public InputUi {
  protected:
    TInputFormula* d() const { return Windows().InputFormula; }

    QPoint ItemCentre(const QString& name) const {
        const QList<QListWidgetItem*> found = d()->ListBox1->findItems(name, Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << name.toStdString();
        return found.isEmpty() ? QPoint() : d()->ListBox1->visualItemRect(found.first()).center();
    }
    void DoubleClickName(const QString& name) {
        const QPoint at = ItemCentre(name);
        QTest::mouseClick(d()->ListBox1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(d()->ListBox1->viewport(), Qt::LeftButton, {}, at);
    }
    // Press on the name, then carry what the list hands a drag onto the formula box.
    void DragNameToBox(const QString& name) {
        QTest::mouseClick(d()->ListBox1->viewport(), Qt::LeftButton, {}, ItemCentre(name));
        std::unique_ptr<QMimeData> mime(
            d()->ListBox1->model()->mimeData(d()->ListBox1->selectionModel()->selectedIndexes()));
        QWidget* target = d()->ComboBox2->lineEdit();
        const QPointF at(2, 2);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, mime.get(),
                              Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, mime.get(), Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        EXPECT_EQ(drop.dropAction(), Qt::CopyAction);  // a move would take the name off the list
    }
    void Click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    QString View() const { return d()->Memo1->toPlainText(); }
};

TEST_F(FormulaDialog, ComposedByClicksDragsAndTypingThenApplied) {
    StartProgram();
    form1->Grid.SetVarName(2, "BIG");
    form1->Grid.SetCells(3, 3, "1");
    Analyze();
    WhileOpen(
        d(),
        [&] {
            ASSERT_EQ(d()->ListBox1->count(), 4);
            EXPECT_FALSE(d()->Button5->isEnabled());
            DoubleClickName("A");
            Click(d()->Button2);  // "*"
            Click(d()->Button3);  // "|"
            DragNameToBox("BIG");
            EXPECT_EQ(d()->Formula(), "A*|BIG");
            EXPECT_EQ(View(), "A*|BIG");
            EXPECT_EQ(d()->UndoLength(), 3);
            Click(d()->Button5);  // "Back" takes the whole name
            EXPECT_EQ(d()->Formula(), "A*|");
            EXPECT_FALSE(d()->Button5->isEnabled());
            DoubleClickName("BIG");
            Click(d()->Button4);  // "<-" takes one character and ends the undo
            EXPECT_EQ(d()->Formula(), "A*|BI");
            EXPECT_FALSE(d()->Button5->isEnabled());
            Type(d()->ComboBox2, "G+D");  // typing keeps the undo length as it was
            EXPECT_EQ(View(), "A*|BIG+D");
            Click(d()->Button2);
            DoubleClickName("C");
            Type(d()->ComboBox2, "*|A");
            Click(d()->Button5);  // the last insertion's length, whatever was typed since
            EXPECT_EQ(d()->Formula(), "A*|BIG+D*C*|");
            Click(d()->Button4);
            Click(d()->Button4);
            Click(d()->BitBtn1);
        },
        [&] { QTest::mouseClick(form1->SpeedButton3, Qt::LeftButton); });
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Results of analyze will be lost, Continue?"});
    EXPECT_EQ(d()->ComboBox2->itemText(0), "A*|BIG+D*C");
    // A and not BIG: 8..11; C and D: 3, 7, 11, 15. The analysis made every other cell "0".
    for (int m = 0; m < 16; ++m)
        EXPECT_EQ(At(m), (m >= 8 && m <= 11) || m % 4 == 3 ? "1" : "0") << m;
    EXPECT_FALSE(form1->Createreport1->isEnabled());
}

TEST_F(FormulaDialog, UnknownNameKeepsTheDialogOpenUntilMendedOrCancelled) {
    StartProgram();
    form1->Grid.SetCells(1, 1, "0");
    Analyze();
    const std::vector<std::string> before = MapCells();
    WhileOpen(
        d(),
        [&] {
            Type(d()->ComboBox2, "A*Q");
            Click(d()->BitBtn1);
            EXPECT_TRUE(d()->isVisible());
            EXPECT_FALSE(d()->ClosePermission());
            d()->close();  // the window's close box is refused too
            EXPECT_TRUE(d()->isVisible());
            Click(d()->BitBtn2);
        },
        [&] { form1->N22->trigger(); });
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text,
              "Unknown variable in line.\nPosition: 3.\n'Q' is not one of the map's variables (A, "
              "B, C, D)");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MsgIcon::Error);
    EXPECT_EQ(MapCells(), before);
    EXPECT_TRUE(form1->Createreport1->isEnabled());
    EXPECT_EQ(d()->ComboBox2->count(), 0);  // a refused formula is not remembered

    // Mended, with spaces: positions count without them; then accepted as a sum of products.
    WhileOpen(
        d(),
        [&] {
            d()->ComboBox2->lineEdit()->clear();
            Type(d()->ComboBox2, "A * B + Q");
            Click(d()->BitBtn1);
            EXPECT_TRUE(d()->isVisible());
            d()->ComboBox2->lineEdit()->clear();
            Type(d()->ComboBox2, "A*B");
            Click(d()->BitBtn1);
        },
        [&] { form1->N9->trigger(); });
    ASSERT_GE(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[1],
              "Unknown variable in line.\nPosition: 5.\n'Q' is not one of the map's variables (A, "
              "B, C, D)");
    for (int m = 0; m < 16; ++m) EXPECT_EQ(At(m), m >= 12 ? "1" : "0") << m;  // the rest kept
    EXPECT_FALSE(form1->Createreport1->isEnabled());
    EXPECT_EQ(form1->Grid.FormulaType, gmDNF);
}

TEST_F(FormulaDialog, ProductOfSumsWritesZerosAndHistoryListsEachFormulaOnce) {
    StartProgram();
    for (int i = 0; i < 2; ++i) {
        WhileOpen(
            d(),
            [&] {
                d()->ComboBox2->lineEdit()->clear();
                Type(d()->ComboBox2, "A+|B*D");
                QTest::mouseClick(d()->RadioButton2, Qt::LeftButton);
                Click(d()->BitBtn1);
            },
            [&] { form1->N9Click(); });
    }
    EXPECT_EQ(d()->ComboBox2->count(), 1);
    EXPECT_EQ(form1->Grid.FormulaType, gmKNF);
    // (A + not B) * D is 0 where A = 0 and B = 1, or where D = 0.
    for (int m = 0; m < 16; ++m) {
        const bool a = m & 8, b = m & 4, dBit = m & 1;
        EXPECT_EQ(At(m), (!a && b) || !dBit ? "0" : "") << m;
    }
    // An empty formula is accepted and changes nothing.
    const std::vector<std::string> before = MapCells();
    WhileOpen(
        d(),
        [&] {
            d()->ComboBox2->lineEdit()->clear();
            Click(d()->BitBtn1);
        },
        [&] { form1->N9Click(); });
    EXPECT_EQ(MapCells(), before);
    EXPECT_EQ(d()->ComboBox2->count(), 1);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(FormulaDialog, MoveResultShowsTheResultAndLeavesTheMapAlone) {
    StartProgram();
    AnalyzeWorkString(form1->Grid, "8-15", "1");
    Analyze();
    const std::vector<std::string> before = MapCells();
    WhileOpen(
        d(),
        [&] {
            EXPECT_EQ(d()->Formula(), "A");
            EXPECT_EQ(View(), "A");
            Click(d()->BitBtn1);
        },
        [&] { form1->N14->trigger(); });
    EXPECT_EQ(MapCells(), before);
    EXPECT_TRUE(form1->Createreport1->isEnabled());
    // The next Formula command applies what stayed in the box.
    form1->Grid.FillCard("");
    WhileOpen(
        d(), [&] { Click(d()->BitBtn1); }, [&] { form1->N9Click(); });
    for (int m = 0; m < 16; ++m) EXPECT_EQ(At(m), m >= 8 ? "1" : "") << m;
}

TEST_F(FormulaDialog, LongFormulasAreCheckedToTheEnd) {
    StartProgram();
    std::string text;
    for (int i = 0; i < 120; ++i) text += i ? "+A*|B" : "A*|B";
    text += "+Z";
    WhileOpen(
        d(),
        [&] {
            d()->SetFormula(QString::fromStdString(text));
            Click(d()->BitBtn1);
            EXPECT_TRUE(d()->isVisible());
            Click(d()->BitBtn2);
        },
        [&] { form1->N9Click(); });
    EXPECT_EQ(messages.Texts().back(),
              "Unknown variable in line.\nPosition: " + std::to_string(text.size()) +
                  ".\n'Z' is not one of the map's variables (A, B, C, D)");
}

}  // namespace
