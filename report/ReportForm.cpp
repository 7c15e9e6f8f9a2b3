#include "report/ReportForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "input/TTableForm.h"
#include "input/TruthTable.h"
#include "input/TruthTableData.h"
#include "platform/Message.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"
#include "report/Generate.h"
#include "report/RepViewForm.h"
#include "report/ReportFiles.h"
#include "ui/FormulaView.h"
#include "ui/WindowRegistry.h"
#include "ui/language.h"

namespace {

QCheckBox* Check(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void Fail(const std::string& text) {
    platform::ShowMessage(text, platform::MsgIcon::Error, platform::MsgButtons::Ok);
}

}  // namespace

TReport::TReport(QWidget* parent) : QDialog(parent) {
    setObjectName("Report");
    setWindowTitle("Report");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    GroupBox1 = new QGroupBox(" Content  ", this);
    GroupBox1->setObjectName("GroupBox1");
    TTInc = Check("TTInc", "Include Truth Table", GroupBox1);
    MapInc = Check("MapInc", "Include Karnaugh Map", GroupBox1);
    SetInc = Check("SetInc", "Include Set's", GroupBox1);
    MapEach = Check("MapEach", "Include Map for  Each Term", GroupBox1);
    MinInc = Check("MinInc", "Include Minimal solutions", GroupBox1);
    auto* boxes = new QVBoxLayout(GroupBox1);
    for (QCheckBox* b : {TTInc, MapInc, SetInc, MapEach, MinInc}) boxes->addWidget(b);

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
    TranslateWindows();  // the language chosen so far
}

void TReport::SpeedButton1Click() {
    for (QCheckBox* b : {TTInc, MapInc, SetInc, MapEach, MinInc}) b->setChecked(true);
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
    if (!map_) return false;

    // The truth-table dialog's control is left holding the map's function, as the user will
    // find it there.
    TTruthTable* control =
        Windows().TruthTableForm ? Windows().TruthTableForm->TruthTable1 : nullptr;
    TruthTableData scratch;
    std::string page, error;
    const bool built = report::GenerateReport(
        *map_,
        {TTInc->isChecked(), MapInc->isChecked(), SetInc->isChecked(), MapEach->isChecked(),
         MinInc->isChecked(), formulaview::Notation()},
        control ? control->Data() : scratch, [&](int k) { emit TermShown(k); }, page, error);
    if (control) control->Refresh();
    if (!built) {
        Fail(error);
        return false;
    }
    path = report::ReportPath();
    if (!platform::WriteFileAtomically(path, page, &error)) {
        platform::SayFileError("Cannot write the report.", path, error);
        return false;
    }
    return true;
}
