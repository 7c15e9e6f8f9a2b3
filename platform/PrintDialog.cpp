#include "platform/PrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace platform {

namespace {
QtPrintDialogProvider qtProvider;
PrintDialogProvider* current = &qtProvider;
}  // namespace

bool QtPrintDialogProvider::Run(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

PrintDialogProvider& PrintDialogs() {
    return *current;
}

PrintDialogProvider* SetPrintDialogProvider(PrintDialogProvider* provider) {
    PrintDialogProvider* previous = current;
    current = provider ? provider : &qtProvider;
    return previous;
}

}  // namespace platform
