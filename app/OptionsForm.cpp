#include "app/OptionsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Main.h"
#include "app/Windows.h"
#include "engine/MapView.h"
#include "engine/Options.h"
#include "engine/VariableName.h"
#include "input/StringParcer.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"
#include "platform/Translate.h"
#include "ui/DialogParts.h"
#include "ui/FormulaView.h"
#include "ui/language.h"

using platform::MsgButtons;
using platform::MsgIcon;

namespace {

using dialogparts::Named;

std::string T(const std::string& english) {
    return platform::TranslateText(english);
}

// A list of millions of names would take seconds and gigabytes to offer; no one has that many
// language files.
constexpr std::size_t kMaxLanguages = 256;

std::string FirstLanguages(const std::string& list, const std::string& file) {
    std::size_t cut = 0;
    for (std::size_t k = 0; k < kMaxLanguages; ++k) {
        cut = list.find(',', cut);
        if (cut == std::string::npos) return list;
        ++cut;
    }
    platform::Say("The settings file lists more languages than are kept; the first 256 are kept.",
                  MsgIcon::Warning, MsgButtons::Ok, file);
    return list.substr(0, cut - 1);
}

// The language's file becomes the one in use, and every window takes its texts.
void SelectLanguage(const QString& name) {
    TForm1* form1 = Windows().Form1;
    TLanguage* language = TLanguage::Current();
    if (!form1 || !language) return;
    language->LanguageFile = form1->GetLangFileName(name);
    language->Translate();
}

}  // namespace

