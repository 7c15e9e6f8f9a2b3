#include "platform/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <map>

namespace platform {

namespace {
QtDialogProvider qtProvider;
DialogProvider* current = &qtProvider;

FileChoice Run(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A name typed without an extension takes the chosen kind's, not always the first kind's.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request](const QString& filter) {
            const qsizetype star = filter.indexOf("*.");
            if (star < 0 || filter.mid(star + 2, 1) == "*") {
                dialog.setDefaultSuffix(request.defaultSuffix);
                return;
            }
            QString suffix;
            for (qsizetype i = star + 2; i < filter.size() && filter[i].isLetterOrNumber(); ++i)
                suffix += filter[i];
            dialog.setDefaultSuffix(suffix);
        });
    const QString folder = RememberedFolder(request.defaultSuffix);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (!request.proposedName.isEmpty()) dialog.selectFile(request.proposedName);
    FileChoice choice;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return choice;
    choice.accepted = true;
    choice.path = dialog.selectedFiles().first();
    choice.filterIndex =
        std::max(1, static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter())) + 1);
    return choice;
}
}  // namespace

FileChoice QtDialogProvider::OpenFile(QWidget* parent, const FileDialogRequest& request) {
    return Run(parent, request, QFileDialog::AcceptOpen);
}

FileChoice QtDialogProvider::SaveFile(QWidget* parent, const FileDialogRequest& request) {
    return Run(parent, request, QFileDialog::AcceptSave);
}

bool QtDialogProvider::PickColor(QWidget* parent, QColor& color) {
    const QColor chosen = QColorDialog::getColor(color, parent);
    if (!chosen.isValid()) return false;
    color = chosen;
    return true;
}

bool QtDialogProvider::PickFont(QWidget* parent, QFont& font) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (ok) font = chosen;
    return ok;
}

bool DialogProvider::PickNumber(QWidget* parent, const QString& title, const QString& label,
                                double& value, double min, double max, int decimals) {
    bool ok = false;
    const double chosen =
        QInputDialog::getDouble(parent, title, label, value, min, max, decimals, &ok);
    if (ok) value = chosen;
    return ok;
}

bool DialogProvider::PickItem(QWidget* parent, const QString& title, const QString& label,
                              const QStringList& items, int& index) {
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, title, label, items, index, false, &ok);
    if (!ok) return false;
    index = static_cast<int>(items.indexOf(chosen));
    return index >= 0;
}

namespace {

class RememberingDialogs : public DialogProvider {
  public:
    std::map<QString, QString> folders;  // default suffix -> folder

    FileChoice OpenFile(QWidget* parent, const FileDialogRequest& request) override {
        return Remember(request, current->OpenFile(parent, request));
    }
    FileChoice SaveFile(QWidget* parent, const FileDialogRequest& request) override {
        return Remember(request, current->SaveFile(parent, request));
    }
    bool PickColor(QWidget* parent, QColor& color) override {
        return current->PickColor(parent, color);
    }
    bool PickFont(QWidget* parent, QFont& font) override { return current->PickFont(parent, font); }
    bool PickNumber(QWidget* parent, const QString& title, const QString& label, double& value,
                    double min, double max, int decimals) override {
        return current->PickNumber(parent, title, label, value, min, max, decimals);
    }
    bool PickItem(QWidget* parent, const QString& title, const QString& label,
                  const QStringList& items, int& index) override {
        return current->PickItem(parent, title, label, items, index);
    }

  private:
    FileChoice Remember(const FileDialogRequest& request, const FileChoice& choice) {
        if (choice.accepted && !choice.path.isEmpty())
            folders[request.defaultSuffix.toLower()] = QFileInfo(choice.path).absolutePath();
        return choice;
    }
};

RememberingDialogs remembering;

}  // namespace

DialogProvider& Dialogs() {
    return remembering;
}

QString RememberedFolder(const QString& defaultSuffix) {
    const auto known = remembering.folders.find(defaultSuffix.toLower());
    return known == remembering.folders.end() ? QString() : known->second;
}

void ForgetDialogFolders() {
    remembering.folders.clear();
}

DialogProvider* SetDialogProvider(DialogProvider* provider) {
    DialogProvider* previous = current;
    current = provider ? provider : &qtProvider;
    return previous;
}

}  // namespace platform
