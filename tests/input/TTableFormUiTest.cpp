// The "Truth Table" dialog, its menu, and the Truth Table command from its three entries.

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QToolButton>

#include "InputUi.h"
#include "input/Sets.h"
#include "input/TTableForm.h"
#include "input/TruthTable.h"

namespace {

class TruthTableDialog : public InputUi {
  protected:
    TTruthTableForm* d() const { return Windows().TruthTableForm; }
    TTruthTable* table() const { return d()->TruthTable1; }
    QString Shown(int row, int col) const {
        return table()->model()->index(row, col).data().toString();
    }

    // Opens the cell's editor as a double-click does, types text and presses Enter.
    void TypeInto(int row, int col, const QString& text) {
        const QRect cell = table()->visualRect(table()->model()->index(row, col));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, cell.center());
        QLineEdit* editor = nullptr;  // closed editors linger until deleted later
        for (QLineEdit* e : table()->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible()) editor = e;
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
};

TEST_F(TruthTableDialog, OpensOnTheMapSoOkAloneChangesNothing) {
    StartProgram();
    EXPECT_EQ(d()->windowTitle(), "Truth Table");
    form1->SpinEdit1->setValue(3);
    form1->Grid.SetVarName(1, "X");
    AnalyzeWorkString(form1->Grid, "5", "1");
    AnalyzeWorkString(form1->Grid, "0,1", "*");
    AnalyzeWorkString(form1->Grid, "2", "0");
    const std::vector<std::string> before = MapCells();
    Analyze();
    const std::vector<std::string> analyzed = MapCells();
    ASSERT_NE(before, analyzed);  // the analysis filled the empty cells
    WhileOpen(
        d(),
        [&] {
            EXPECT_EQ(table()->model()->rowCount(), 8);
            EXPECT_EQ(table()->model()->headerData(0, Qt::Horizontal).toString(), "X");
            EXPECT_EQ(table()->model()->headerData(3, Qt::Horizontal).toString(), "F1");
            EXPECT_EQ(Shown(5, 0) + Shown(5, 1) + Shown(5, 2), "101");
            EXPECT_EQ(Shown(5, 3), "1");
            EXPECT_EQ(Shown(0, 3), "*");
            QTest::mouseClick(d()->BitBtn1, Qt::LeftButton);
        },
        [&] { QTest::mouseClick(form1->SpeedButton11, Qt::LeftButton); });
    EXPECT_EQ(MapCells(), analyzed);
    EXPECT_FALSE(form1->Createreport1->isEnabled());
}

TEST_F(TruthTableDialog, TypedValuesLandInTheirMintermsCellsAndCancelKeepsTheMap) {
    StartProgram();
    form1->Grid.FillCard("0");
    Analyze();
    WhileOpen(
        d(),
        [&] {
            TypeInto(5, 4, "1");  // row 6 of the table: minterm 5
            TypeInto(15, 4, "*");
            QTest::mouseClick(d()->BitBtn2, Qt::LeftButton);
        },
        [&] { form1->N28->trigger(); });
    EXPECT_EQ(MapCells(), std::vector<std::string>(16, "0"));
    EXPECT_TRUE(form1->Createreport1->isEnabled());

    WhileOpen(
        d(),
        [&] {
            EXPECT_EQ(Shown(5, 4), "0");  // reopened on the map, not on what was cancelled
            TypeInto(5, 4, "1");
            TypeInto(15, 4, "*");
            QTest::mouseClick(d()->BitBtn1, Qt::LeftButton);
        },
        [&] { form1->N29->trigger(); });
    for (int m = 0; m < 16; ++m) EXPECT_EQ(At(m), m == 5 ? "1" : m == 15 ? "*" : "0") << m;
    EXPECT_FALSE(form1->Createreport1->isEnabled());
}

TEST_F(TruthTableDialog, AFunctionCellRefusesOtherCharactersAsTheyAreTyped) {
    StartProgram();
    form1->Grid.FillCard("0");
    WhileOpen(
        d(),
        [&] {
            // The editor a function cell opens takes one of 1, 0, * and nothing else.
            const QModelIndex cell = table()->model()->index(2, 4);
            std::unique_ptr<QWidget> editor(table()->itemDelegateForIndex(cell)->createEditor(
                table()->viewport(), QStyleOptionViewItem(), cell));
            auto* line = qobject_cast<QLineEdit*>(editor.get());
            ASSERT_NE(line, nullptr);
            QTest::keyClicks(line, "x2 1*");
            EXPECT_EQ(line->text(), "1");
            editor.reset();
            // Nor does anything else reach a function cell.
            EXPECT_FALSE(table()->model()->setData(table()->model()->index(4, 4), "2"));
            QTest::mouseClick(d()->BitBtn1, Qt::LeftButton);
        },
        [&] { form1->N28->trigger(); });
    EXPECT_EQ(At(2), "0");
    EXPECT_EQ(At(4), "0");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(TruthTableDialog, FillAndClearFromTheMenuActOnF1) {
    StartProgram();
    AnalyzeWorkString(form1->Grid, "3", "1");
    EXPECT_EQ(d()->Fill1->title(), "Fill");
    EXPECT_EQ(d()->N21->text(), "with \"*\"");
    WhileOpen(
        d(),
        [&] {
            d()->N21->trigger();
            for (int r = 0; r < 16; ++r) ASSERT_EQ(Shown(r, 4), "*");
            EXPECT_EQ(Shown(3, 3), "1");  // the inputs stay
            QTest::mouseClick(d()->BitBtn1, Qt::LeftButton);
        },
        [&] { form1->SpeedButton10Click(); });
    EXPECT_EQ(MapCells(), std::vector<std::string>(16, "*"));

    WhileOpen(
        d(),
        [&] {
            d()->Clear1->trigger();
            QTest::mouseClick(d()->BitBtn1, Qt::LeftButton);
        },
        [&] { form1->SpeedButton10Click(); });
    EXPECT_EQ(MapCells(), std::vector<std::string>(16, ""));
}

TEST_F(TruthTableDialog, FollowsTheVariableCountAndCapsItsFont) {
    StartProgram();
    form1->SpinEdit1->setValue(8);
    EXPECT_EQ(table()->VariableCount(), 8);
    EXPECT_EQ(table()->model()->rowCount(), 256);
    form1->SpinEdit1->setValue(2);
    EXPECT_EQ(table()->VariableCount(), 2);

    QFont big = table()->font();
    big.setPointSize(20);
    table()->setFont(big);
    EXPECT_EQ(table()->font().pointSize(), 10);

    // A long name widens every column past the default.
    form1->Grid.SetVarName(1, "VERYLONGNM");
    WhileOpen(
        d(),
        [&] {
            const int width = table()->columnWidth(2);
            EXPECT_GT(width, 25);
            EXPECT_EQ(width, table()->columnWidth(0));
            // The function title sits on grey.
            QHeaderView* header = table()->horizontalHeader();
            const QImage shot = header->grab().toImage();
            const int x = header->sectionViewportPosition(2) + 2;
            EXPECT_EQ(shot.pixelColor(x, 2), QColor(0xAA, 0xAA, 0xAA));
            EXPECT_NE(shot.pixelColor(header->sectionViewportPosition(0) + 2, 2),
                      QColor(0xAA, 0xAA, 0xAA));
            QTest::keyClick(d(), Qt::Key_Escape);
        },
        [&] { form1->SpeedButton10Click(); });
}

}  // namespace
