// The help pages: valid HTML, links that lead somewhere, and a word on every command of the
// running program's menus and on every one of its windows.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>

#include "HtmlCheck.h"
#include "UiFixture.h"

namespace {

const QString kHelp = QStringLiteral(MW_SOURCE_DIR "/resources/help/");

QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The pages' text as a reader sees it: tags dropped, entities of the captions undone.
QString AllText() {
    QString all;
    for (const QString& page : QDir(kHelp).entryList({"*.html"}))
        all += Read(kHelp + page).remove(QRegularExpression("<[^>]*>")) + "\n";
    return all.replace("&gt;", ">").replace("&lt;", "<").replace("&amp;", "&").simplified();
}

TEST(HelpPages, ValidAndLinkedToPagesThatExist) {
    const QStringList pages = QDir(kHelp).entryList({"*.html"});
    ASSERT_GE(pages.size(), 12);
    const QString contents = Read(kHelp + "mwr.html");
    for (const QString& page : pages) {
        const QString text = Read(kHelp + page);
        EXPECT_EQ(testing_support::HtmlErrors(text.toStdString()), "") << page.toStdString();
        const QRegularExpression link("href=\"([^\"#:]+)\"");
        for (auto m = link.globalMatch(text); m.hasNext();) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(kHelp + target))
                << page.toStdString() << " -> " << target.toStdString();
        }
        if (page == "mwr.html") continue;
        EXPECT_TRUE(contents.contains("href=\"" + page + "\""))
            << page.toStdString() << " not in the contents";
        EXPECT_TRUE(text.contains("Worked example") || text.contains("<table>"))
            << page.toStdString() << " shows no example";
    }
}

class HelpCoverage : public UiFixture {};

TEST_F(HelpCoverage, EveryMenuCommandAndWindowIsDescribed) {
    StartProgram();
    const QString help = AllText();
    for (QAction* action : form1->findChildren<QAction*>()) {
        if (action->isSeparator() || action->objectName().isEmpty()) continue;
        const QString caption = action->text().remove('&').simplified();
        if (caption.isEmpty()) continue;
        EXPECT_TRUE(help.contains(caption))
            << action->objectName().toStdString() << " \"" << caption.toStdString() << "\"";
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName().isEmpty() || window->windowTitle().isEmpty()) continue;
        EXPECT_TRUE(help.contains(window->windowTitle()))
            << window->objectName().toStdString() << " \"" << window->windowTitle().toStdString()
            << "\"";
    }
}

}  // namespace
