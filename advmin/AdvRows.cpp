// A PLA too wide (or too large) for the tool's minterm lists is kept as its rows: the boxes
// stand empty and locked, the variable list takes the file's input names, the outputs their
// names, and Go hands the rows to the core as they are. Opening a function file or a PLA the
// lists can hold goes back to the lists.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

#include "advmin/AdvMinimize.h"
#include "advmin/FunctionLists.h"
#include "advmin/ocxint.h"
#include "files/Pla.h"
#include "platform/Translate.h"

namespace {

QString T(const char* english) {
    return QString::fromStdString(platform::TranslateText(english));
}

}  // namespace

void TAdvMin::KeepRows(std::unique_ptr<pla::Pla> file) {
    const int n = file->inputs;
    std::vector<OutputFunction> outputs;
    for (int o = 0; o < file->outputs; ++o) outputs.push_back({file->OutputName(o), {}});
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) names.push_back(file->InputName(i));
    rows_ = std::move(file);
    ShowOutputs(std::move(outputs));
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3}) box->setEnabled(false);
    ComboBox1->lineEdit()->setPlaceholderText(T("Kept as the PLA's rows"));
    SpeedButton11->setEnabled(false);
    SpeedButton12->setEnabled(false);
    {
        const QSignalBlocker block(Spin);
        Spin->setMaximum(n);
        Spin->setValue(n);
    }
    Spin->setEnabled(false);
    Label5->setText("[0..2^" + QString::number(n) + "-1]");
    {
        const QSignalBlocker block(List);
        List->setRowCount(n);
        for (int k = 0; k < n; ++k) {
            auto* key = new QTableWidgetItem("Var#" + QString::number(k + 1));
            key->setFlags(Qt::ItemIsEnabled);
            List->setItem(k, 0, key);
            List->setItem(k, 1, new QTableWidgetItem(QString::fromStdString(names[k])));
        }
    }
    updatevarnames();
}

void TAdvMin::DropRows() {
    if (!rows_) return;
    rows_.reset();
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3}) box->setEnabled(true);
    ComboBox1->lineEdit()->setPlaceholderText({});
    SpeedButton11->setEnabled(true);
    // The count the caller sets next is shown by SpinChange.
    const QSignalBlocker block(Spin);
    Spin->setMaximum(kMaxListVariables);
    Spin->setEnabled(true);
}

void TAdvMin::RunRows() {
    const int n = rows_->inputs;
    const std::vector<OutputFunction> outputs = Outputs();
    if (!NamesReady(n, outputs)) return;
    if (!PrepareCore(true, n, static_cast<int>(outputs.size()))) return;
    const pla::Pla* file = rows_.get();
    RunAndShow(n, outputs, [this, file](const std::atomic<bool>& cancelled) {
        return CallCoreWithRows(*core_, CubeRowsOf(*file), cancelled);
    });
}

std::string TAdvMin::RowsPlaHead() {
    updatevarnames();
    std::string text =
        ".i " + std::to_string(rows_->inputs) + "\n.o " + std::to_string(rows_->outputs) + "\n.ilb";
    for (int i = 0; i < rows_->inputs; ++i) text += " " + VarNames[i];
    text += "\n.ob";
    for (const OutputFunction& o : Outputs()) text += " " + o.name;
    return text + "\n";
}
