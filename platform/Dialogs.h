#pragma once
// The common dialogs (open, save, colour, font) behind one replaceable provider: Qt's dialogs
// in the program, scripted answers in the widget tests.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

struct FileDialogRequest {
    QString title;
    QStringList filters;    // "Description (*.ext *.ext2)", in order
    QString defaultSuffix;  // without the dot
    QString proposedName;   // save dialogs
};

struct FileChoice {
    bool accepted = false;
    QString path;
    int filterIndex = 1;  // 1-based position of the chosen filter
};

class DialogProvider {
  public:
    virtual ~DialogProvider() = default;
    virtual FileChoice OpenFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // Never asks about replacing an existing file; the caller does.
    virtual FileChoice SaveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual bool PickColor(QWidget* parent, QColor& color) = 0;
    virtual bool PickFont(QWidget* parent, QFont& font) = 0;
    // A number from min to max with the given decimals, starting at value; false when
    // cancelled. Asks with Qt's input dialog unless a provider answers otherwise.
    virtual bool PickNumber(QWidget* parent, const QString& title, const QString& label,
                            double& value, double min, double max, int decimals);
    // One of the items, *index starting at and receiving the choice (from 0); false when
    // cancelled. Asks with Qt's input dialog unless a provider answers otherwise.
    virtual bool PickItem(QWidget* parent, const QString& title, const QString& label,
                          const QStringList& items, int& index);
};

class QtDialogProvider : public DialogProvider {
  public:
    FileChoice OpenFile(QWidget* parent, const FileDialogRequest& request) override;
    FileChoice SaveFile(QWidget* parent, const FileDialogRequest& request) override;
    bool PickColor(QWidget* parent, QColor& color) override;
    bool PickFont(QWidget* parent, QFont& font) override;
};

// The provider behind a memory of folders: an accepted file choice is remembered for its kind
// of file (the request's default suffix) for the rest of the run.
DialogProvider& Dialogs();
// Where a file dialog for this kind of file opens: the folder last chosen for it; empty when
// none was (the dialog's own choice).
QString RememberedFolder(const QString& defaultSuffix);
// Forgets every folder remembered (a new run, as the tests see it).
void ForgetDialogFolders();
// Installs a provider and returns the previous one; nullptr restores Qt's.
DialogProvider* SetDialogProvider(DialogProvider* provider);

}  // namespace platform
