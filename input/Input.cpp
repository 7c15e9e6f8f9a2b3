#include "input/Input.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/DialogParts.h"
#include "ui/language.h"

namespace {
QLabel* BigLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = dialogparts::Named<QLabel>(name, text, parent);
    QFont font = label->font();
    font.setPointSize(18);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(24);
    return label;
}

void AddToHistory(QComboBox* box) {
    const QString text = box->currentText();
    if (!text.isEmpty() && box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        box->addItem(text);
        box->setCurrentText(text);
    }
}
}  // namespace

TInputForm::TInputForm(QWidget* parent) : QDialog(parent) {
    using dialogparts::Named;
    setObjectName("InputForm");
    setWindowTitle("Fill Map from Sets");
    setModal(true);

    Label1 = BigLabel("Label1", "1", this);
    Label2 = BigLabel("Label2", "0", this);
    Label3 = BigLabel("Label3", "*", this);
    ComboBox1 = dialogparts::HistoryBox("ComboBox1", this);
    ComboBox2 = dialogparts::HistoryBox("ComboBox2", this);
    ComboBox3 = dialogparts::HistoryBox("ComboBox3", this);
    Label4 = Named<QLabel>("Label4", "Enabled Set's", this);
    Label5 = Named<QLabel>("Label5", "[0..15]", this);
    BitBtn1 = Named<QPushButton>("BitBtn1", "OK", this);
    BitBtn2 = Named<QPushButton>("BitBtn2", "Cancel", this);
    BitBtn1->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(ComboBox2, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(ComboBox3, 2, 1);
    grid->addWidget(Label4, 3, 1);
    grid->addWidget(Label5, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    resize(320, 220);

    connect(BitBtn1, &QPushButton::clicked, this, &TInputForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    TranslateWindows();  // the language chosen so far
}

void TInputForm::SetRange(int variableCount) {
    Label5->setText(QString("[0..%1]").arg((1 << variableCount) - 1));
}

QString TInputForm::Ones() const {
    return ComboBox1->currentText();
}
QString TInputForm::Zeros() const {
    return ComboBox2->currentText();
}
QString TInputForm::DontCares() const {
    return ComboBox3->currentText();
}

void TInputForm::BitBtn1Click() {
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3}) AddToHistory(box);
    accept();
}
