// Program start: the windows are created once each, in a fixed order, so that each one's
// creation can rely on those before it (the options load the settings before the later
// windows exist), then the message loop runs until the main window closes.

#include <QApplication>
#include <QTimer>

#include "app/Main.h"
#include "app/Windows.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"
#include "platform/QtMessageSink.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mapwright");
    platform::SetProgramFolder(QApplication::applicationDirPath().toStdString());
    platform::QtMessageSink messages;
    platform::ScopedMessageSink messageScope(&messages);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    CreateWindows(arguments);
    Windows().Form1->show();
    // For timing the start: quit as soon as the window has been shown.
    if (qEnvironmentVariableIsSet("MAPWRIGHT_QUIT_AFTER_SHOW")) QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    const int status = app.exec();
    // A timed run has no one to answer a box at its end.
    platform::StderrMessageSink unattended;
    if (qEnvironmentVariableIsSet("MAPWRIGHT_QUIT_AFTER_SHOW")) platform::SetMessageSink(&unattended);
    DestroyWindows();
    return status;
}