TOptions::TOptions(QWidget* parent) : QDialog(parent) {
    setObjectName("Options");
    setWindowTitle("Options");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    PageControl1 = Named<QTabWidget>("PageControl1", this);
    TabSheet1 = Named<QWidget>("TabSheet1");
    TabSheet2 = Named<QWidget>("TabSheet2");
    TabSheet3 = Named<QWidget>("TabSheet3");
    PageControl1->addTab(TabSheet1, "Map");
    PageControl1->addTab(TabSheet2, "Function");
    PageControl1->addTab(TabSheet3, "Language support");
    TabSheet4 = Named<QWidget>("TabSheet4");
    PageControl1->addTab(TabSheet4, "Appearance");

    GroupBox = Named<QGroupBox>("GroupBox", " Map Settings", TabSheet1);
    MoveColRow = Named<QCheckBox>("MoveColRow", "Movable cols && Rows ", GroupBox);
    ColRowSizing = Named<QCheckBox>("ColRowSizing", "Resizing cols && Rows", GroupBox);
    DrawFocus = Named<QCheckBox>("DrawFocus", "Fill Cursor", GroupBox);
    BitSave = Named<QCheckBox>("BitSave", "Use bit save", GroupBox);
    askbox = Named<QCheckBox>("askbox", "Ask before exit", GroupBox);
    DrawFocus->setChecked(true);
    askbox->setChecked(true);
    auto* mapLayout = new QVBoxLayout(GroupBox);
    for (QCheckBox* box : {MoveColRow, ColRowSizing, DrawFocus, BitSave, askbox})
        mapLayout->addWidget(box);
    (new QVBoxLayout(TabSheet1))->addWidget(GroupBox);

    GroupBox2 = Named<QGroupBox>("GroupBox2", " Names of variables ", TabSheet2);
    GroupBox2->setToolTip("Boolean variable names");
    auto* namesLayout = new QGridLayout(GroupBox2);
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "Edit" + QByteArray::number(i + 2);
        Edit[i] = Named<QLineEdit>(name.constData(), QString(QChar('A' + i)), GroupBox2);
        namesLayout->addWidget(Edit[i], i / 4, i % 4);
    }
    RadioGroup1 = Named<QGroupBox>("RadioGroup1", "Type of Analyze ", TabSheet2);
    RadioButton1 = Named<QRadioButton>("RadioButton1", "SOP", RadioGroup1);
    RadioButton2 = Named<QRadioButton>("RadioButton2", "POS", RadioGroup1);
    RadioButton1->setToolTip("Analyze \"1\"");
    RadioButton2->setToolTip("Analyze \"0\"");
    RadioButton1->setChecked(true);
    auto* formLayout = new QHBoxLayout(RadioGroup1);
    formLayout->addWidget(RadioButton1);
    formLayout->addWidget(RadioButton2);
    RadioGroup2 = Named<QGroupBox>("RadioGroup2", "Analysis gives", TabSheet2);
    RadioButton3 = Named<QRadioButton>("RadioButton3", "the designed gluing", RadioGroup2);
    RadioButton4 = Named<QRadioButton>("RadioButton4", "an exact minimum", RadioGroup2);
    RadioButton3->setChecked(true);
    Label2 = Named<QLabel>("Label2", "Minimal solutions listed", RadioGroup2);
    SpinEdit2 = Named<QSpinBox>("SpinEdit2", RadioGroup2);
    SpinEdit2->setRange(1, Options::kMaxSolutionsListed);
    SpinEdit2->setValue(100);
    auto* givesLayout = new QGridLayout(RadioGroup2);
    givesLayout->addWidget(RadioButton3, 0, 0);
    givesLayout->addWidget(RadioButton4, 0, 1);
    givesLayout->addWidget(Label2, 1, 0);
    givesLayout->addWidget(SpinEdit2, 1, 1);
    RadioGroup3 = Named<QGroupBox>("RadioGroup3", "Show formulas as", TabSheet2);
    RadioButton5 = Named<QRadioButton>("RadioButton5", "as typed", RadioGroup3);
    RadioButton6 = Named<QRadioButton>("RadioButton6", "textbook", RadioGroup3);
    RadioButton5->setChecked(true);
    auto* notationLayout = new QHBoxLayout(RadioGroup3);
    notationLayout->addWidget(RadioButton5);
    notationLayout->addWidget(RadioButton6);
    auto* functionLayout = new QVBoxLayout(TabSheet2);
    functionLayout->addWidget(GroupBox2);
    functionLayout->addWidget(RadioGroup1);
    functionLayout->addWidget(RadioGroup2);
    functionLayout->addWidget(RadioGroup3);

    Label1 = Named<QLabel>("Label1", "Current Language", TabSheet3);
    ComboBox1 = Named<QComboBox>("ComboBox1", TabSheet3);
    ComboBox1->setEditable(true);
    GroupBox1 = Named<QGroupBox>("GroupBox1", "Add Language", TabSheet3);
    Edit1 = Named<QLineEdit>("Edit1", GroupBox1);
    Button1 = Named<QPushButton>("Button1", "Add", GroupBox1);
    auto* addLayout = new QHBoxLayout(GroupBox1);
    addLayout->addWidget(Edit1);
    addLayout->addWidget(Button1);
    auto* languageLayout = new QVBoxLayout(TabSheet3);
    languageLayout->addWidget(Label1);
    languageLayout->addWidget(ComboBox1);
    languageLayout->addWidget(GroupBox1);
    languageLayout->addStretch();

    RadioGroup4 = Named<QGroupBox>("RadioGroup4", "Appearance", TabSheet4);
    RadioButton7 = Named<QRadioButton>("RadioButton7", "Follow the System", RadioGroup4);
    RadioButton8 = Named<QRadioButton>("RadioButton8", "Light", RadioGroup4);
    RadioButton9 = Named<QRadioButton>("RadioButton9", "Dark", RadioGroup4);
    RadioButton7->setChecked(true);
    auto* appearanceLayout = new QVBoxLayout(RadioGroup4);
    for (QRadioButton* b : {RadioButton7, RadioButton8, RadioButton9})
        appearanceLayout->addWidget(b);
    auto* lookLayout = new QVBoxLayout(TabSheet4);
    lookLayout->addWidget(RadioGroup4);
    lookLayout->addStretch();

    BitBtn1 = Named<QPushButton>("BitBtn1", "Ok", this);
    BitBtn1->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    layout->addLayout(buttons);
    PageControl1->setCurrentIndex(1);
    connect(BitBtn1, &QPushButton::clicked, this, &TOptions::BitBtn1Click);
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TOptions::ComboBox1Change);
    connect(Button1, &QPushButton::clicked, this, &TOptions::Button1Click);
    connect(RadioButton6, &QRadioButton::toggled, this, [](bool textbook) {
        formulaview::SetNotation(textbook ? FormulaNotation::Textbook : FormulaNotation::AsTyped);
    });
    for (QRadioButton* b : {RadioButton7, RadioButton8, RadioButton9})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (!on) return;
            if (TForm1* form1 = Windows().Form1)
                form1->SetAppearance(QString::fromStdString(Value().Appearance));
        });
    // Every change goes to the settings value at once: the commands read the value.
    const auto publish = [this] {
        if (!showing_) Windows().Settings = Value();
    };
    for (QCheckBox* box : {MoveColRow, ColRowSizing, DrawFocus, BitSave, askbox})
        connect(box, &QCheckBox::toggled, this, publish);
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5,
                            RadioButton6, RadioButton7, RadioButton8, RadioButton9})
        connect(b, &QRadioButton::toggled, this, publish);
    connect(SpinEdit2, &QSpinBox::valueChanged, this, publish);
    FormCreate();
    formulaview::SetNotation(RadioButton6->isChecked() ? FormulaNotation::Textbook
                                                       : FormulaNotation::AsTyped);
}

