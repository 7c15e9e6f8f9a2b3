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
    // The circuit draws the form the analysis gave.
    const TFormulaType form =
        Windows().Options ? Windows().Settings.GlueMethod : circuit->FormulaType();
    circuit->Open(formula, form);
}
