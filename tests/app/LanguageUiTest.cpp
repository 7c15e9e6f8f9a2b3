// Translating the running program: choosing and adding languages in the Options dialog, what a
// pass changes, the tips window and the About box.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <set>

#include "UiFixture.h"
#include "advmin/AdvMinimize.h"
#include "app/AboutForm.h"
#include "app/tips.h"
#include "platform/IniFile.h"
#include "platform/QtMessageSink.h"
#include "platform/Translate.h"
#include "ui/LanguageFile.h"
#include "ui/language.h"

namespace {

namespace fs = std::filesystem;

class Language : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        fs::create_directories(Path("Languages").toStdString());
        for (const char* name : {"english", "german", "french", "russian"}) {
            const std::string file = std::string(name) + ".lng";
            fs::copy_file(fs::path(MW_SOURCE_DIR) / "resources/Languages" / file,
                          Path("Languages/" + QString::fromStdString(file)).toStdString());
        }
    }
    void WriteFile(const QString& name, const QByteArray& text) {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    std::string Setting(const char* section, const char* key) const {
        return platform::IniFile(platform::SettingsFilePath()).ReadString(section, key, "<none>");
    }
    TLanguage* Language1() const { return form1->Language1; }
    // The current text of every key, read through the translation hook without changing any.
    std::map<std::string, QString> Texts() {
        std::map<std::string, QString> texts;
        const QString file = Language1()->LanguageFile;
        QByteArray all = "[Translations]\n";
        for (const std::string& key : language::PropertyKeys())
            all += QByteArray::fromStdString(key) + "=?\n";
        WriteFile("all.lng", all);
        Language1()->LanguageFile = Path("all.lng");
        std::string key;
        Language1()->OnTranslate = [&](TLanguage&, QObject*, const QString&, const QString& current,
                                       QString& value) {
            texts[key] = current;
            value = current;
        };
        for (const std::string& k : language::PropertyKeys()) {
            key = k;
            Language1()->ApplyProperty(QString::fromStdString(k), "?");
        }
        Language1()->OnTranslate = nullptr;
        Language1()->LanguageFile = file;
        return texts;
    }
    // The Options command, closed with Ok (which writes the language list).
    void RunOptionsAndClose() {
        OnModal([this](QWidget*) { options->BitBtn1->click(); });
        form1->SpeedButton10->click();
    }
    // Runs `whileOpen` on the next modal window once it shows, then closes it.
    void OnModal(std::function<void(QWidget*)> whileOpen) {
        QTimer::singleShot(0, [this, whileOpen] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return OnModal(whileOpen);
            whileOpen(modal);
            modal->close();
        });
    }
};

TEST_F(Language, EveryKeyReachesAPropertyOfTheRunningProgram) {
    StartProgram();
    EXPECT_EQ(Language1()->objectName(), "Language1");
    EXPECT_EQ(Language1()->Properties().size(), 234);
    const auto texts = Texts();
    EXPECT_EQ(texts.size(), 234u) << "some keys name no window or component";
    for (const auto& [key, text] : texts) EXPECT_FALSE(text.isEmpty()) << key;
}

TEST_F(Language, ChoosingGermanRenamesEveryWindowAtOnceAndEnglishBringsItBack) {
    StartProgram();
    const auto english = Texts();
    EXPECT_EQ(platform::TranslateText("Do you really want to quit?"),
              "Do you really want to quit?");

    options->ComboBox1->setEditText("German");
    EXPECT_EQ(form1->N25->text(), "Analysieren");
    EXPECT_EQ(form1->SpeedButton9->text(), "Los");
    EXPECT_EQ(form1->SpeedButton9->toolTip(), "Analysieren");
    EXPECT_EQ(form1->N10->title(), "&Datei");
    EXPECT_EQ(options->windowTitle(), "Optionen");
    EXPECT_EQ(options->PageControl1->tabText(2), "Sprache");
    EXPECT_EQ(Windows().AdvMin->List->horizontalHeaderItem(1)->text(), "Wert");
    EXPECT_EQ(Windows().TipsForm->Button1->text(), QString::fromUtf8("Nächster Tipp >>"));
    // The counts under the map are said again, not left in English until the next edit.
    EXPECT_TRUE(form1->CountStatus->text().startsWith("Einsen: "))
        << form1->CountStatus->text().toStdString();
    EXPECT_EQ(platform::TranslateText("Do you really want to quit?"),
              "Möchten Sie das Programm wirklich beenden?");
    EXPECT_EQ(Setting("Language", "CurrentLanguage"), "German");
    const auto german = Texts();
    int changed = 0;
    for (const auto& [key, text] : german) changed += text != english.at(key);
    EXPECT_GT(changed, 120);

    options->ComboBox1->setEditText("english");
    for (const auto& [key, text] : Texts()) EXPECT_EQ(text, english.at(key).trimmed()) << key;
    EXPECT_EQ(platform::TranslateText("Term"), "Term");

    // A later run starts in the language chosen last.
    options->ComboBox1->setEditText("french");
    DestroyProgram();
    StartProgram();
    EXPECT_EQ(form1->N25->text(), "Analyser");
    EXPECT_FALSE(form1->CountStatus->text().startsWith("Ones: "))
        << form1->CountStatus->text().toStdString();
    EXPECT_EQ(Windows().TipsForm->windowTitle(), "Astuce du jour");
    EXPECT_EQ(options->ComboBox1->currentText(), "french");
}