TOptions::~TOptions() {
    SaveSettings();
}

void TOptions::FormCreate() {
    TranslateWindows();
    LoadSettings();
    ListShippedLanguages();
}

// Every language file in the Languages folder is offered without being added first.
void TOptions::ListShippedLanguages() {
    const QDir folder(QString::fromStdString(platform::ProgramFolder()) + "Languages");
    const QSignalBlocker quiet(ComboBox1);  // offering is not choosing
    const QString shown = ComboBox1->currentText();
    for (const QFileInfo& file : folder.entryInfoList({"*.lng"}, QDir::Files, QDir::Name)) {
        QString name = file.completeBaseName();
        if (name.isEmpty() || name.contains(',')) continue;
        name[0] = name[0].toUpper();
        if (ComboBox1->findText(name, Qt::MatchFixedString) < 0) ComboBox1->addItem(name);
    }
    ComboBox1->setEditText(shown);
}

void TOptions::LoadSettings() {
    platform::IniFile ini = platform::SettingsFile();
    if (!ini.Exists()) return;
    TForm1* form1 = Windows().Form1;
    if (const std::string problem = ini.ReadProblem(); !problem.empty()) {
        platform::SayFileError(
            "The settings file cannot be read; it is replaced when the settings are saved.",
            ini.Path(), problem);
        return;
    }

    Options& settings = Windows().Settings;
    ReadLanguage(ini.ReadSection("Language"), settings);
    ReadOptions(ini.ReadSection("Options"), settings, form1 != nullptr);
    ShowLanguages(settings, ini.Path());
    if (form1) form1->SaveNameCounter = 1;
    Show(settings);
}

// Loading is not a choice by the user: nothing is written back.
void TOptions::ShowLanguages(const Options& o, const std::string& file) {
    const QSignalBlocker quiet(ComboBox1);
    if (o.SupportedLanguages) {
        TStringParcer parcer;
        parcer.Text = FirstLanguages(*o.SupportedLanguages, file);
        parcer.Split(',');
        const QString shown = ComboBox1->currentText();
        for (const std::string& name : parcer.Items)
            ComboBox1->addItem(QString::fromStdString(name));
        ComboBox1->setEditText(shown);  // the list offers names; it does not choose one
    }
    if (o.CurrentLanguage) {
        ComboBox1->setEditText(QString::fromStdString(*o.CurrentLanguage));
        SelectLanguage(ComboBox1->currentText());
    }
}

void TOptions::SaveSettings() {
    platform::SaveSettings("Options", OptionsSection(Windows().Settings, Windows().Form1));
}

void TOptions::Show(const Options& options) {
    // The controls change one by one: none hands back a value half shown.
    const Options o = options;
    showing_ = true;
    MoveColRow->setChecked(o.MovableColRow);
    ColRowSizing->setChecked(o.SizingColRow);
    DrawFocus->setChecked(o.DrawFocus);
    BitSave->setChecked(o.BitSave);
    askbox->setChecked(o.AskExit);
    (o.GlueMethod == gmDNF ? RadioButton1 : RadioButton2)->setChecked(true);
    (o.ExactMinimum ? RadioButton4 : RadioButton3)->setChecked(true);
    SpinEdit2->setValue(o.MaxSolutions);
    (o.Notation == FormulaNotation::Textbook ? RadioButton6 : RadioButton5)->setChecked(true);
    (o.Appearance == "dark"    ? RadioButton9
     : o.Appearance == "light" ? RadioButton8
                               : RadioButton7)
        ->setChecked(true);
    showing_ = false;
    Windows().Settings = Value();
}

