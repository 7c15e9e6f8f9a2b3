// The main window's commands that open the tool windows: advanced minimizer, tips, About,
// and the tip shown at start.

#include <QAction>
#include <QPlainTextEdit>

#include "advmin/AdvMinimize.h"
#include "app/AboutForm.h"
#include "app/Main.h"
#include "app/Windows.h"
#include "app/tips.h"
#include "platform/ProgramFolder.h"
#include "ui/LanguageFile.h"

void TForm1::ConnectToolWindowCommands() {
    connect(Advancedminimizer1, &QAction::triggered, this, &TForm1::Button1Click);
    connect(tipoftheday, &QAction::triggered, this, &TForm1::tipofthedayClick);
    connect(N17, &QAction::triggered, this, &TForm1::N17Click);
}

void TForm1::Button1Click() {
    if (TAdvMin* tool = Windows().AdvMin) tool->exec();
}
// Shows the tip the window already holds ("Next tip >>" draws another), or a new one when it
// holds none yet, as when the tips did not open at start-up.
void TForm1::tipofthedayClick() {
    TTipsForm* tips = Windows().TipsForm;
    if (!tips) return;
    if (tips->TipText->toPlainText().isEmpty()) tips->Button1Click();
    tips->exec();
}
void TForm1::N17Click() {
    if (TAboutBox* about = Windows().AboutBox) about->exec();
}

QString TForm1::GetLangFileName(const QString& name) const {
    return QString::fromStdString(
        language::LanguageFilePath(platform::ProgramFolder(), name.toStdString()));
}

// At the first activation only, and only when the settings ask for it. Queued, so the modal
// window does not open inside the activation event itself.
void TForm1::ShowTipAtStart() {
    TTipsForm* tips = Windows().TipsForm;
    if (ActivationCount != 1 || !tips || !tips->ShowAtStart) return;
    QMetaObject::invokeMethod(
        this,
        [] {
            if (TTipsForm* tips = Windows().TipsForm) {
                tips->Button1Click();
                tips->exec();
            }
        },
        Qt::QueuedConnection);
}
