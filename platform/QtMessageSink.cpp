#include "platform/QtMessageSink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "platform/Translate.h"

namespace platform {

MsgAnswer QtMessageSink::Show(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Mapwright"));
    box.setText(QString::fromStdString(text));
    switch (icon) {
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    // The buttons speak the interface's language like every other text.
    const auto caption = [&box](QMessageBox::StandardButton which, const std::string& text) {
        if (QAbstractButton* button = box.button(which))
            button->setText(QString::fromStdString(text));
    };
    caption(QMessageBox::Ok, TranslateText("OK"));
    caption(QMessageBox::Cancel, TranslateText("Cancel"));
    caption(QMessageBox::Yes, TranslateText("Yes"));
    caption(QMessageBox::No, TranslateText("No"));
    // A message during long work must not show the busy cursor; the work resumes with it.
    int busy = 0;
    for (; QApplication::overrideCursor() != nullptr; ++busy) QApplication::restoreOverrideCursor();
    const int answer = box.exec();
    for (; busy > 0; --busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    switch (answer) {
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        default:
            if (buttons == MsgButtons::YesNoCancel) return MsgAnswer::Cancel;  // the close box
            return buttons == MsgButtons::YesNo
                       ? MsgAnswer::No
                       : (buttons == MsgButtons::OkCancel && box.result() != QMessageBox::Ok
                              ? MsgAnswer::Cancel
                              : MsgAnswer::Ok);
    }
}

}  // namespace platform
