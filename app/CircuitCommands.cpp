// The main window's circuit commands.

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include "app/Main.h"
#include "app/OptionsForm.h"
#include "app/Windows.h"
#include "circuit/CircuitForm.h"

void TForm1::ConnectCircuitCommands() {
    for (QAction* a : {Cretecircuit1, N200})
        connect(a, &QAction::triggered, this, &TForm1::N200Click);
}

void TForm1::N200Click() {
    TCircuit* circuit = Windows().Circuit;
    if (!circuit) return;
    // Without a result the formula box keeps what it held.
    const QString formula =
        TreeView->topLevelItemCount() > 0 ? TreeView->topLevelItem(0)->text(0) : QString();
    const TOptions* options = Windows().Options;
    TFormulaType form = circuit->FormulaType();
    if (options && options->RadioButton1->isChecked()) form = ftDNF;
    if (options && options->RadioButton2->isChecked()) form = ftCNF;
    circuit->Open(formula, form);
}
