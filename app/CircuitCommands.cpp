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
    for (QAction* a : {Cretecircuit1, N200}) connect(a, &QAction::triggered, this, &TForm1::N200Click);
}

void TForm1::N200Click() {
    TCircuit* circuit = Windows().Circuit;
    if (!circuit) return;
    // Without a result the formula box keeps what it held.
    if (TreeView->topLevelItemCount() > 0) circuit->Func->setPlainText(TreeView->topLevelItem(0)->text(0));
    const TOptions* options = Windows().Options;
    if (options && options->RadioButton1->isChecked()) circuit->FormType->setCurrentIndex(0);
    if (options && options->RadioButton2->isChecked()) circuit->FormType->setCurrentIndex(1);
    circuit->SetScaleIndex(1);  // "Medium"
    circuit->exec();
}
