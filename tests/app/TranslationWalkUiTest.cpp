// Every window in every shipped language: no English text is left on screen where the language
// file translates it, whether the language was chosen before the windows were made or while
// the program runs.

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTreeWidget>
#include <filesystem>
#include <set>

#include "UiFixture.h"
#include "platform/IniFile.h"
#include "ui/LanguageFile.h"
#include "ui/WindowRegistry.h"

namespace {

namespace fs = std::filesystem;

class TranslationWalk : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        fs::create_directories(Path("Languages").toStdString());
        for (const char* name : {"english", "german", "french", "russian"})
            fs::copy_file(Source(name), Path("Languages/" + QString(name) + ".lng").toStdString());
    }
    static fs::path Source(const std::string& language) {
        return fs::path(MW_SOURCE_DIR) / "resources/Languages" / (language + ".lng");
    }

    // The English texts the language gives another text for.
    static std::set<QString> Translated(const std::string& language) {
        const std::string english = Source("english"), other = Source(language);
        std::set<QString> texts;
        const auto note = [&](const std::string& from, const std::string& to) {
            const QString text = QString::fromStdString(from).remove('&').trimmed();
            // Words only: a number, a sign or a single letter reads the same everywhere.
            if (to != from && text.size() > 1 && text.contains(QRegularExpression("[A-Za-z]{2}")))
                texts.insert(text);
        };
        const language::Translations ours = language::ReadTranslations(english);
        const language::Translations theirs = language::ReadTranslations(other);
        for (const auto& [key, value] : ours)
            if (const auto found = theirs.find(key); found != theirs.end())
                note(value, found->second);
        for (const auto& [key, value] : platform::IniFile(other).ReadSection("Messages"))
            note(key, value);
        return texts;
    }

    // What a person reads in window: captions, labels, buttons, tabs, list items, headers,
    // menu entries and tooltips.
    static std::vector<std::pair<QString, QString>> Shown(QWidget* window) {
        std::vector<std::pair<QString, QString>> shown;
        const auto add = [&](const QObject* owner, const QString& text) {
            if (!text.isEmpty()) shown.push_back({owner->objectName(), text});
        };
        add(window, window->windowTitle());
        for (QWidget* w : window->findChildren<QWidget*>()) {
            add(w, w->toolTip());
            if (auto* label = qobject_cast<QLabel*>(w)) add(w, label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(w)) add(w, button->text());
            if (auto* group = qobject_cast<QGroupBox*>(w)) add(w, group->title());
            if (auto* tabs = qobject_cast<QTabWidget*>(w))
                for (int i = 0; i < tabs->count(); ++i) add(w, tabs->tabText(i));
            if (auto* box = qobject_cast<QComboBox*>(w); box && !box->isEditable())
                for (int i = 0; i < box->count(); ++i) add(w, box->itemText(i));
            if (auto* tree = qobject_cast<QTreeWidget*>(w); tree && !tree->isHeaderHidden())
                for (int i = 0; i < tree->columnCount(); ++i) add(w, tree->headerItem()->text(i));
        }
        for (QAction* a : window->findChildren<QAction*>()) add(a, a->text());
        return shown;
    }
};

TEST_F(TranslationWalk, NoEnglishIsLeftWhereTheLanguageTranslatesIt) {
    for (const char* chosenAtStart : {"", "German"}) {
        SCOPED_TRACE(chosenAtStart);
        if (*chosenAtStart) {
            QFile settings(Path("mapwright.ini"));
            ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
            settings.write(QByteArray("[Language]\nCurrentLanguage=") + chosenAtStart + "\n");
        }
        StartProgram();
        for (const char* name : {"German", "French", "Russian"}) {
            // Chosen as a person does, in the Options dialog.
            options->ComboBox1->setEditText(name);
            const std::set<QString> english = Translated(QString(name).toLower().toStdString());
            ASSERT_GT(english.size(), 100u) << name;
            for (QWidget* window : WindowsInOrder())
                for (const auto& [object, text] : Shown(window)) {
                    const QString plain = QString(text).remove('&').trimmed();
                    EXPECT_FALSE(english.count(plain))
                        << name << ": " << window->objectName().toStdString() << "."
                        << object.toStdString() << " shows \"" << plain.toStdString() << "\"";
                }
        }
        EXPECT_EQ(options->ComboBox1->currentText(), "Russian") << "the language in use";
        DestroyProgram();
    }
}

}  // namespace
