// The main window's commands that fill the map through a dialog: formula, sets, truth table.

#include <QAction>
#include <QToolButton>

#include "app/Main.h"

void TForm1::ConnectInputCommands() {
    // The input dialogs are not part of the program yet: their entries stay unavailable.
    for (QAction* a : {N22, N23, N28, N9, N8, N29, N14}) a->setEnabled(false);
    for (QToolButton* b : {SpeedButton3, SpeedButton4, SpeedButton11}) b->setEnabled(false);
}

void TForm1::N9Click() {}
void TForm1::SpeedButton7Click() {}
void TForm1::N28Click() {}
void TForm1::N29Click() {}
void TForm1::SpeedButton10Click() {}
void TForm1::N14Click() {}
