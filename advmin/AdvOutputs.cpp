// The advanced tool's several functions: the list of outputs beside the variables (the three
// boxes show the current output's lists), and the files that hold them all, Boolean function
// files with a section per output and PLA files.

#include <QBoxLayout>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

#include "advmin/AdvMinimize.h"
#include "advmin/FunctionLists.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/ocxint.h"
#include "files/Pla.h"
#include "files/PlaFile.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"
#include "ui/DialogParts.h"

namespace {

QToolButton* SmallButton(const char* name, const QString& hint, const QString& text,
                         QWidget* parent) {
    auto* b = dialogparts::Named<QToolButton>(name, parent);
    b->setToolTip(hint);
    b->setText(text);
    b->setAutoRaise(true);
    b->setFixedSize(25, 25);
    return b;
}

// A name a PLA can carry: no blanks, not empty.
bool PlaName(const std::string& name) {
    return !name.empty() && name.find_first_of(" \t\r\n") == std::string::npos;
}

}  // namespace

void TAdvMin::CreateOutputsPart(QVBoxLayout* column) {
    QWidget* page = TabSheet1;
    Label8 = dialogparts::Named<QLabel>("Label8", "Outputs", page);
    OutputList = dialogparts::Named<QListWidget>("OutputList", page);
    OutputList->setMaximumHeight(96);
    OutputList->setEditTriggers(QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed);
    SpeedButton11 = SmallButton("SpeedButton11", "Add output", "+", page);
    SpeedButton12 =
        SmallButton("SpeedButton12", "Remove output", QString::fromUtf8("\u2212"), page);
    auto* head = new QHBoxLayout;
    head->addWidget(Label8);
    head->addStretch();
    head->addWidget(SpeedButton11);
    head->addWidget(SpeedButton12);
    column->addLayout(head);
    column->addWidget(OutputList);
    connect(SpeedButton11, &QToolButton::clicked, this, &TAdvMin::SpeedButton11Click);
    connect(SpeedButton12, &QToolButton::clicked, this, &TAdvMin::SpeedButton12Click);
    connect(OutputList, &QListWidget::currentRowChanged, this, &TAdvMin::OutputListChange);
    connect(OutputList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = OutputList->row(item);
        if (row < 0 || row >= static_cast<int>(outputs_.size())) return;
        const std::string name = item->text().trimmed().toStdString();
        if (!name.empty()) outputs_[row].name = name;
        if (item->text().toStdString() != outputs_[row].name) {
            const QSignalBlocker block(OutputList);
            item->setText(QString::fromStdString(outputs_[row].name));
        }
    });
    ShowOutputs({{DefaultOutputName(0), {}}});
}

void TAdvMin::StoreCurrentOutput() {
    if (currentOutput_ < 0 || currentOutput_ >= static_cast<int>(outputs_.size())) return;
    outputs_[currentOutput_].lists = {ComboBox1->currentText().toStdString(),
                                      ComboBox2->currentText().toStdString(),
                                      ComboBox3->currentText().toStdString()};
}

std::vector<OutputFunction> TAdvMin::Outputs() {
    StoreCurrentOutput();
    return outputs_;
}

