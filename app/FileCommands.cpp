// The main window's file commands beyond the designed ones: opening by the file's kind (the
// command line, a dropped file, a recent file: map, Boolean function, CSV truth table or PLA)
// and the list of recent files.

#include <sys/stat.h>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

#include "app/Main.h"
#include "app/Windows.h"
#include "engine/MapView.h"
#include "files/BooleanFunctionFile.h"
#include "files/FunctionFile.h"
#include "files/MapFile.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/PathText.h"
#include "platform/ProgramFolder.h"
#include "platform/Translate.h"

namespace {

constexpr int kRecentCount = 8;

std::string RecentKey(int i) {
    return "RecentFile" + std::to_string(i + 1);
}

}  // namespace

void TForm1::CreateFileCommands() {
    New1 = new QAction("New", this);
    New1->setObjectName("New1");
    New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    N10->insertAction(N18, New1);
    // F2 beside the designed F3 for Open; Ctrl+S fills from sets.
    Save1 = new QAction("Save", this);
    Save1->setObjectName("Save1");
    Save1->setShortcut(QKeySequence(Qt::Key_F2));
    N10->insertAction(N5, Save1);
    connect(New1, &QAction::triggered, this, &TForm1::NewClick);
    connect(Save1, &QAction::triggered, this, &TForm1::SaveClick);

    RecentFiles1 = new QMenu("Recent Files", this);
    RecentFiles1->setObjectName("RecentFiles1");
    N10->insertMenu(N19, RecentFiles1);
    N10->insertSeparator(N19);
    setAcceptDrops(true);
    savedContent_ = Content();
}

bool TForm1::OpenFile(const QString& fileName) {
    if (!MayDropChanges()) return false;
    if (!LoadMap(fileName)) return false;
    NoteRecentFile(fileName);
    // A PLA may hold several outputs: saving one back would lose the others.
    const QString ext = QFileInfo(fileName).suffix().toLower();
    MapSaved(ext == "pla" ? QString() : QFileInfo(fileName).absoluteFilePath());
    return true;
}

std::string TForm1::Content() const {
    std::string content(1, static_cast<char>('0' + Grid.VariableCount()));
    for (int i = 1; i <= Grid.VariableCount(); ++i) content += Grid.VarName(i) + '\n';
    for (int c = 1; c <= Grid.MapColumns(); ++c)
        for (int r = 1; r <= Grid.MapRows(); ++r) content += Grid.Cells(c, r) + '\t';
    return content;
}

bool TForm1::Modified() const {
    return Content() != savedContent_;
}

void TForm1::MapSaved(const QString& file) {
    currentFile_ = file;
    savedContent_ = Content();
    UpdateCaption();
}

void TForm1::UpdateCaption() {
    QString title = "Mapwright";
    if (!currentFile_.isEmpty()) title = QFileInfo(currentFile_).fileName() + " - " + title;
    if (Modified()) title = "*" + title;
    setWindowTitle(title);
}

bool TForm1::MayDropChanges() {
    if (!Modified()) return true;
    const std::string name = currentFile_.isEmpty()
                                 ? platform::TranslateText("the map")
                                 : platform::PathBytes(QFileInfo(currentFile_).fileName());
    const std::string question = platform::TranslateText("Save the changes to %1?");
    const std::size_t at = question.find("%1");
    const std::string text = at == std::string::npos
                                 ? question
                                 : question.substr(0, at) + name + question.substr(at + 2);
    switch (platform::ShowMessage(text, platform::MsgIcon::Warning,
                                  platform::MsgButtons::YesNoCancel)) {
        case platform::MsgAnswer::Yes:
            SaveClick();
            return !Modified();  // saved, or nothing happened and the question stands
        case platform::MsgAnswer::No:
            return true;
        default:
            return false;
    }
}

void TForm1::SaveClick() {
    if (currentFile_.isEmpty()) {
        SaveAs();
        return;
    }
    const std::string path = platform::PathBytes(currentFile_);
    const QString ext = QFileInfo(currentFile_).suffix().toLower();
    Grid.PackedFlag = Windows().Settings.BitSave ? 1 : 0;
    const bool saved = ext == "bf"    ? SaveToBooleanFunctionFile(Grid, path)
                       : ext == "csv" ? SaveToCsvFile(Grid, path)
                                      : SaveToFile(Grid, path);
    if (saved) MapSaved(currentFile_);
}

void TForm1::NewClick() {
    if (!MayDropChanges()) return;
    if (!Grid.ConfirmResultsLoss({}, platform::MsgIcon::Warning)) return;
    MapCommand([this] {
        Grid.CleareCard();
        for (int i = 1; i <= 8; ++i)
            Grid.SetVarName(i, std::string(1, static_cast<char>('A' + i - 1)));
        Grid.FunctionName.clear();
    });
    ShowVariableCount();
    CarnoGrid1->Refresh();
    MapSaved({});
}

void TForm1::LoadRecentFiles() {
    const platform::IniFile ini = platform::SettingsFile();
    recentFiles_.clear();
    for (int i = 0; i < kRecentCount; ++i) {
        const std::string path = ini.ReadString("Options", RecentKey(i), "");
        if (!path.empty() && !recentFiles_.contains(platform::PathText(path)))
            recentFiles_ << platform::PathText(path);
    }
    BuildRecentMenu();
}

void TForm1::SaveRecentFiles() {
    std::vector<std::pair<std::string, std::string>> values;
    for (int i = 0; i < kRecentCount; ++i)
        values.push_back({RecentKey(i), i < recentFiles_.size()
                                            ? platform::PathBytes(recentFiles_[i])
                                            : std::string()});
    platform::SaveSettings("Options", values);
}

void TForm1::NoteRecentFile(const QString& fileName) {
    const QString path = QFileInfo(fileName).absoluteFilePath();
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > kRecentCount) recentFiles_.removeLast();
    BuildRecentMenu();
    SaveRecentFiles();
}

void TForm1::BuildRecentMenu() {
    RecentFiles1->clear();
    for (int i = 0; i < recentFiles_.size(); ++i) {
        const QString path = recentFiles_[i];
        QAction* a =
            RecentFiles1->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        a->setToolTip(path);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    }
    RecentFiles1->setEnabled(!recentFiles_.isEmpty());
}

void TForm1::OpenRecentFile(const QString& path) {
    struct stat st {};
    if (::stat(platform::PathBytes(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        platform::ShowMessage(
            platform::TranslateText("The file is no longer there and leaves the recent files:") +
                "\n" + platform::PathBytes(path),
            platform::MsgIcon::Information, platform::MsgButtons::Ok);
        recentFiles_.removeAll(path);
        BuildRecentMenu();
        SaveRecentFiles();
        return;
    }
    OpenFile(path);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    OpenFile(urls.first().toLocalFile());  // one map at a time: the first file
}
