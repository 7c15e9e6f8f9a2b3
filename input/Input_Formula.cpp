#include "input/Input_Formula.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "engine/CarnoGrid.h"
#include "input/Formula.h"
#include "input/FormulaMessage.h"
#include "ui/DialogParts.h"
#include "ui/language.h"

namespace {

// What the variable list's items carry when dragged.
const char* kListMime = "application/x-qabstractitemmodeldatalist";

QPushButton* OperatorButton(const char* name, const QString& caption, const QString& hint,
                            QWidget* parent) {
    auto* b = dialogparts::Named<QPushButton>(name, caption, parent);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

// The validator counts bytes of the text without spaces; the user counts characters.
int CharacterPosition(const std::string& text, int bytePosition) {
    std::string s = text;
    std::erase(s, ' ');
    const std::size_t before = std::min<std::size_t>(bytePosition - 1, s.size());
    return static_cast<int>(QString::fromStdString(s.substr(0, before)).size()) + 1;
}

}  // namespace

TInputFormula::TInputFormula(QWidget* parent) : QDialog(parent) {
    using dialogparts::Named;
    setObjectName("InputFormula");
    setWindowTitle("Fill Map from Formula");
    setModal(true);

    ComboBox2 = dialogparts::HistoryBox("ComboBox2", this);
    ComboBox2->setToolTip("Formula box");
    ComboBox2->lineEdit()->installEventFilter(this);
    Memo1 = Named<QPlainTextEdit>("Memo1", this);
    Memo1->setToolTip("Enhanced formula view");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WrapAnywhere);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Label1 = Named<QLabel>("Label1", "Enabled boolean variables", this);
    ListBox1 = Named<QListWidget>("ListBox1", this);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setDragEnabled(true);
    ListBox1->setDragDropMode(QAbstractItemView::DragOnly);
    ListBox1->setDefaultDropAction(Qt::CopyAction);
    ListBox1->setFlow(QListView::TopToBottom);  // four columns, filled column by column
    ListBox1->setWrapping(true);
    ListBox1->setResizeMode(QListView::Adjust);
    ListBox1->setUniformItemSizes(true);

    GroupBox1 = Named<QGroupBox>("GroupBox1", " Formula Type ", this);
    GroupBox1->setToolTip("Type of formula");
    RadioButton1 = Named<QRadioButton>("RadioButton1", "SOP", GroupBox1);
    RadioButton2 = Named<QRadioButton>("RadioButton2", "POS", GroupBox1);
    RadioButton1->setChecked(true);
    auto* typeLayout = new QHBoxLayout(GroupBox1);
    typeLayout->addWidget(RadioButton1);
    typeLayout->addWidget(RadioButton2);

    Button1 = OperatorButton("Button1", "+", "Disjunction", this);
    Button2 = OperatorButton("Button2", "*", "Conjunction", this);
    Button3 = OperatorButton("Button3", "|", "Negation", this);
    Button4 = OperatorButton("Button4", "<-", "BackSpace", this);
    Button5 = OperatorButton("Button5", "Back", "Undo Last move", this);
    BitBtn1 = Named<QPushButton>("BitBtn1", "OK", this);
    BitBtn2 = Named<QPushButton>("BitBtn2", "Cancel", this);
    BitBtn1->setDefault(true);
    BitBtn2->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ComboBox2);
    layout->addWidget(Memo1);
    auto* operators = new QHBoxLayout;
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5}) operators->addWidget(b);
    operators->addStretch();
    layout->addLayout(operators);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(GroupBox1);
    bottom->addStretch();
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    layout->addLayout(bottom);
    resize(420, 360);

    connect(Button1, &QPushButton::clicked, this, &TInputFormula::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TInputFormula::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TInputFormula::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TInputFormula::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TInputFormula::Button5Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TInputFormula::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TInputFormula::BitBtn2Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TInputFormula::ListBox1DblClick);
    connect(ComboBox2, &QComboBox::editTextChanged, this, &TInputFormula::ComboBox2Change);

    // FormCreate
    closePermission_ = true;
    Memo1->clear();
    SetUndoLength(0);
    TranslateWindows();  // the language chosen so far
}

void TInputFormula::ShowVariables(TCarnoGrid& map) {
    map_ = &map;
    ListBox1->clear();
    for (int i = 1; i <= map.VariableCount(); ++i)
        ListBox1->addItem(QString::fromStdString(map.VarName(i)));
}

QString TInputFormula::Formula() const {
    return ComboBox2->currentText();
}

void TInputFormula::SetFormula(const QString& text) {
    ComboBox2->setEditText(text);
}

void TInputFormula::SetUndoLength(int length) {
    undoLength_ = length;
    Button5->setEnabled(length > 0);
}

void TInputFormula::ComboBox2Change(const QString& text) {
    Memo1->setPlainText(text);
}

void TInputFormula::Append(const QString& text, int undoLength) {
    SetFormula(Formula() + text);
    SetUndoLength(undoLength);
}

void TInputFormula::Button4Click() {
    SetFormula(Formula().chopped(Formula().isEmpty() ? 0 : 1));
    SetUndoLength(0);
}

void TInputFormula::Button5Click() {
    const QString text = Formula();
    SetFormula(text.left(std::max<qsizetype>(0, text.size() - undoLength_)));
    SetUndoLength(0);
}

void TInputFormula::AppendSelectedName() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty()) return;
    const QString name = selected.first()->text();
    Append(name, static_cast<int>(name.size()));
}

void TInputFormula::ListBox1DblClick() {
    AppendSelectedName();
}

bool TInputFormula::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ComboBox2->lineEdit()) {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDropEvent*>(event);
                if (!drag->mimeData()->hasFormat(kListMime)) break;
                // A move would take the name out of the list when the drag ends.
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                if (!drop->mimeData()->hasFormat(kListMime)) break;
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
                AppendSelectedName();  // at the end, wherever it was dropped
                return true;
            }
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TInputFormula::BitBtn1Click() {
    const QString text = Formula();
    const std::string formula = text.toStdString();
    const int v = map_ ? ValidateFormulaString(*map_, formula) : 0;
    if (!text.isEmpty() && v == 0 &&
        ComboBox2->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        ComboBox2->addItem(text);
        ComboBox2->setEditText(text);
    }
    if (v != 0) {
        if (v == TCarnoGrid::kTextTooLong)
            ReportTextTooLong();
        else
            ReportUnknownVariable(CharacterPosition(formula, v), FormulaProblem(*map_, formula, v));
        closePermission_ = false;
        return;
    }
    closePermission_ = true;
    if (map_) map_->FormulaType = RadioButton2->isChecked() ? gmKNF : gmDNF;
    accept();
}

void TInputFormula::BitBtn2Click() {
    reject();
}

void TInputFormula::reject() {
    closePermission_ = true;
    QDialog::reject();
}

void TInputFormula::closeEvent(QCloseEvent* event) {
    if (!closePermission_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TInputFormula::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ListBox1->setGridSize(
        QSize(std::max(1, ListBox1->viewport()->width() / 4), fontMetrics().height() + 4));
}