Options TOptions::Value() const {
    Options o = Windows().Settings;
    o.MovableColRow = MoveColRow->isChecked();
    o.SizingColRow = ColRowSizing->isChecked();
    o.DrawFocus = DrawFocus->isChecked();
    o.BitSave = BitSave->isChecked();
    o.AskExit = askbox->isChecked();
    o.GlueMethod = RadioButton1->isChecked() ? gmDNF : gmKNF;
    o.ExactMinimum = RadioButton4->isChecked();
    o.MaxSolutions = SpinEdit2->value();
    o.Notation = RadioButton6->isChecked() ? FormulaNotation::Textbook : FormulaNotation::AsTyped;
    o.Appearance = RadioButton9->isChecked()   ? "dark"
                   : RadioButton8->isChecked() ? "light"
                                               : "system";
    return o;
}

void TOptions::WriteLanguageList() {
    QStringList names;
    for (int i = 0; i < ComboBox1->count(); ++i) names << ComboBox1->itemText(i);
    Windows().Settings.SupportedLanguages = names.join(',').toStdString();
    platform::SaveSettings("Language",
                           {{"SupportedLanguages", *Windows().Settings.SupportedLanguages}});
}

void TOptions::ShowNames(const TCarnoGrid& grid) {
    for (int i = 0; i < 8; ++i) Edit[i]->setText(QString::fromStdString(grid.VarName(i + 1)));
}

void TOptions::ApplyNames(TCarnoGrid& grid) const {
    for (int i = 0; i < 8; ++i)
        grid.SetVarName(i + 1, Edit[i]->text().toUpper().left(10).toStdString());
}

void TOptions::BitBtn1Click() {
    QString names[8];
    for (int i = 0; i < 8; ++i) names[i] = Edit[i]->text().toUpper();
    namesValid_ = true;
    for (const QString& name : names) {
        // An empty name keeps its own message; any other name follows the one rule for names.
        const std::string problem =
            name.isEmpty() ? T("Variable can not bee NULL") : varname::Problem(name.toStdString());
        if (problem.empty()) continue;
        platform::ShowMessage(problem, MsgIcon::Error, MsgButtons::Ok);
        namesValid_ = false;
    }
    for (int i = 0; i < 7; ++i) {
        for (int j = i + 1; j < 8; ++j) {
            if (names[i] != names[j]) continue;
            platform::ShowMessage(
                T("Variable: \"") + names[j].toStdString() + "\"\r\n" + T("is redeclarated."),
                MsgIcon::Error, MsgButtons::Ok);
            namesValid_ = false;
        }
    }
    accept();
}

void TOptions::ComboBox1Change() {
    SelectLanguage(ComboBox1->currentText());
    Windows().Settings.CurrentLanguage = ComboBox1->currentText().toStdString();
    platform::SaveSettings("Language", {{"CurrentLanguage", *Windows().Settings.CurrentLanguage}});
}

// The file looked for is the one choosing the name would read. A name that could not stand in
// the saved list or in a file name is never a language.
void TOptions::Button1Click() {
    const QString name = Edit1->text();
    if (name.contains(',') || name.contains('/') ||
        ComboBox1->findText(name, Qt::MatchFixedString) >= 0)
        return;
    TForm1* form1 = Windows().Form1;
    const QString file = form1 ? form1->GetLangFileName(name) : QString();
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    const QSignalBlocker quiet(ComboBox1);  // adding does not choose
    const QString shown = ComboBox1->currentText();
    ComboBox1->addItem(name);
    ComboBox1->setEditText(shown);
    platform::ShowMessage(T("Language: \"") + name.toStdString() + T("\" installed successfully."),
                          MsgIcon::Information, MsgButtons::Ok);
}

// Every way of closing (Ok, the close box, Escape) asks here; names not yet found valid keep
// the dialog open with the user's input.
void TOptions::done(int result) {
    if (!FormCloseQuery()) return;
    WriteLanguageList();
    QDialog::done(result);
}
