// The circuit dialog and view as the user meets them: the main window's commands, Convert,
// the scale commands, saving by filter entry and printing.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "TempFolder.h"
#include "app/UiFixture.h"
#include "circuit/CirViewForm.h"
#include "circuit/CircuitForm.h"
#include "circuit/PictureChecks.h"
#include "circuit/SchemeControl.h"
#include "platform/Jpeg.h"
#include "platform/PrintDialog.h"

namespace {

using platform::MsgAnswer;

class ScriptedPrint : public platform::PrintDialogProvider {
  public:
    bool accept = true;
    QString pdf;  // where the page goes
    int runs = 0;
    bool Run(QWidget*, QPrinter& printer) override {
        ++runs;
        docName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setCopyCount(2);
        return accept;
    }
    QString docName;
};

class Circuit : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        previousPrint = platform::SetPrintDialogProvider(&print);
        StartProgram();
        circuit = Windows().Circuit;
        view = Windows().CirView;
        ASSERT_TRUE(circuit && view);
    }
    void TearDown() override {
        platform::SetPrintDialogProvider(previousPrint);
        UiFixture::TearDown();
    }

    // Convert with the dialog's current options; `inView` runs while the view is shown, which
    // is then closed. False when no view was shown.
    bool Convert(const std::function<void()>& inView) {
        bool shown = false;
        // Owned here: when no view opens, the timer must not fire into a later test.
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            shown = view->isVisible();
            if (shown) inView();
            view->reject();
        });
        timer.start(0);
        circuit->BitBtn2->click();
        return shown;
    }

    void Formula(const QString& text, int scale, TGateSystem system = gsUS) {
        circuit->Func->setPlainText(text);
        circuit->SetScaleIndex(scale);
        (system == gsUS ? circuit->US : circuit->EU)->setChecked(true);
    }

    QSize Shown() const { return view->CurrentScheme ? view->CurrentScheme->size() : QSize(); }

    void SaveAs(const QString& path, int filter) { dialogs.files.push_back({true, path, filter}); }

    ScriptedPrint print;
    platform::PrintDialogProvider* previousPrint = nullptr;
    TCircuit* circuit = nullptr;
    TCirView* view = nullptr;
};

TEST_F(Circuit, WindowsAsTheUserFindsThem) {
    EXPECT_EQ(circuit->objectName(), "Circuit");
    EXPECT_EQ(circuit->windowTitle(), "Formula to Circuit");
    EXPECT_TRUE(circuit->US->isChecked());
    EXPECT_TRUE(circuit->NAND->isChecked());
    EXPECT_EQ(circuit->PaperColor->currentText(), "White");
    EXPECT_EQ(circuit->PaperColorValue(), 0xFFFFFFu);
    EXPECT_TRUE(circuit->Func->toPlainText().isEmpty());
    for (QComboBox* box : {circuit->Scale, circuit->FormType}) EXPECT_FALSE(box->isEditable());
    EXPECT_EQ(circuit->Scale->count(), 4);
    EXPECT_EQ(circuit->Scale->itemText(3), "Huge");
    EXPECT_EQ(circuit->FormType->itemText(1), "POS");
    for (const char* name :
         {"GroupBox1", "EU", "US", "GroupBox2", "ANDOR", "NAND", "Label1", "Label2", "Label3",
          "Label4", "Func", "FormType", "PaperColor", "Scale", "BitBtn1", "BitBtn2"})
        EXPECT_TRUE(circuit->findChild<QObject*>(name)) << name;

    EXPECT_EQ(view->windowTitle(), "Circuit View");
    EXPECT_EQ(view->SpeedButton1->toolTip(), "Save circuit");
    EXPECT_EQ(view->SpeedButton2->toolTip(), "Print");
    EXPECT_EQ(view->ScaleUp1->text(), "Scale Up");
    EXPECT_EQ(view->Print1->text(), "&Print");
    EXPECT_TRUE(view->findChild<QScrollArea*>("SB"));
}

