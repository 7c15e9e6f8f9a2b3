// The main window's commands that open the tool windows: advanced minimizer, tips, About.

#include <QAction>

#include "advmin/AdvMinimize.h"
#include "app/Main.h"
#include "app/Windows.h"

void TForm1::ConnectToolWindowCommands() {
    connect(Advancedminimizer1, &QAction::triggered, this, &TForm1::Button1Click);
    // The tips and About windows are not part of the program yet: their entries stay unavailable.
    for (QAction* a : {tipoftheday, N17}) a->setEnabled(false);
}

void TForm1::Button1Click() {
    if (TAdvMin* tool = Windows().AdvMin) tool->exec();
}
void TForm1::tipofthedayClick() {}
void TForm1::N17Click() {}
