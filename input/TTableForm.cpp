#include "input/TTableForm.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "input/TruthTable.h"
#include "ui/DialogParts.h"
#include "ui/language.h"

namespace {
QAction* FillAction(QMenu* menu, const char* name, const QString& value, TTruthTable* table) {
    QAction* a = menu->addAction("with \"" + value + "\"");
    a->setObjectName(QString::fromLatin1(name));
    QObject::connect(a, &QAction::triggered, table, [table, value] { table->FillFunction(value); });
    return a;
}
}  // namespace

TTruthTableForm::TTruthTableForm(QWidget* parent) : QDialog(parent) {
    using dialogparts::Named;
    setObjectName("TruthTableForm");
    setWindowTitle("Truth Table");
    setModal(true);

    TruthTable1 = Named<TTruthTable>("TruthTable1", this);
    TruthTable1->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = Named<QMenu>("PopupMenu1", this);
    Fill1 = Named<QMenu>("Fill1", "Fill", PopupMenu1);
    PopupMenu1->addMenu(Fill1);
    N11 = FillAction(Fill1, "N11", "1", TruthTable1);
    N01 = FillAction(Fill1, "N01", "0", TruthTable1);
    N21 = FillAction(Fill1, "N21", "*", TruthTable1);
    N1 = PopupMenu1->addSeparator();
    N1->setObjectName("N1");
    Clear1 = PopupMenu1->addAction("Clear");
    Clear1->setObjectName("Clear1");
    connect(Clear1, &QAction::triggered, TruthTable1, [this] { TruthTable1->FillFunction({}); });
    connect(TruthTable1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(TruthTable1->viewport()->mapToGlobal(at));
    });

    BitBtn1 = Named<QPushButton>("BitBtn1", "OK", this);
    BitBtn2 = Named<QPushButton>("BitBtn2", "Cancel", this);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TruthTable1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    resize(260, 440);
    TranslateWindows();  // the language chosen so far
}

void TTruthTableForm::SetVariableCount(int n) {
    TruthTable1->SetVariableCount(n);
}