TEST_F(Circuit, MainWindowCommandsFillTheDialog) {
    for (int m : {0, 1, 2, 5, 8, 9, 10}) {
        const TCellPos p = form1->Grid.PositionOfMinterm(m);
        form1->Grid.SetCells(p.Col, p.Row, "1");
    }
    form1->BitBtn3Click();
    const QString result = form1->TreeView->topLevelItem(0)->text(0);
    ASSERT_FALSE(result.isEmpty());
    circuit->SetScaleIndex(3);
    circuit->FormType->setCurrentIndex(1);

    QString func, formType, scale;
    QTimer::singleShot(0, [&] {
        func = circuit->Func->toPlainText();
        formType = circuit->FormType->currentText();
        scale = circuit->Scale->currentText();
        circuit->reject();
    });
    form1->N200->trigger();
    EXPECT_EQ(func, result);
    EXPECT_EQ(formType, "SOP");
    EXPECT_EQ(scale, "Medium");

    // Without a result the box keeps its text; the form follows the options.
    form1->TreeView->clear();
    circuit->Func->setPlainText("x*y");
    options->RadioButton2->setChecked(true);
    QTimer::singleShot(0, [&] {
        func = circuit->Func->toPlainText();
        formType = circuit->FormType->currentText();
        circuit->reject();
    });
    form1->Cretecircuit1->trigger();
    EXPECT_EQ(func, "x*y");
    EXPECT_EQ(formType, "POS");
}

TEST_F(Circuit, ConvertAndTheScaleCommands) {
    Formula("a*|b+c", 3);
    EXPECT_TRUE(Convert([&] {
        EXPECT_FALSE(view->ScaleUp1->isEnabled());
        EXPECT_TRUE(view->ScaleDown1->isEnabled());
        EXPECT_EQ(view->CurrentScheme->Scheme.GridStep, 15);
        const QSize huge = Shown();
        view->ScaleDown1->trigger();
        EXPECT_EQ(circuit->Scale->currentText(), "Large");
        EXPECT_EQ(view->CurrentScheme->Scheme.GridStep, 11);
        EXPECT_TRUE(view->ScaleUp1->isEnabled());
        EXPECT_TRUE(view->ScaleDown1->isEnabled());
        EXPECT_LT(Shown().width(), huge.width());
        view->ScaleDown1->trigger();
        view->ScaleDown1->trigger();
        EXPECT_EQ(circuit->Scale->currentText(), "Small");
        EXPECT_FALSE(view->ScaleDown1->isEnabled());
        view->ScaleUp1->trigger();
        EXPECT_EQ(Shown(), QSize(324, 243));  // the worked placement at Medium
    }));
    EXPECT_FALSE(view->CurrentScheme);  // closing frees the control
    EXPECT_FALSE(circuit->isVisible());

    Formula("a", 0);
    EXPECT_TRUE(Convert([&] {
        EXPECT_FALSE(view->ScaleDown1->isEnabled());
        EXPECT_TRUE(view->ScaleUp1->isEnabled());
    }));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(Circuit, EmptyBadAndOversizedFormulasOpenNoView) {
    Formula("", 1);
    EXPECT_FALSE(Convert([] {}));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "There is no formula to draw.");

    messages.Clear();
    Formula("a+*+b", 1);
    EXPECT_FALSE(Convert([] {}));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("Position: 3."), std::string::npos);

    messages.Clear();
    QString big = "a";
    for (int i = 0; i < 400; ++i) big += "+a*b*c";
    Formula(big, 3);
    EXPECT_FALSE(Convert([] {}));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("too large"), std::string::npos);
    EXPECT_FALSE(view->CurrentScheme);
}

