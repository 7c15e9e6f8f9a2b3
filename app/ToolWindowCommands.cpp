// The main window's commands that open the tool windows: advanced minimizer, tips, About.

#include <QAction>

#include "app/Main.h"

void TForm1::ConnectToolWindowCommands() {
    // These windows are not part of the program yet: their entries stay unavailable.
    for (QAction* a : {Advancedminimizer1, tipoftheday, N17}) a->setEnabled(false);
}

void TForm1::Button1Click() {}
void TForm1::tipofthedayClick() {}
void TForm1::N17Click() {}
