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
#include <QTreeWidget>

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

void TAdvMin::ShowOutputs(std::vector<OutputFunction> outputs, std::array<QString, 3> first) {
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
    QComboBox* boxes[] = {ComboBox1, ComboBox2, ComboBox3};
    for (int i = 0; i < 3; ++i)
        boxes[i]->setEditText(first[i].isEmpty() ? QString::fromStdString(outputs_[0].lists[i])
                                                 : std::move(first[i]));
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
    const std::string path = choice.path.toStdString();
    const bool isPla = QFileInfo(choice.path).suffix().toLower() == "pla";
    StoreCurrentOutput();
    const OutputFunction current = outputs_[currentOutput_];
    // Read and checked off this thread (a file may hold millions of minterms); a refusal has
    // been said and leaves everything as it was.
    std::optional<OpenedFunctions> opened;
    // The first function's lists as the boxes take them: for a list of megabytes the
    // conversion alone would hold the window up.
    std::array<QString, 3> first;
    try {
        OffThread("Reading the file...", false, [&](const std::atomic<bool>&) {
            opened = isPla ? ReadPlaFunctions(path) : ReadBfFunctions(path, current);
            if (opened && !opened->rows && !opened->outputs.empty())
                for (int i = 0; i < 3; ++i)
                    first[i] = QString::fromStdString(opened->outputs[0].lists[i]);
        });
    } catch (const std::exception& e) {
        platform::SayFileError("Cannot read the file.", path, e.what());
        return;
    }
    if (!opened) return;
    ClearResult();  // it describes the function the file replaces
    if (opened->rows) return KeepRows(std::move(opened->rows));
    DropRows();
    ShowOutputs(std::move(opened->outputs), std::move(first));
    if (opened->variables) {
        const QSignalBlocker block(Spin);
        Spin->setValue(*opened->variables);
    }
    SpinChange();
    if (static_cast<int>(opened->inputNames.size()) == Spin->value()) {
        for (int k = 0; k < Spin->value(); ++k)
            if (QTableWidgetItem* item = List->item(k, 1))
                item->setText(QString::fromStdString(opened->inputNames[k]));
        updatevarnames();
    }
}

void TAdvMin::ClearResult() {
    DropTree();
    resultNames_.clear();
    Label10->clear();
    Label10->hide();
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
    const BooleanFunctionFile file = FileOfOutputs(Spin->value(), Outputs());
    const std::string path = choice.path.toStdString();
    try {
        OffThread("Writing the file...", false,
                  [&](const std::atomic<bool>&) { file.Write(path); });
    } catch (const std::exception& e) {
        platform::SayFileError("Cannot write the Boolean function file.", path, e.what());
    }
}

bool TAdvMin::SavePla(const std::string& path) {
    if (rows_) {
        const std::string head = RowsPlaHead();
        const pla::Pla* file = rows_.get();
        bool written = false;
        try {
            OffThread("Writing the file...", false, [&](const std::atomic<bool>&) {
                std::string error;
                written =
                    platform::WriteFileAtomically(path, head + CubeRowsOf(*file) + ".e\n", &error);
                if (!written) platform::SayFileError("Cannot write the file.", path, error);
            });
        } catch (const std::exception& e) {
            platform::SayFileError("Cannot write the file.", path, e.what());
        }
        return written;
    }
    const int n = Spin->value();
    const std::vector<OutputFunction> outputs = Outputs();
    if ((outputs.size() << n) > kMaxFunctionCharacters) {
        platform::Say("These functions are too large to be held at once.",
                      platform::MsgIcon::Error);
        return false;
    }
    updatevarnames();
    std::vector<std::string> inputNames(VarNames.begin(), VarNames.begin() + n);
    std::vector<std::string> outputNames;
    for (const OutputFunction& o : outputs) outputNames.push_back(o.name);
    // Names a PLA cannot carry are left out; the file is still sound.
    if (!std::all_of(inputNames.begin(), inputNames.end(), PlaName)) inputNames.clear();
    if (!std::all_of(outputNames.begin(), outputNames.end(), PlaName)) outputNames.clear();
    bool written = false;
    try {
        OffThread("Writing the file...", false, [&](const std::atomic<bool>&) {
            std::vector<std::string> functions;
            for (const OutputFunction& o : outputs) {
                const auto function = FunctionFromLists(n, o.lists[0], o.lists[1], o.lists[2]);
                if (!function) return;  // said
                functions.push_back(*function);
            }
            std::string error;
            written = platform::WriteFileAtomically(
                path, PlaOfFunctions(n, functions, inputNames, outputNames), &error);
            if (!written) platform::SayFileError("Cannot write the file.", path, error);
        });
    } catch (const std::exception& e) {
        platform::SayFileError("Cannot write the file.", path, e.what());
    }
    return written;
}
