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
#include "engine/MapView.h"
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
    RecentFiles1 = new QMenu("Recent Files", this);
    RecentFiles1->setObjectName("RecentFiles1");
    N10->insertMenu(N19, RecentFiles1);
    N10->insertSeparator(N19);
    setAcceptDrops(true);
}

bool TForm1::OpenFile(const QString& fileName) {
    if (!LoadMap(fileName)) return false;
    NoteRecentFile(fileName);
    return true;
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
