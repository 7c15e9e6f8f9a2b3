#include "explain/ExerciseDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "explain/Worksheet.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"

namespace {

QString T(const std::string& english) {
    return QString::fromStdString(platform::TranslateText(english));
}

QSpinBox* Spin(QWidget* parent, const char* name, int min, int max, int value) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(min, max);
    s->setValue(value);
    return s;
}

}  // namespace

TExerciseDialog::TExerciseDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("ExerciseDialog");
    setWindowTitle(T("New exercise"));
    Vars = Spin(this, "Vars", 2, 8, 4);
    Ones = Spin(this, "Ones", 1, 99, 50);
    DontCares = Spin(this, "DontCares", 0, 90, 10);
    Level = new QComboBox(this);
    Level->setObjectName("Level");
    Level->addItems(
        {T("Essential primes alone"), T("A cyclic core"), T("Several minimal solutions")});
    Seed = Spin(this, "Seed", 0, 2147483647, 1);
    NewSeed = new QPushButton(T("New seed"), this);
    NewSeed->setObjectName("NewSeed");
    Count = Spin(this, "Count", 1, 500, 20);
    WorksheetButton = new QPushButton(T("Worksheet..."), this);
    WorksheetButton->setObjectName("WorksheetButton");

    auto* seedRow = new QHBoxLayout;
    seedRow->addWidget(Seed, 1);
    seedRow->addWidget(NewSeed);
    auto* sheetRow = new QHBoxLayout;
    sheetRow->addWidget(Count, 1);
    sheetRow->addWidget(WorksheetButton);
    auto* form = new QFormLayout;
    form->addRow(T("Variables"), Vars);
    form->addRow(T("Ones (%)"), Ones);
    form->addRow(T("Don't cares (%)"), DontCares);
    form->addRow(T("Difficulty"), Level);
    form->addRow(T("Seed"), seedRow);
    form->addRow(T("Exercises on a worksheet"), sheetRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(T("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(T("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(NewSeed, &QPushButton::clicked, this, [this] {
        Seed->setValue(static_cast<int>(QRandomGenerator::global()->bounded(1, 1000000)));
    });
    connect(WorksheetButton, &QPushButton::clicked, this, [this] { WriteWorksheet(); });
}

explain::ExerciseSettings TExerciseDialog::Settings() const {
    explain::ExerciseSettings s;
    s.vars = Vars->value();
    s.onesPercent = Ones->value();
    s.dontCarePercent = DontCares->value();
    s.difficulty = static_cast<explain::Difficulty>(Level->currentIndex());
    s.seed = static_cast<uint64_t>(Seed->value());
    s.form = form;
    return s;
}

void TExerciseDialog::SetSettings(const explain::ExerciseSettings& s) {
    Vars->setValue(s.vars);
    Ones->setValue(s.onesPercent);
    DontCares->setValue(s.dontCarePercent);
    Level->setCurrentIndex(static_cast<int>(s.difficulty));
    Seed->setValue(static_cast<int>(s.seed));
    form = s.form;
}

bool TExerciseDialog::WriteWorksheet() {
    platform::FileDialogRequest request;
    request.title = T("Worksheet");
    request.filters = {"TeX (*.tex)", "HTML (*.html)", "PDF (*.pdf)"};
    request.defaultSuffix = "tex";
    request.proposedName = "worksheet.tex";
    const platform::FileChoice choice = platform::Dialogs().SaveFile(this, request);
    if (!choice.accepted) return false;
    const std::string path = choice.path.toStdString();
    const std::string ext = path.substr(path.find_last_of('.') + 1);
    const explain::ExerciseSettings one = Settings();
    explain::WorksheetSettings s;
    s.count = Count->value();
    s.minVars = s.maxVars = one.vars;
    s.seed = one.seed;
    s.form = one.form;
    s.onesPercent = one.onesPercent;
    s.dontCarePercent = one.dontCarePercent;
    s.difficulty = one.difficulty;
    const std::vector<explain::Exercise> exercises = explain::WorksheetExercises(s);
    if (static_cast<int>(exercises.size()) < s.count) {
        platform::Say(
            "No map of this difficulty turned up: try another seed, share of ones or size.");
        return false;
    }
    const std::vector<explain::WorksheetPage> pages = explain::WorksheetPages(exercises);
    std::string error;
    const bool written =
        ext == "pdf" ? explain::WriteWorksheetPdf(pages, path, &error)
                     : platform::WriteFileAtomically(path,
                                                     ext == "html" ? explain::WorksheetHtml(pages)
                                                                   : explain::WorksheetTex(pages),
                                                     &error);
    if (!written) {
        platform::SayFileError("Cannot write the file.", path, error);
        return false;
    }
    return true;
}