TEST_F(Language, ASingleEntryChangesOnlyItsCaptionAndDamagedValuesChangeNothing) {
    StartProgram();
    const auto before = Texts();
    WriteFile("Languages/one.lng", "[Translations]\nForm1.N25.Caption=Analyse!\n");
    options->ComboBox1->setEditText("one");
    auto after = Texts();
    EXPECT_EQ(after.at("Form1.N25.Caption"), "Analyse!");
    after["Form1.N25.Caption"] = before.at("Form1.N25.Caption");
    EXPECT_EQ(after, before);

    // Integer properties take whole numbers only; unknown names and properties are skipped.
    options->Edit1->setMaxLength(30);
    WriteFile(
        "Languages/bad.lng",
        "[Translations]\nOptions.Edit1.MaxLength=abc\nOptions.Edit2.MaxLength=12\nNoWindow.X."
        "Caption=1\n"
        "Form1.NoSuch.Caption=2\nForm1.N25.NoSuchProperty=3\n . . =4\nForm1.N25..Caption=5\n");
    Language1()->LanguageFile = Path("Languages/bad.lng");
    Language1()->SetProperties({"Options.Edit1.MaxLength", "Options.Edit2.MaxLength",
                                "NoWindow.X.Caption", "Form1.NoSuch.Caption",
                                "Form1.N25.NoSuchProperty", " . . ", "Form1.N25..Caption", ""});
    Language1()->Translate();
    EXPECT_EQ(options->Edit1->maxLength(), 30);
    EXPECT_EQ(options->Edit[0]->maxLength(), 12);
    EXPECT_EQ(form1->N25->text(), "Analyse!");

    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i) garbage[i] = char((i * 7919) & 0xFF);
    WriteFile("Languages/garbage.lng", "[Translations]\n" + garbage);
    Language1()->LanguageFile = Path("Languages/garbage.lng");
    Language1()->Translate();
    EXPECT_EQ(form1->N25->text(), "Analyse!");
}

TEST_F(Language, AListValueGivesItsItemsAndTheEventsSeeEveryProperty) {
    StartProgram();
    QTreeWidget probe;  // a window of four columns
    probe.setObjectName("Probe");
    probe.setColumnCount(4);
    WriteFile("list.lng",
              "[Translations]\nProbe.TitleCaptions=P, Q,,R\nAdvMin.List.TitleCaptions=P, Q,,R\n");
    Language1()->LanguageFile = Path("list.lng");
    Language1()->SetProperties({"probe.titlecaptions  ", "AdvMin.List.TitleCaptions"});
    QStringList events;
    Language1()->OnBeforeTranslation = [&](TLanguage& sender) {
        events << "before" + sender.objectName();
    };
    Language1()->OnAfterTranslation = [&](TLanguage&) { events << "after"; };
    Language1()->OnTranslate = [&](TLanguage&, QObject* target, const QString& property,
                                   const QString& current, QString&) {
        events << target->objectName() + "." + property + "=" + current;
    };
    Language1()->Translate();
    EXPECT_EQ(events.join('|').toStdString(),
              "beforeLanguage1|Probe.titlecaptions=1,2,3,4|List.TitleCaptions=Key,Value|after");
    const QTreeWidgetItem* header = probe.headerItem();
    EXPECT_EQ((QStringList{header->text(0), header->text(1), header->text(2), header->text(3)}),
              (QStringList{"P", "Q", "", "R"}));
    QTableWidget* list = Windows().AdvMin->List;
    EXPECT_EQ(list->columnCount(), 2) << "titles beyond the columns add none";
    EXPECT_EQ(list->horizontalHeaderItem(0)->text() + list->horizontalHeaderItem(1)->text(), "PQ");

    Language1()->SetSeparator("  ");
    EXPECT_EQ(Language1()->Separator(), ",");
    Language1()->SetSeparator(";");
    Language1()->OnTranslate = [](TLanguage&, QObject*, const QString&, const QString&,
                                  QString& value) { value = value.toLower(); };
    Language1()->Translate();
    EXPECT_EQ(header->text(0), "p, q,,r");
}

