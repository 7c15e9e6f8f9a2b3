// The Options dialog and the settings file across runs of the program.

#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "UiFixture.h"
#include "engine/MapView.h"
#include "platform/IniFile.h"

namespace {

class Options : public UiFixture {
  protected:
    std::string Settings() const { return platform::SettingsFilePath(); }
    void WriteSettings(const QByteArray& text) {
        QFile f(QString::fromStdString(Settings()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    // Runs the Options command; `whileOpen` acts on the shown dialog, then Ok is pressed until
    // the dialog closes (at most a few times, for tests that first give invalid names).
    void RunOptions(const std::function<void()>& whileOpen) {
        QTimer::singleShot(0, [&] {
            whileOpen();
            for (int i = 0; i < 3 && options->isVisible(); ++i) options->BitBtn1->click();
        });
        form1->SpeedButton10->click();
    }
};

TEST_F(Options, FirstRunUsesDefaultsAndTheEndOfTheRunWritesEveryKey) {
    StartProgram();
    EXPECT_FALSE(options->MoveColRow->isChecked());
    EXPECT_FALSE(options->ColRowSizing->isChecked());
    EXPECT_TRUE(options->DrawFocus->isChecked());
    EXPECT_FALSE(options->BitSave->isChecked());
    EXPECT_TRUE(options->askbox->isChecked());
    EXPECT_TRUE(options->RadioButton1->isChecked());
    EXPECT_EQ(options->PageControl1->currentIndex(), 1);
    EXPECT_EQ(form1->SaveNameCounter, 0);
    DestroyProgram();

    platform::IniFile ini(Settings());
    const auto keys = ini.ReadSection("Options");
    std::vector<std::string> names;
    for (const auto& [k, v] : keys) names.push_back(k);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "MovableColRow", "SizingColRow", "DrawFocus", "BitSave", "AskExit",
                         "GlueMethod", "FormulaNotation", "Appearance", "ProductsColor", "MapFont",
                         "ResultFont", "AnalysisGives", "MaxSolutions", "WindowGeometry",
                         "SplitterState", "PanelState", "MapZoom", "MapFillWindow"}));
    EXPECT_EQ(ini.ReadString("Options", "Appearance", ""), "system");
    EXPECT_EQ(ini.ReadString("Options", "FormulaNotation", ""), "typed");
    EXPECT_EQ(ini.ReadString("Options", "AskExit", ""), "true");
    EXPECT_EQ(ini.ReadString("Options", "GlueMethod", ""), "SOP");
    EXPECT_EQ(ini.ReadString("Options", "ProductsColor", ""),
              "0");  // black, as the main window starts
}

TEST_F(Options, SettingsAreReadAsWrittenWithKeysInAnyCase) {
    WriteSettings(
        "[Extra]\nKeep=me\n"
        "[Options]\naskexit=TRUE\nBITSAVE=true\nmovablecolrow=true\nGlueMethod=sop\nProductsColor=255\n"
        "ProductsColor=not a number\nMapFont=DejaVu Serif\nUnknown=1\n"
        "[Language]\nSupportedLanguages=English,German\nCurrentLanguage=German\n");
    StartProgram();
    EXPECT_FALSE(options->askbox->isChecked());  // only the exact value "true" is on
    EXPECT_TRUE(options->BitSave->isChecked());
    EXPECT_TRUE(options->MoveColRow->isChecked());
    EXPECT_TRUE(options->RadioButton2->isChecked());  // anything but "SOP" is the product of sums
    EXPECT_EQ(form1->Grid.TermColor, 255u);
    EXPECT_EQ(form1->CarnoGrid1->font().family(), "DejaVu Serif");
    EXPECT_EQ(options->ComboBox1->count(), 2);
    EXPECT_EQ(options->ComboBox1->currentText(), "German");
    EXPECT_EQ(form1->SaveNameCounter, 1);
    // The grid takes the map options only when the dialog closes.
    EXPECT_FALSE(form1->CarnoGrid1->horizontalHeader()->sectionsMovable());
    DestroyProgram();

    platform::IniFile ini(Settings());
    EXPECT_EQ(ini.ReadString("Extra", "Keep", ""), "me");
    EXPECT_EQ(ini.ReadString("Options", "AskExit", ""), "false");
    EXPECT_EQ(ini.ReadString("Options", "GlueMethod", ""), "POS");
    EXPECT_EQ(ini.ReadString("Options", "Unknown", ""), "1");
    EXPECT_EQ(ini.ReadString("Language", "CurrentLanguage", ""), "German");
}

TEST_F(Options, AnUnusableSettingsFileIsReportedOnceByNameAndAHugeListIsCut) {
    QByteArray list = "[Language]\nSupportedLanguages=";
    for (int i = 0; i < 100000; ++i) list += "L" + QByteArray::number(i) + ",";
    WriteSettings(list + "\n");
    StartProgram();
    EXPECT_EQ(options->ComboBox1->count(), 256);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find(Settings()), std::string::npos);
    DestroyProgram();
    messages.Clear();

