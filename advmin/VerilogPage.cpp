// The Verilog page beside the VHDL page: the selected result as a Verilog module, saved or
// copied.

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

#include "advmin/AdvMinimize.h"
#include "advmin/FunctionLists.h"
#include "advmin/Verilog.h"
#include "advmin/Vhdl.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"
#include "ui/DialogParts.h"
#include "ui/Icons.h"

namespace {

QToolButton* PageButton(const char* name, const QString& hint, QWidget* parent, const QIcon& icon,
                        const QString& text = {}) {
    auto* b = dialogparts::Named<QToolButton>(name, parent);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFixedSize(33, 33);
    if (!icon.isNull()) {
        b->setIcon(icon);
        b->setIconSize(QSize(25, 25));
    }
    if (!text.isEmpty()) b->setText(text);
    return b;
}

}  // namespace

void TAdvMin::CreateVerilogPage() {
    TabSheet3 = dialogparts::Named<QWidget>("TabSheet3");
    PageControl1->addTab(TabSheet3, "Verilog");
    verilogcode = dialogparts::Named<QPlainTextEdit>("verilogcode", TabSheet3);
    verilogcode->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    verilogcode->setLineWrapMode(QPlainTextEdit::NoWrap);
    SpeedButton8 = PageButton("SpeedButton8", "Save Verilog code", TabSheet3, icons::SaveMap());
    SpeedButton10 = PageButton("SpeedButton10", "Copy to clipboard", TabSheet3, icons::Copy());
    auto* tools = new QVBoxLayout;
    tools->addWidget(SpeedButton8);
    tools->addWidget(SpeedButton10);
    tools->addStretch();
    auto* page = new QHBoxLayout(TabSheet3);
    page->addWidget(verilogcode, 1);
    page->addLayout(tools);
    connect(SpeedButton7, &QToolButton::clicked, this, &TAdvMin::SpeedButton7Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TAdvMin::SpeedButton8Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TAdvMin::SpeedButton10Click);
}

void TAdvMin::SpeedButton7Click() {
    if (ResultRoot()) PageControl1->setCurrentIndex(2);
}

void TAdvMin::TabSheet3Show() {
    ShowCodePage(verilogcode, [this] {
        return resultNames_.empty() ? VerilogText(ResultRoot()->text(0).toStdString(), PortNames(),
                                                  {}, VhdlTimestamp())
                                    : VerilogTextOutputs(ResultOutputs(), PortNames(),
                                                         VerilogNames{}.module, VhdlTimestamp());
    });
}

void TAdvMin::TabSheet3Hide() {
    verilogcode->clear();
}

void TAdvMin::SpeedButton8Click() {
    SaveCodePage("Cannot write the file.", verilogcode, "Verilog code (*.v)", "v");
}

void TAdvMin::SpeedButton10Click() {
    QApplication::clipboard()->setText(verilogcode->toPlainText());
}