TEST_F(Language, TypingANameWritesEveryIntermediateChoice) {
    StartProgram();
    QLineEdit* edit = options->ComboBox1->lineEdit();
    EXPECT_EQ(edit->text(), "English") << "the language in use";
    edit->selectAll();  // typed over, as a person replaces a text
    const QString name = "german";
    for (int i = 0; i < name.size(); ++i) {
        QTest::keyClick(edit, name[i].toLatin1());
        EXPECT_EQ(Setting("Language", "CurrentLanguage"), name.left(i + 1).toStdString());
        EXPECT_EQ(form1->N25->text(), i + 1 < name.size() ? "Analyze" : "Analysieren") << i;
    }
    QTest::keyClick(edit, Qt::Key_Backspace);  // no file: the texts stay German
    EXPECT_EQ(Setting("Language", "CurrentLanguage"), "germa");
    EXPECT_EQ(form1->N25->text(), "Analysieren");
}

TEST_F(Language, ShippedLanguagesAreOfferedAndAddingNeedsTheFileAndANameNotYetListed) {
    WriteFile("mapwright.ini", "[Language]\nSupportedLanguages=french\n");
    StartProgram();
    QStringList listed;
    for (int i = 0; i < options->ComboBox1->count(); ++i) listed << options->ComboBox1->itemText(i);
    EXPECT_EQ(listed, QStringList({"french", "English", "German", "Russian"}));
    EXPECT_EQ(options->ComboBox1->currentText(), "English")
        << "the language in use; the list does not choose one";
    EXPECT_EQ(Setting("Language", "CurrentLanguage"), "<none>");

    WriteFile("Languages/latin.lng", "[Translations]\nForm1.N25.Caption=Analysare\n");
    options->Edit1->setText("Latin");
    options->Button1->click();
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "Language: \"Latin\" installed successfully.");
    EXPECT_EQ(options->ComboBox1->count(), 5);
    EXPECT_EQ(options->ComboBox1->itemText(4), "Latin");
    EXPECT_EQ(form1->N25->text(), "Analyze") << "adding does not switch";
    EXPECT_EQ(Setting("Language", "CurrentLanguage"), "<none>");

    for (const char* name : {"FRENCH", "german", "klingon", "", "a,b", "../Languages/german"}) {
        options->Edit1->setText(name);
        options->Button1->click();
    }
    EXPECT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(options->ComboBox1->count(), 5);

    // In another language the message is put together from its translated parts.
    options->ComboBox1->setEditText("russian");
    fs::remove(Path("Languages/latin.lng").toStdString());
    WriteFile("Languages/greek.lng", "[Translations]\n");
    options->Edit1->setText("greek");
    options->Button1->click();
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(QString::fromStdString(messages.Texts()[1]),
              QString::fromUtf8("Язык \"greek\" успешно установлен."));
    RunOptionsAndClose();
    EXPECT_EQ(Setting("Language", "SupportedLanguages"),
              "french,English,German,Russian,Latin,greek");
}

