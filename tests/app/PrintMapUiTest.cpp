// File > Print Map...: the map with its loops and the result on a page, through the print
// dialog; a cancelled dialog prints nothing.

#include <QAction>
#include <QFile>
#include <QPrinter>

#include "MapHelpers.h"
#include "UiFixture.h"
#include "platform/PrintDialog.h"

namespace {

class ToPdf : public platform::PrintDialogProvider {
  public:
    bool accept = true;
    QString pdf;
    QString docName;
    bool Run(QWidget*, QPrinter& printer) override {
        docName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return accept;
    }
};

class PrintMap : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        print.pdf = Path("map.pdf");
        previous = platform::SetPrintDialogProvider(&print);
    }
    void TearDown() override {
        platform::SetPrintDialogProvider(previous);
        UiFixture::TearDown();
    }
    QByteArray Printed() const {
        QFile f(print.pdf);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    ToPdf print;
    platform::PrintDialogProvider* previous = nullptr;
};

TEST_F(PrintMap, TheMapAndItsResultGoOnAPageAndCancelPrintsNothing) {
    StartProgram();
    print.accept = false;
    form1->PrintMap1->trigger();
    EXPECT_TRUE(Printed().isEmpty());

    print.accept = true;
    form1->PrintMap1->trigger();
    const QByteArray empty = Printed();
    ASSERT_TRUE(empty.startsWith("%PDF"));
    EXPECT_EQ(print.docName, "Karnaugh Map");

    // With a result the page holds its text and loops as well: more to draw.
    testing_support::FillMinterms(form1->Grid, {0, 1, 2, 5, 8, 9, 10});
    form1->BitBtn3Click();
    ASSERT_GT(form1->Grid.ResultCount(), 0);
    form1->PrintMap1->trigger();
    EXPECT_GT(Printed().size(), empty.size() + 200);
    EXPECT_TRUE(messages.Shown().empty());
}

}  // namespace
