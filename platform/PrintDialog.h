#pragma once
// The print dialog behind a replaceable provider: Qt's dialog in the program, a scripted
// answer in the widget tests.

class QPrinter;
class QWidget;

namespace platform {

class PrintDialogProvider {
  public:
    virtual ~PrintDialogProvider() = default;
    // Lets the user choose the printer and copies, which it sets on printer; false: cancelled.
    virtual bool Run(QWidget* parent, QPrinter& printer) = 0;
};

class QtPrintDialogProvider : public PrintDialogProvider {
  public:
    bool Run(QWidget* parent, QPrinter& printer) override;
};

PrintDialogProvider& PrintDialogs();
// Installs a provider and returns the previous one; nullptr restores Qt's.
PrintDialogProvider* SetPrintDialogProvider(PrintDialogProvider* provider);

}  // namespace platform