TEST_F(Language, TipsAppearAtTheFirstActivationOnlyWhenTheSettingsAskForIt) {
    StartProgram();  // no settings file: no tip, and the box does not claim one
    TTipsForm* tips = Windows().TipsForm;
    EXPECT_FALSE(tips->showtips->isChecked());
    EXPECT_FALSE(tips->ShowAtStart);
    EXPECT_TRUE(tips->TipText->toPlainText().isEmpty());
    // Help, Tip of the day opens showing a tip, the program's own English one when no
    // language is in use.
    QString opened;
    OnModal([&](QWidget* modal) {
        opened = static_cast<TTipsForm*>(modal)->TipText->toPlainText();
        modal->close();
    });
    form1->tipoftheday->trigger();
    EXPECT_FALSE(opened.isEmpty());
    // Ticked and closed by the close box, even before any settings file: the next start shows
    // a tip.
    OnModal([&](QWidget* modal) {
        static_cast<TTipsForm*>(modal)->showtips->setChecked(true);
        modal->close();
    });
    form1->tipoftheday->trigger();
    EXPECT_EQ(Setting("Options", "ShowTips"), "true");
    DestroyProgram();

    WriteFile("mapwright.ini", "[Language]\nCurrentLanguage=German\n[Options]\nShowTips=true\n");
    int shown = 0;
    QString tip;
    OnModal([&](QWidget* modal) {
        ++shown;
        EXPECT_EQ(modal, Windows().TipsForm);
        tip = Windows().TipsForm->TipText->toPlainText();
    });
    StartProgram();
    QTest::qWait(50);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(tip.isEmpty());
    const int activations = form1->ActivationCount;
    QWidget other;  // a later activation shows nothing
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(form1);
    QApplication::processEvents();
    EXPECT_EQ(shown, 1);
    EXPECT_GT(form1->ActivationCount, activations);

    // Help, Tip of the day shows the tip the window holds; Close keeps the cleared box.
    OnModal([&](QWidget* modal) {
        auto* t = static_cast<TTipsForm*>(modal);
        EXPECT_EQ(t->TipText->toPlainText(), tip);
        t->showtips->setChecked(false);
        t->Button2->click();
    });
    form1->tipoftheday->trigger();
    EXPECT_EQ(Setting("Options", "ShowTips"), "false");
    DestroyProgram();
    StartProgram();
    EXPECT_FALSE(Windows().TipsForm->ShowAtStart);
    EXPECT_FALSE(Windows().TipsForm->showtips->isChecked());
}

TEST_F(Language, NextTipDrawsEveryTipOfTheFile) {
    StartProgram();
    options->ComboBox1->setEditText("english");
    TTipsForm* tips = Windows().TipsForm;
    const auto count = language::TipsCount(Language1()->LanguageFile.toStdString());
    ASSERT_TRUE(count);
    int next = 0;
    tips->Random = [&](int n) {
        EXPECT_EQ(n, *count);
        return next++;
    };
    QSet<QString> texts;
    for (int i = 0; i < *count; ++i) {
        tips->Button1->click();
        texts.insert(tips->TipText->toPlainText());
    }
    EXPECT_EQ(texts.size(), *count) << "each tip is its own text";
}

TEST_F(Language, TheAboutBoxShowsTheProductAndClosesWithOk) {
    StartProgram();
    options->ComboBox1->setEditText("german");
    TAboutBox* about = Windows().AboutBox;
    EXPECT_EQ(about->windowTitle(), QString::fromUtf8("Über"));
    EXPECT_EQ(about->size(), QSize(302, 270));
    EXPECT_EQ(about->ShockwaveFlash1->geometry(), QRect(0, 0, 300, 225));
    const QImage picture = about->ShockwaveFlash1->grab().toImage();
    EXPECT_GT(picture.pixelColor(150, 10).blue(), picture.pixelColor(150, 10).red())
        << "the picture is drawn";
    bool shown = false;
    OnModal([&](QWidget* modal) {
        shown = modal == about;
        about->BitBtn1->click();
    });
    form1->N17->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(about->isVisible());
}

}  // namespace

namespace {

TEST_F(Language, MessageBoxButtonsSpeakTheLanguage) {
    StartProgram();
    options->ComboBox1->setEditText("german");
    platform::QtMessageSink boxes;
    const platform::ScopedMessageSink shown(&boxes);
    for (const auto buttons : {platform::MsgButtons::YesNo, platform::MsgButtons::OkCancel}) {
        QStringList captions;
        OnModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_TRUE(box);
            for (QAbstractButton* b : box->buttons()) captions << b->text().remove('&');
            box->buttons().first()->click();
        });
        platform::Say("Do you really want to quit?", platform::MsgIcon::Information, buttons);
        captions.sort();
        EXPECT_EQ(captions, buttons == platform::MsgButtons::YesNo
                                ? QStringList({"Ja", "Nein"})
                                : QStringList({"Abbrechen", "OK"}));
    }
}

}  // namespace