    QFile::remove(QString::fromStdString(Settings()));
    ASSERT_EQ(::mkfifo(Settings().c_str(), 0600), 0);
    StartProgram();
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0],
              "The settings file cannot be read; it is replaced when the settings are saved.\n" +
                  Settings() + ": not a regular file");
    DestroyProgram();
    EXPECT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(platform::IniFile(Settings()).ReadString("Options", "AskExit", ""), "true");
    messages.Clear();

    // Past the settings' size (a few dozen keys need far less) the file is refused by name,
    // its values are not taken, and the start stays quick whatever the file holds.
    QByteArray big = "[Options]\nAskExit=false\n";
    while (big.size() <= static_cast<qsizetype>(platform::kMaxSettingsSize))
        big += "Padding=" + QByteArray(64, 'p') + "\n";
    QFile::remove(QString::fromStdString(Settings()));
    WriteSettings(big);
    StartProgram();
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find(Settings() + ": "), std::string::npos);
    EXPECT_TRUE(options->askbox->isChecked());  // its AskExit=false was not taken
    EXPECT_EQ(QFileInfo(QString::fromStdString(Settings())).size(), big.size());
    DestroyProgram();
    EXPECT_EQ(platform::IniFile(Settings()).ReadString("Options", "Padding", "none"), "none");
}

TEST_F(Options, NamesAreValidatedAndStoredInCapitals) {
    StartProgram();
    RunOptions([&] {
        const char* names[] = {"a", "b", "c", "d", "e", "f", "g", "averylongname"};
        for (int i = 0; i < 8; ++i) options->Edit[i]->setText(names[i]);
    });
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(form1->Grid.VarName(1), "A");
    EXPECT_EQ(form1->Grid.VarName(8), "AVERYLONGN");
    EXPECT_EQ(form1->CarnoGrid1->toolTip(), "Variables: A B \\ C D ");
    EXPECT_TRUE(messages.Shown().empty());

    // Two equal names and an empty one: the dialog stays open until they are mended.
    RunOptions([&] {
        options->Edit[1]->setText("a");
        options->Edit[2]->setText("");
        options->BitBtn1->click();
        EXPECT_TRUE(options->isVisible());
        EXPECT_FALSE(options->NamesValid());
        options->close();  // the close box is refused too
        EXPECT_TRUE(options->isVisible());
        options->Edit[1]->setText("B");
        options->Edit[2]->setText("C");
    });
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Variable can not bee NULL",
                                                          "Variable: \"A\"\r\nis redeclarated."}));
    EXPECT_EQ(messages.Shown()[0].icon, platform::MsgIcon::Error);

    // A name a formula would not read back is refused with the reason.
    messages.Clear();
    RunOptions([&] {
        options->Edit[3]->setText("d e");
        options->BitBtn1->click();
        EXPECT_TRUE(options->isVisible());
        options->Edit[3]->setText("D");
    });
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Invalid variable name: \"D E\"\n"
                                       "A name cannot hold blanks or control characters."});
    EXPECT_EQ(form1->Grid.VarName(4), "D");
}

TEST_F(Options, MapOptionsReachTheGridWhenTheDialogCloses) {
    StartProgram();
    RunOptions([&] {
        options->MoveColRow->setChecked(true);
        options->ColRowSizing->setChecked(true);
        options->DrawFocus->setChecked(false);
        options->ComboBox1->addItem("English");
        options->ComboBox1->addItem("French");
    });
    EXPECT_TRUE(form1->CarnoGrid1->horizontalHeader()->sectionsMovable());
    EXPECT_EQ(form1->CarnoGrid1->horizontalHeader()->sectionResizeMode(0),
              QHeaderView::Interactive);
    EXPECT_FALSE(form1->CarnoGrid1->DrawFocusSelected());
    EXPECT_EQ(platform::IniFile(Settings()).ReadString("Language", "SupportedLanguages", ""),
              "English,French");
}

}  // namespace
