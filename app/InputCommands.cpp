// The main window's commands that fill the map through a dialog: formula, sets, truth table.

#include <QAction>
#include <QComboBox>
#include <QSpinBox>
#include <QToolButton>

#include "app/Main.h"
#include "app/Windows.h"
#include "engine/MapView.h"
#include "input/Formula.h"
#include "input/Input.h"
#include "input/Input_Formula.h"
#include "input/Sets.h"
#include "input/TTableForm.h"
#include "input/TruthTable.h"

void TForm1::ConnectInputCommands() {
    for (QAction* a : {N22, N9}) connect(a, &QAction::triggered, this, &TForm1::N9Click);
    for (QAction* a : {N23, N8}) connect(a, &QAction::triggered, this, &TForm1::SpeedButton7Click);
    connect(N28, &QAction::triggered, this, &TForm1::N28Click);
    connect(N29, &QAction::triggered, this, &TForm1::N29Click);
    connect(N14, &QAction::triggered, this, &TForm1::N14Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::N9Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
    connect(SpeedButton11, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
}

void TForm1::MapChangedByDialog() {
    CarnoGrid1->Refresh();
    Createreport1->setEnabled(false);
}

void TForm1::N9Click() {
    TInputFormula* dialog = Windows().InputFormula;
    if (!dialog) return;
    dialog->ShowVariables(Grid);
    if (dialog->exec() != QDialog::Accepted) return;
    if (!MayFill()) return;
    MapCommand([&] { AnalyzeFormulaString(Grid, dialog->Formula().toStdString()); });
    MapChangedByDialog();
}

void TForm1::SpeedButton7Click() {
    TInputForm* dialog = Windows().InputForm;
    if (!dialog) return;
    dialog->SetRange(Grid.VariableCount());
    if (dialog->exec() != QDialog::Accepted) return;
    if (!MayFill()) return;
    // In this order, so that a number named twice keeps the last box's value.
    const std::pair<QString, const char*> texts[] = {
        {dialog->Ones(), "1"}, {dialog->Zeros(), "0"}, {dialog->DontCares(), "*"}};
    MapCommand([&] {
        for (const auto& [text, value] : texts)
            if (!text.isEmpty()) AnalyzeWorkString(Grid, text.toStdString(), value);
    });
    MapChangedByDialog();
}

void TForm1::SpeedButton10Click() {
    TTruthTableForm* dialog = Windows().TruthTableForm;
    if (!dialog) return;
    TTruthTable* table = dialog->TruthTable1;
    table->SetVariableCount(SpinEdit1->value());
    // The table starts from the map as it is, so that OK alone changes nothing.
    table->LoadFromMap(Grid);
    if (dialog->exec() != QDialog::Accepted) return;
    if (!MayFill()) return;
    MapCommand([&] { table->FillCarnoCard(Grid); });
    MapChangedByDialog();
}

void TForm1::N28Click() {
    SpeedButton10Click();
}
void TForm1::N29Click() {
    SpeedButton10Click();
}

void TForm1::N14Click() {
    TInputFormula* dialog = Windows().InputFormula;
    if (!dialog) return;
    dialog->SetFormula(QString::fromStdString(Grid.ResultFormula()));
    dialog->ShowVariables(Grid);
    dialog->exec();  // the map is filled only by the Formula command
}
