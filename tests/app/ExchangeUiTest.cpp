// The main window's exchange commands as a person uses them: tables opened and saved through the
// file dialogs, pictures exported from File > Export, the map copied and cells pasted through
// the clipboard.

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QTreeWidget>

#include "PictureTools.h"
#include "UiFixture.h"
#include "engine/MapView.h"
#include "files/Pla.h"

namespace {

using Exchange = UiFixture;

std::string Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

void Write(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

TEST_F(Exchange, TablesOpenWithTheirNamesAndSaveAsCsv) {
    StartProgram();
    Write(Path("t.csv"), "cin;x;y;sum\n1;1;1;1\n0;0;1;1\n");
    dialogs.files.push_back({true, Path("t.csv"), 2});
    form1->N18->trigger();
    EXPECT_EQ(form1->SpinEdit1->value(), 3);
    EXPECT_EQ(form1->Grid.VarName(1), "CIN");
    EXPECT_EQ(options->Edit[0]->text(), "CIN") << "the options show the map's names";
    EXPECT_EQ(form1->CarnoGrid1->toolTip(), "Variables: CIN \\ X Y ");
    const TCellPos seven = form1->Grid.PositionOfMinterm(7);
    EXPECT_EQ(form1->Grid.Cells(seven.Col, seven.Row), "1");
    EXPECT_TRUE(messages.Shown().empty());

    // A bad table says where and leaves everything.
    Write(Path("bad.csv"), "a,b,f\n1,1,1\n1,7,1\n");
    dialogs.files.push_back({true, Path("bad.csv"), 2});
    form1->N18->trigger();
    EXPECT_EQ(messages.Texts().back(), "Line 3: An input is not 0 or 1.");
    EXPECT_EQ(form1->Grid.VarName(1), "CIN");
    EXPECT_EQ(form1->SpinEdit1->value(), 3);

    dialogs.files.push_back({true, Path("out.csv"), 4});
    form1->N5->trigger();
    EXPECT_EQ(Read(Path("out.csv")).substr(0, 15), "CIN,X,Y,sum\r\n0,") << "the table's name too";
}

TEST_F(Exchange, ExportedPicturesShowTheSolutionAndTheSelectedTerm) {
    StartProgram();
    for (int m : {0, 2, 8, 10, 5}) {
        const TCellPos p = form1->Grid.PositionOfMinterm(m);
        form1->Grid.SetCells(p.Col, p.Row, "1");
    }
    form1->BitBtn3Click();
    ASSERT_EQ(form1->TreeView->topLevelItemCount(), 1);
    form1->TreeView->setCurrentItem(form1->TreeView->topLevelItem(0)->child(0));  // the corners
    ASSERT_EQ(form1->CarnoGrid1->HighlightedTerm(), 0);

    dialogs.files.push_back({true, Path("m.svg"), 1});
    form1->ExportSVG1->trigger();
    EXPECT_EQ(dialogs.asked.back().title, "Export Map");
    const std::string svg = Read(Path("m.svg"));
    EXPECT_EQ(testing_support::XmlErrors(svg), "");
    EXPECT_NE(svg.find("stroke=\"#d62728\""), std::string::npos) << "the first term's loop";

    // PNG asks for the scale; cancelling writes nothing.
    dialogs.files.push_back({true, Path("small.png"), 1});
    form1->ExportPNG1->trigger();
    EXPECT_EQ(dialogs.numberTitles.back(), "Picture Scale");
    EXPECT_FALSE(QFile::exists(Path("small.png")));
    dialogs.files.push_back({true, Path("one.png"), 1});
    dialogs.numbers.push_back(1);
    form1->ExportPNG1->trigger();
    dialogs.files.push_back({true, Path("two.png"), 1});
    dialogs.numbers.push_back(2);
    form1->ExportPNG1->trigger();
    const QImage one(Path("one.png")), two(Path("two.png"));
    ASSERT_FALSE(one.isNull());
    EXPECT_EQ(two.size(), one.size() * 2);
    EXPECT_GT(testing_support::PixelsNear(one, qRgb(0, 0, 0), 10), 100)
        << "the black term colour fills the corners";

    dialogs.files.push_back({true, Path("m.tex"), 1});
    form1->ExportTeX1->trigger();
    EXPECT_NE(Read(Path("m.tex")).find("\\begin{tikzpicture}"), std::string::npos);
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(Exchange, CopyAndPasteThroughTheClipboard) {
    StartProgram();
    form1->SpinEdit1->setValue(2);
    form1->Grid.SetCells(1, 1, "1");
    form1->Grid.SetCells(2, 2, "*");
    form1->CopyasText1->trigger();
    QClipboard* clipboard = QGuiApplication::clipboard();
    EXPECT_EQ(clipboard->text().toStdString(), "A \\ B\t0\t1\n0\t1\t\n1\t\t*\n");

    // The copied map pastes back whole, wherever the selection is.
    form1->SpeedButton4Click();
    form1->CarnoGrid1->setCurrentIndex(form1->CarnoGrid1->model()->index(1, 1));
    form1->PasteCells1->trigger();
    EXPECT_EQ(form1->Grid.Cells(1, 1), "1");
    EXPECT_EQ(form1->Grid.Cells(2, 2), "*");
    EXPECT_EQ(form1->CarnoGrid1->model()->data(form1->CarnoGrid1->model()->index(1, 1)).toString(),
              "*");

    // A block from a spreadsheet goes to the selection's top-left cell.
    form1->SpinEdit1->setValue(4);
    clipboard->setText("0\tx\r\n-\t1\r\n");
    form1->CarnoGrid1->selectionModel()->select(
        QItemSelection(form1->CarnoGrid1->model()->index(2, 1),
                       form1->CarnoGrid1->model()->index(3, 3)),
        QItemSelectionModel::ClearAndSelect);
    form1->PasteCells2->trigger();
    EXPECT_EQ(form1->Grid.Cells(2, 3), "0");
    EXPECT_EQ(form1->Grid.Cells(3, 3), "*");
    EXPECT_EQ(form1->Grid.Cells(2, 4), "*");
    EXPECT_EQ(form1->Grid.Cells(3, 4), "1");

    // Bad values or a block too large: refused whole.
    clipboard->setText("1\t1\n1\tmaybe\n");
    form1->PasteCells1->trigger();
    EXPECT_EQ(messages.Texts().back(), "Line 2: Only 0, 1, *, X, - and empty cells can be pasted.");
    EXPECT_EQ(form1->Grid.Cells(2, 3), "0");
    clipboard->setText("1\t1\t1\t1\n");
    form1->PasteCells1->trigger();
    EXPECT_EQ(messages.Texts().back(),
              "Line 1: The cells do not fit into the map from the selected cell.");
    EXPECT_EQ(form1->Grid.Cells(2, 3), "0");
    EXPECT_EQ(form1->Grid.Cells(4, 3), "");

    form1->CopyasPicture1->trigger();
    const QMimeData* data = clipboard->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    EXPECT_TRUE(data->data("image/svg+xml").startsWith("<?xml"));
}

TEST_F(Exchange, PlaOpensTheChosenOutputAndSavesFunctionAndResult) {
    StartProgram();
    Write(Path("two.pla"),
          ".i 3\n.o 2\n.ilb a b cin\n.ob s co\n.type fd\n111 11\n001 10\n-11 01\n1-1 01\n.e\n");
    // Cancelling the choice opens nothing.
    dialogs.files.push_back({true, Path("two.pla"), 2});
    form1->N18->trigger();
    EXPECT_EQ(dialogs.offeredItems, (QStringList{"s", "co"}));
    EXPECT_EQ(form1->SpinEdit1->value(), 4);
    dialogs.files.push_back({true, Path("two.pla"), 2});
    dialogs.items.push_back(1);
    form1->N18->trigger();
    EXPECT_EQ(form1->SpinEdit1->value(), 3);
    EXPECT_EQ(form1->Grid.VarName(3), "CIN");
    for (int m = 0; m < 8; ++m) {
        const TCellPos p = form1->Grid.PositionOfMinterm(m);
        EXPECT_EQ(form1->Grid.Cells(p.Col, p.Row), m == 3 || m == 5 || m == 7 ? "1" : "0") << m;
    }

    dialogs.files.push_back({true, Path("co.pla"), 5});
    form1->N5->trigger();
    pla::Error error;
    const auto saved = pla::ReadFile(Path("co.pla").toStdString(), &error);
    ASSERT_TRUE(saved) << error.message;
    EXPECT_EQ(saved->FunctionString(0), "00010101");

    // The result: refused before an analysis, a type f cover after one.
    dialogs.files.push_back({true, Path("r.pla"), 1});
    form1->ExportPLA1->trigger();
    EXPECT_EQ(messages.Texts().back(),
              "Only a sum of products found by Analyze can be written as a PLA cover.");
    form1->BitBtn3Click();
    dialogs.files.push_back({true, Path("r.pla"), 1});
    form1->ExportPLA1->trigger();
    const auto cover = pla::ReadFile(Path("r.pla").toStdString(), &error);
    ASSERT_TRUE(cover) << error.message;
    EXPECT_EQ(cover->type, pla::Type::F);
    EXPECT_EQ(cover->rows, 2) << "B*CIN and A*CIN";
    EXPECT_EQ(cover->FunctionString(0), "00010101");
}

}  // namespace
