// The report as a person makes it: analyse, open the dialog, tick the contents, generate, read
// it in the viewer and save copies.

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "../app/UiFixture.h"
#include "HtmlCheck.h"
#include "MapHelpers.h"
#include "report/RepViewForm.h"
#include "report/ReportForm.h"

namespace {

class Report : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        QDir().mkpath(Path("Reports/Include"));
        for (const char* name : {"report.inc", "ttcell1.inc", "ttcell2.inc", "ttcell3.inc"})
            ASSERT_TRUE(QFile::copy(QString(MW_SOURCE_DIR "/resources/Reports/Include/") + name,
                                    Path(QString("Reports/Include/") + name)));
        StartProgram();
        testing_support::FillMinterms(form1->Grid, {0, 1, 4, 8, 10, 12, 14}, {5, 9});
        form1->BitBtn3Click();
        ASSERT_EQ(form1->TreeView->topLevelItem(0)->childCount(), 3);
    }

    // Opens the dialog from the Tools menu, lets `act` work on it, then presses Generate.
    void Generate(const std::function<void(TReport*)>& act) {
        TReport* dialog = Windows().Report;
        QTimer::singleShot(0, [&] {
            act(dialog);
            dialog->BitBtn2->click();
            if (dialog->isVisible()) dialog->reject();
        });
        form1->Createreport1->trigger();
    }

    QByteArray ReportText() {
        QFile f(Path("Reports/report.htm"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(Report, EverythingTickedGivesAValidPageShownInTheViewer) {
    Generate([](TReport* d) { d->SpeedButton1->click(); });
    const QByteArray page = ReportText();
    ASSERT_FALSE(page.isEmpty());
    for (const char* part : {"Disjunctive Normal Form", "Sets representation", "0,1,4,8,10,12,14",
                             "5,9", "F(A,B,C,D)=\"A*|D+|C*|D+|B*|C\"", "Term[1]=\"A*|D\"",
                             "Term[3]=\"|B*|C\"", "<TH bgcolor=\"#C0C0C0\">&nbsp;F1&nbsp;</TH>"})
        EXPECT_TRUE(page.contains(part)) << part;
    EXPECT_EQ(testing_support::HtmlErrors(page.toStdString()), "");
    TRepView* viewer = Windows().RepView;
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->ReportPath(), Path("Reports/report.htm").toStdString());
    EXPECT_TRUE(viewer->WebBrowser->toPlainText().contains("Mapwright Report"));
    EXPECT_FALSE(Windows().Report->isVisible());
    // The last term stays selected and marked.
    EXPECT_EQ(form1->TreeView->currentItem(), form1->TreeView->topLevelItem(0)->child(2));
}

TEST_F(Report, NothingTickedHoldsTypeCountHeadingsAndFormula) {
    Generate([](TReport*) {});
    const QByteArray page = ReportText();
    EXPECT_TRUE(page.contains("Number of Variables</td><td>4"));
    EXPECT_TRUE(page.contains("F(A,B,C,D)="));
    EXPECT_FALSE(page.contains("Term["));
    EXPECT_FALSE(page.contains("Sets representation"));
}

TEST_F(Report, ABrokenTemplateIsReportedAndNothingShown) {
    QFile page(Path("Reports/Include/report.inc"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><%FUNCTION%>\n<%TITLE1%>\n</html>\n");
    page.close();
    Generate([](TReport*) {});
    EXPECT_NE(messages.Texts().back().find("<%TITLE2%>"), std::string::npos);
    EXPECT_FALSE(QFile::exists(Path("Reports/report.htm")));
    EXPECT_FALSE(Windows().RepView->isVisible());

    QFile::remove(Path("Reports/Include/ttcell2.inc"));
    Generate([](TReport* d) { d->TTInc->setChecked(true); });
    EXPECT_NE(messages.Texts().back().find("ttcell2.inc"), std::string::npos);
}

TEST_F(Report, CopiesAreProposedAsReport0ThenReport1) {
    TRepView* viewer = Windows().RepView;
    viewer->SpeedButton1Click();  // no report yet: nothing happens
    EXPECT_TRUE(dialogs.asked.empty());
    Generate([](TReport*) {});
    viewer->SpeedButton1Click();  // cancelled
    dialogs.files.push_back({true, Path("copy.htm"), 1});
    viewer->SpeedButton1Click();
    dialogs.files.push_back({true, Path("copy2.htm"), 1});
    viewer->SpeedButton1Click();
    ASSERT_EQ(dialogs.asked.size(), 3u);
    EXPECT_EQ(dialogs.asked[0].proposedName, "Report0");
    EXPECT_EQ(dialogs.asked[1].proposedName, "Report0");
    EXPECT_EQ(dialogs.asked[2].proposedName, "Report1");
    EXPECT_EQ(dialogs.asked[0].title, "Save Report to HTML document");
    QFile copy(Path("copy.htm"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), ReportText());
}

}  // namespace
