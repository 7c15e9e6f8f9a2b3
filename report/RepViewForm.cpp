#include "report/RepViewForm.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/ReadFile.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"
#include "ui/Icons.h"
#include "ui/language.h"

TRepView::TRepView(QWidget* parent) : QMainWindow(parent) {
    setObjectName("RepView");
    setWindowTitle("Report View");
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QWidget(central);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedHeight(41);
    SpeedButton1 = new QToolButton(Panel1);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setToolTip("Save Report");
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(icons::SaveMap());
    SpeedButton1->setIconSize(QSize(25, 25));
    SpeedButton1->setFixedSize(33, 33);
    auto* top = new QHBoxLayout(Panel1);
    top->setContentsMargins(4, 4, 4, 4);
    top->addWidget(SpeedButton1);
    top->addStretch();
    WebBrowser = new QTextBrowser(central);
    WebBrowser->setObjectName("WebBrowser");
    WebBrowser->setOpenExternalLinks(true);
    layout->addWidget(Panel1);
    layout->addWidget(WebBrowser, 1);
    setCentralWidget(central);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    setStatusBar(StatusBar1);
    resize(800, 600);
    connect(SpeedButton1, &QToolButton::clicked, this, &TRepView::SpeedButton1Click);
    TranslateWindows();  // the language chosen so far
}

void TRepView::View(const std::string& path) {
    reportPath_ = path;
    // Reload even when the path is the same as the last report's.
    WebBrowser->setSource(QUrl());
    WebBrowser->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void TRepView::SpeedButton1Click() {
    if (reportPath_.empty()) return;
    const platform::FileChoice choice =
        platform::Dialogs().SaveFile(this, {"Save Report to HTML document",
                                            {"HTML Documents (*.htm *.html)", "All Files (*)"},
                                            "htm",
                                            "Report" + QString::number(saveCounter_)});
    if (!choice.accepted) return;
    if (QFileInfo::exists(choice.path) &&
        platform::Say("This file already exist, replace ?", platform::MsgIcon::Warning,
                      platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    std::string page, error;
    const std::string target = choice.path.toStdString();
    switch (platform::ReadFileLimited(reportPath_, 64u << 20, &page, &error)) {
        case platform::ReadStatus::Ok:
            if (platform::WriteFileAtomically(target, page, &error)) break;
            platform::SayFileError("Cannot write the report.", target, error);
            return;
        case platform::ReadStatus::Missing:
            platform::Say("File not found");
            return;
        case platform::ReadStatus::TooLarge:
            error = "File too large";
            [[fallthrough]];
        case platform::ReadStatus::Failed:
            platform::SayFileError("Cannot read the report.", reportPath_, error);
            return;
    }
    ++saveCounter_;
}
