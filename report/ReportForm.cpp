#include "report/ReportForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "app/Main.h"
#include "app/Windows.h"
#include "files/HtmlExport.h"
#include "input/TTableForm.h"
#include "input/TruthTable.h"
#include "input/TruthTableData.h"
#include "platform/Message.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"
#include "report/ReportBuilder.h"
#include "report/ReportFiles.h"
#include "report/RepViewForm.h"
#include "report/TruthTableSection.h"

namespace {

QCheckBox* Check(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void Fail(const std::string& text) { platform::ShowMessage(text, platform::MsgIcon::Error, platform::MsgButtons::Ok); }

}  // namespace

TReport::TReport(QWidget* parent) : QDialog(parent) {
    setObjectName("Report");
    setWindowTitle("Report");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    GroupBox1 = new QGroupBox(" Content  ", this);
    GroupBox1->setObjectName("GroupBox1");
    TTInc = Check("TTInc", "Include Truth Table", GroupBox1);
    MapInc = Check("MapInc", "Include Karnaugh Map", GroupBox1);
    SetInc = Check("SetInc", "Include Set's", GroupBox1);
    MapEach = Check("MapEach", "Include Map for  Each Term", GroupBox1);
    auto* boxes = new QVBoxLayout(GroupBox1);
    for (QCheckBox* b : {TTInc, MapInc, SetInc, MapEach}) boxes->addWidget(b);

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setToolTip("Check All");
    SpeedButton1->setText(QString::fromUtf8("\u2714"));
    SpeedButton1->setFixedSize(33, 33);
    SpeedButton1->setAutoRaise(true);
    BitBtn2 = new QPushButton("&Generate", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setToolTip("Generate report");
    BitBtn2->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);

    connect(SpeedButton1, &QToolButton::clicked, this, &TReport::SpeedButton1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TReport::BitBtn2Click);
}

void TReport::SpeedButton1Click() {
    for (QCheckBox* b : {TTInc, MapInc, SetInc, MapEach}) b->setChecked(true);
}

void TReport::BitBtn2Click() {
    std::string path;
    if (!Generate(path)) return;  // the dialog stays open; the reason has been shown
    TRepView* viewer = Windows().RepView;
    if (viewer) {
        viewer->View(path);
        viewer->showMaximized();
        viewer->raise();
    }
    accept();
}

bool TReport::Generate(std::string& path) {
    TForm1* form1 = Windows().Form1;
    if (!form1) return false;
    TCarnoGrid& grid = form1->Grid;
    std::string pageTemplate, error;
    if (!report::ReadTemplate("report.inc", &pageTemplate, &error)) {
        Fail(error);
        return false;
    }

    report::Content content;
    content.method = grid.GlueMethod;
    for (int i = 1; i <= grid.VariableCount(); ++i) content.names.push_back(grid.VarName(i));
    content.formula = grid.ResultFormula();
    if (SetInc->isChecked()) {
        std::array<std::string, 3> sets;
        grid.MapToSets(sets[0], sets[1], sets[2]);
        content.sets = sets;
    }
    if (TTInc->isChecked()) {
        // The truth-table dialog's control is left holding the map's function, as the user
        // will find it there.
        TTruthTable* control = Windows().TruthTableForm ? Windows().TruthTableForm->TruthTable1 : nullptr;
        TruthTableData scratch;
        std::string table;
        const bool ok = report::TruthTableSection(grid, control ? control->Data() : scratch, table, error);
        if (control) control->Refresh();
        if (!ok) {
            Fail(error);
            return false;
        }
        content.truthTableHtml = table;
    }
    std::vector<std::string> lines;
    if (MapInc->isChecked()) {
        grid.SaveToHTMLTemp(lines, -1);
        content.mapHtml = html::JoinLines(lines);
    }
    content.eachTerm = MapEach->isChecked();
    if (content.eachTerm) {
        // Every node after the formula, in tree order, selected in turn so the map shows it too.
        int k = 0;
        for (QTreeWidgetItemIterator it(form1->TreeView); *it; ++it, ++k) {
            if (k == 0) continue;
            form1->TreeView->setCurrentItem(*it);
            grid.SaveToHTMLTemp(lines, k - 1);
            content.terms.push_back({(*it)->text(0).toStdString(), html::JoinLines(lines)});
        }
    }

    std::string missing;
    const auto page = report::Build(pageTemplate, content, missing);
    if (!page) {
        Fail(platform::TranslateText("The report template lacks the placeholder") + " " + missing);
        return false;
    }
    path = report::ReportPath();
    if (!platform::WriteFileAtomically(path, *page, &error)) {
        Fail(error);
        return false;
    }
    return true;
}