TEST_F(Circuit, SaveByFilterEntryAndName) {
    Formula("a*|b+c", 1, gsEU);
    const QString jpg = Path("one.jpg"), jpeg = Path("two.jpeg"), bmp = Path("three.bmp");
    const QString all = Path("four.BMP"), unknown = Path("five.gif");
    const QString png = Path("six.png"), pngUnderJpeg = Path("seven.png");
    const int allEntry = static_cast<int>(TCirView::SaveFilters().size());
    QSize small;
    EXPECT_TRUE(Convert([&] {
        SaveAs(jpg, 1);
        view->SpeedButton1->click();
        SaveAs(jpeg, 2);
        view->Save1->trigger();
        SaveAs(png, 4);
        view->SpeedButton1->click();
        SaveAs(pngUnderJpeg, 1);
        view->SpeedButton1->click();
        view->ScaleDown1->trigger();  // a picture saved after a rescale has the new size
        small = Shown();
        SaveAs(bmp, 3);
        view->SpeedButton1->click();
        SaveAs(all, allEntry);
        view->SpeedButton1->click();
        SaveAs(unknown, allEntry);
        view->SpeedButton1->click();
    }));
    ASSERT_EQ(dialogs.asked.size(), 7u);
    EXPECT_EQ(dialogs.asked[0].title, "Save");
    EXPECT_EQ(dialogs.asked[0].proposedName, "Circuit");
    EXPECT_EQ(dialogs.asked[0].defaultSuffix, "jpg");
    EXPECT_EQ(dialogs.asked[0].filters, TCirView::SaveFilters());

    std::string error;
    for (const QString& path : {jpg, jpeg}) {
        const QImage back =
            platform::DecodeJpeg(testing_support::ReadAll(path.toStdString()), 1 << 22, &error);
        EXPECT_EQ(back.size(), QSize(324, 243)) << error;
    }
    for (const QString& path : {png, pngUnderJpeg}) {
        EXPECT_EQ(testing_support::ReadAll(path.toStdString()).substr(1, 3), "PNG")
            << path.toStdString();
        QImage back;
        EXPECT_TRUE(back.load(path, "PNG"));
        EXPECT_EQ(back.size(), QSize(324, 243));
    }
    for (const QString& path : {bmp, all}) {
        QImage back;
        EXPECT_TRUE(back.load(path, "BMP")) << path.toStdString();
        EXPECT_EQ(back.size(), small);
    }
    EXPECT_LT(small.width(), 324);
    EXPECT_FALSE(QFile::exists(unknown));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find(".jpg, .jpeg, .bmp, .png, .svg or .tex"), std::string::npos);
}

TEST_F(Circuit, SavingOverAFileAsksFirst) {
    Formula("a", 1);
    const QString path = Path("kept.bmp");
    testing_support::WriteAll(path.toStdString(), "old");
    messages.Plan(MsgAnswer::No);
    messages.Plan(MsgAnswer::Yes);
    EXPECT_TRUE(Convert([&] {
        SaveAs(path, 3);
        view->SpeedButton1->click();
        EXPECT_EQ(testing_support::ReadAll(path.toStdString()), "old");
        SaveAs(path, 3);
        view->SpeedButton1->click();
        SaveAs(Path("no/such/folder.bmp"), 3);
        view->SpeedButton1->click();
    }));
    ASSERT_EQ(messages.Texts().size(), 3u);
    EXPECT_EQ(messages.Texts()[0], "This file already exist, replace ?");
    EXPECT_EQ(testing_support::ReadAll(path.toStdString()).substr(0, 2), "BM");
    EXPECT_EQ(messages.Texts()[2].rfind("Can't save the picture.", 0), 0u);
}

TEST_F(Circuit, PrintPutsThePictureOnOnePage) {
    Formula("a*|b+c", 1);
    print.pdf = Path("page.pdf");
    EXPECT_TRUE(Convert([&] {
        print.accept = false;
        view->SpeedButton2->click();
        EXPECT_FALSE(QFile::exists(print.pdf));
        print.accept = true;
        view->Print1->trigger();
    }));
    EXPECT_EQ(print.runs, 2);
    EXPECT_EQ(print.docName, "Mapwright Scheme");
    const std::string pdf = testing_support::ReadAll(print.pdf.toStdString());
    EXPECT_EQ(picture_checks::PdfPageCount(pdf), 1);
    EXPECT_TRUE(picture_checks::PdfHasPicture(pdf, 324, 243));

    print.pdf = Path("no/such/folder/page.pdf");
    EXPECT_TRUE(Convert([&] { view->SpeedButton2->click(); }));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "Can't print the circuit.");
}

}  // namespace