void TAdvMin::ShowOutputs(std::vector<OutputFunction> outputs) {
    outputs_ = std::move(outputs);
    {
        const QSignalBlocker block(OutputList);
        OutputList->clear();
        for (const OutputFunction& o : outputs_) {
            auto* item = new QListWidgetItem(QString::fromStdString(o.name), OutputList);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
        OutputList->setCurrentRow(0);
    }
    currentOutput_ = 0;
    ComboBox1->setEditText(QString::fromStdString(outputs_[0].lists[0]));
    ComboBox2->setEditText(QString::fromStdString(outputs_[0].lists[1]));
    ComboBox3->setEditText(QString::fromStdString(outputs_[0].lists[2]));
    SpeedButton12->setEnabled(outputs_.size() > 1);
}

void TAdvMin::OutputListChange() {
    const int row = OutputList->currentRow();
    if (row < 0 || row == currentOutput_ || row >= static_cast<int>(outputs_.size())) return;
    StoreCurrentOutput();
    currentOutput_ = row;
    ComboBox1->setEditText(QString::fromStdString(outputs_[row].lists[0]));
    ComboBox2->setEditText(QString::fromStdString(outputs_[row].lists[1]));
    ComboBox3->setEditText(QString::fromStdString(outputs_[row].lists[2]));
}

void TAdvMin::SpeedButton11Click() {
    if (outputs_.size() >= static_cast<std::size_t>(BooleanFunctionFile::kMaxFunctions)) return;
    StoreCurrentOutput();
    // The first free default name.
    std::string name;
    for (int k = static_cast<int>(outputs_.size());; ++k) {
        name = DefaultOutputName(k);
        if (std::none_of(outputs_.begin(), outputs_.end(),
                         [&](const OutputFunction& o) { return o.name == name; }))
            break;
    }
    outputs_.push_back({name, {}});
    auto* item = new QListWidgetItem(QString::fromStdString(name), OutputList);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    OutputList->setCurrentRow(OutputList->count() - 1);
    SpeedButton12->setEnabled(true);
    SpeedButton11->setEnabled(outputs_.size() <
                              static_cast<std::size_t>(BooleanFunctionFile::kMaxFunctions));
}

void TAdvMin::SpeedButton12Click() {
    if (outputs_.size() < 2) return;
    const int row = currentOutput_;
    outputs_.erase(outputs_.begin() + row);
    {
        const QSignalBlocker block(OutputList);
        delete OutputList->takeItem(row);
        currentOutput_ = -1;  // its boxes are not stored anywhere now
    }
    OutputList->setCurrentRow(std::min<int>(row, static_cast<int>(outputs_.size()) - 1));
    if (currentOutput_ < 0) OutputListChange();
    SpeedButton12->setEnabled(outputs_.size() > 1);
    SpeedButton11->setEnabled(true);
}

void TAdvMin::SpeedButton1Click() {
    const platform::FileChoice choice = platform::Dialogs().OpenFile(
        this, {"Open", {"Boolean Function (*.bf)", "PLA File (*.pla)"}, "bf", {}});
    if (!choice.accepted || !QFileInfo::exists(choice.path)) return;
    if (QFileInfo(choice.path).suffix().toLower() == "pla")
        return OpenPla(choice.path.toStdString());
    const auto content = ReadListsFile(choice.path.toStdString());
    if (!content) return;
    DropRows();
    StoreCurrentOutput();
    ShowOutputs(OutputsOfFile(*content, outputs_[currentOutput_]));
    if (content->VarCount) {
        const QSignalBlocker block(Spin);
        Spin->setValue(*content->VarCount);
    }
    SpinChange();
}

void TAdvMin::SpeedButton2Click() {
    const platform::FileChoice choice = platform::Dialogs().SaveFile(
        this, {"Save", {"Boolean Function (*.bf)", "PLA File (*.pla)"}, "bf", {}});
    if (!choice.accepted) return;
    if (QFileInfo(choice.path).suffix().toLower() == "pla") {
        SavePla(choice.path.toStdString());
        return;
    }
    if (rows_) {
        platform::Say("These functions are kept as a PLA's rows: save them as a PLA.",
                      platform::MsgIcon::Error);
        return;
    }
    FileOfOutputs(Spin->value(), Outputs()).Write(choice.path.toStdString());
}

bool TAdvMin::SavePla(const std::string& path) {
    std::string error;
    if (rows_) {
        if (platform::WriteFileAtomically(path, RowsPlaText(), &error)) return true;
        platform::SayFileError("Cannot write the file.", path, error);
        return false;
    }
    const int n = Spin->value();
    const std::vector<OutputFunction> outputs = Outputs();
    if ((outputs.size() << n) > kMaxFunctionCharacters) {
        platform::Say("These functions are too large to be held at once.",
                      platform::MsgIcon::Error);
        return false;
    }
    std::vector<std::string> functions;
    std::vector<std::string> outputNames;
    for (const OutputFunction& o : outputs) {
        const auto function = FunctionFromLists(n, o.lists[0], o.lists[1], o.lists[2]);
        if (!function) return false;  // said
        functions.push_back(*function);
        outputNames.push_back(o.name);
    }
    updatevarnames();
    std::vector<std::string> inputNames(VarNames.begin(), VarNames.begin() + n);
    // Names a PLA cannot carry are left out; the file is still sound.
    if (!std::all_of(inputNames.begin(), inputNames.end(), PlaName)) inputNames.clear();
    if (!std::all_of(outputNames.begin(), outputNames.end(), PlaName)) outputNames.clear();
    if (platform::WriteFileAtomically(path, PlaOfFunctions(n, functions, inputNames, outputNames),
                                      &error))
        return true;
    platform::SayFileError("Cannot write the file.", path, error);
    return false;
}

void TAdvMin::OpenPla(const std::string& path) {
    const auto say = [](const std::string& text) {
        platform::ShowMessage(text, platform::MsgIcon::Error, platform::MsgButtons::Ok);
    };
    if (QFileInfo(QString::fromStdString(path)).size() > static_cast<qint64>(kMaxPlaFileSize))
        return say(platform::TranslateText("The file is too large."));
    pla::Error error;
    auto file = pla::ReadFile(path, &error);
    if (!file) return say(error.message);
    if (file->inputs < kMinListVariables || file->inputs > kMaxCoreInputs || file->outputs < 1)
        return say(platform::TranslateText("The advanced tool takes PLAs of 4 to 999 inputs."));
    if (KeptAsRows(file->inputs, file->outputs))
        return KeepRows(std::make_unique<pla::Pla>(std::move(*file)));
    DropRows();
    ShowOutputs(OutputsOfPla(*file));
    {
        const QSignalBlocker block(Spin);
        Spin->setValue(file->inputs);
    }
    SpinChange();
    if (static_cast<int>(file->inputNames.size()) == file->inputs) {
        for (int k = 0; k < file->inputs; ++k)
            if (QTableWidgetItem* item = List->item(k, 1))
                item->setText(QString::fromStdString(file->inputNames[k]));
        updatevarnames();
    }
}
