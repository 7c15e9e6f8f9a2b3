#pragma once
// Small pieces the input dialogs share.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QScreen>
#include <climits>
#include <utility>

#include "ui/LongLineEdit.h"

namespace dialogparts {

template <typename W, typename... Args>
W* Named(const char* name, Args&&... args) {
    auto* w = new W(std::forward<Args>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// An editable box whose list is a history the dialog fills itself; no length limit, and a list
// of megabytes does not slow its painting.
inline QComboBox* HistoryBox(const char* name, QWidget* parent) {
    auto* box = Named<QComboBox>(name, parent);
    box->setLineEdit(new LongLineEdit(box));
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setMaxLength(INT_MAX);
    // Inline completion would change a typed text into an older one behind the user's back.
    box->setCompleter(nullptr);
    return box;
}

// A modal dialog with a fixed border and only a close box, named and titled.
inline void FixedDialog(QDialog* dialog, const char* name, const QString& title) {
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialog->setModal(true);
}

// Centred on the screen the window is on, at its present size.
inline void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

}  // namespace dialogparts
