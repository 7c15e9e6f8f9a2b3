// The main window's circuit commands.

#include <QAction>

#include "app/Main.h"

void TForm1::ConnectCircuitCommands() {
    // The circuit dialog is not part of the program yet: its entries stay unavailable.
    for (QAction* a : {Cretecircuit1, N200}) a->setEnabled(false);
}

void TForm1::N200Click() {}
