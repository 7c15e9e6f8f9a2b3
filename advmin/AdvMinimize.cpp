#include "advmin/AdvMinimize.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "advmin/FunctionLists.h"
#include "advmin/TRIMMERLib_TLB.h"
#include "advmin/Vhdl.h"
#include "advmin/ocxint.h"
#include "circuit/CircuitForm.h"
#include "files/Pla.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"
#include "ui/DialogParts.h"
#include "ui/Icons.h"
#include "ui/QtResultTree.h"
#include "ui/WindowRegistry.h"
#include "ui/language.h"

namespace {

using dialogparts::Named;

QToolButton* Button(const char* name, const QString& hint, QWidget* parent, const QIcon& icon = {},
                    const QString& text = {}) {
    auto* b = Named<QToolButton>(name, parent);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFixedSize(33, 33);
    if (!icon.isNull()) {
        b->setIcon(icon);
        b->setIconSize(QSize(25, 25));
    }
    if (!text.isEmpty()) b->setText(text);
    return b;
}

QComboBox* History(const char* name, QWidget* parent) {
    auto* box = dialogparts::HistoryBox(name, parent);
    box->setMinimumWidth(220);
    return box;
}

void Error(const std::string& text) {
    platform::ShowMessage(text, platform::MsgIcon::Error, platform::MsgButtons::Ok);
}

QString Letter(int k) {
    return QString(QChar('A' + k - 1));
}  // k from 1

}  // namespace

TAdvMin::TAdvMin(QWidget* parent) : QDialog(parent) {
    setObjectName("AdvMin");
    setWindowTitle("Advanced Minimization Tool");
    setModal(true);
    core_ = std::make_unique<TTrimmer>(ExchangeFilePath);

    PageControl1 = Named<QTabWidget>("PageControl1", this);
    PageControl1->setTabPosition(QTabWidget::South);
    TabSheet1 = Named<QWidget>("TabSheet1");
    TabSheet2 = Named<QWidget>("TabSheet2");
    PageControl1->addTab(TabSheet1, "Analyze");
    PageControl1->addTab(TabSheet2, "VHDL");

    // --- page "Analyze" ---
    auto* input = Named<QGroupBox>("GroupBox1", " Input Function ", TabSheet1);
    ComboBox1 = History("ComboBox1", input);
    ComboBox2 = History("ComboBox2", input);
    ComboBox3 = History("ComboBox3", input);
    auto* inputLayout = new QGridLayout(input);
    const char* symbols[] = {"1", "0", "*"};
    QComboBox* boxes[] = {ComboBox1, ComboBox2, ComboBox3};
    for (int i = 0; i < 3; ++i) {
        auto* label = Named<QLabel>(("Label" + std::to_string(i + 1)).c_str(), symbols[i], input);
        inputLayout->addWidget(label, i, 0);
        inputLayout->addWidget(boxes[i], i, 1);
    }
    Spin = Named<QSpinBox>("Spin", TabSheet1);
    Spin->setRange(kMinListVariables, kMaxListVariables);
    Spin->setValue(4);
    auto* countLabel = Named<QLabel>("Label6", "Variable count", TabSheet1);
    Label5 = Named<QLabel>("Label5", "[0..15]", TabSheet1);
    SpeedButton1 = Button("SpeedButton1", "Open function", TabSheet1, icons::OpenMap());
    SpeedButton2 = Button("SpeedButton2", "Save function", TabSheet1, icons::SaveMap());
    List = Named<QTableWidget>("List", 0, 2, TabSheet1);
    List->setHorizontalHeaderLabels({"Key", "Value"});
    List->verticalHeader()->hide();
    List->horizontalHeader()->setStretchLastSection(true);
    List->setMinimumWidth(160);
    SpeedButton9 = Button("SpeedButton9", "Analyze", TabSheet1, {}, "Go");
    SpeedButton9->setStyleSheet("QToolButton { color: green; font-weight: bold; }");
    SpeedButton3 = Button("SpeedButton3", "Convert to schematic", TabSheet1, icons::Circuit());
    SpeedButton4 = Button("SpeedButton4", "Convert to VHDL", TabSheet1, {}, "VHD");
    TreeView = Named<QTreeWidget>("TreeView", TabSheet1);
    TreeView->setHeaderHidden(true);
    tree_ = std::make_unique<QtResultTree>(TreeView);
    // Every row is one line of the same font: the view need not ask each row its height, which
    // for a result of a hundred thousand terms it would do at every change of the tree.
    TreeView->setUniformRowHeights(true);

    // How hard the core tries: the heuristic alone, the default, or a proof however long.
    auto* effortLabel = Named<QLabel>("Label7", "Effort", TabSheet1);
    EffortBox = Named<QComboBox>("EffortBox", TabSheet1);
    // Translated again with every change of language, as the captions are.
    AddEnglishItems(EffortBox, {platform::ToTranslate("quick"), platform::ToTranslate("thorough"),
                                platform::ToTranslate("prove")});
    EffortBox->setCurrentIndex(1);

    auto* count = new QHBoxLayout;
    count->addWidget(countLabel);
    count->addWidget(Spin);
    count->addWidget(Label5);
    count->addSpacing(12);
    count->addWidget(effortLabel);
    count->addWidget(EffortBox);
    count->addStretch();
    count->addWidget(SpeedButton1);
    count->addWidget(SpeedButton2);
    auto* left = new QVBoxLayout;
    left->addWidget(input);
    left->addLayout(count);
    left->addWidget(TreeView, 1);
    auto* tools = new QVBoxLayout;
    SpeedButton7 = Button("SpeedButton7", "Convert to Verilog", TabSheet1, {}, "V");
    for (QToolButton* b : {SpeedButton9, SpeedButton3, SpeedButton4, SpeedButton7})
        tools->addWidget(b);
    tools->addStretch();
    Label10 = Named<QLabel>("Label10", TabSheet1);
    Label10->setWordWrap(true);
    Label10->hide();
    left->addWidget(Label10);
    auto* right = new QVBoxLayout;
    right->addWidget(List, 1);
    CreateOutputsPart(right);
    auto* page1 = new QHBoxLayout(TabSheet1);
    page1->addLayout(left, 1);
    page1->addLayout(right);
    page1->addLayout(tools);

    // --- page "VHDL" ---
    vhdlcode = Named<QPlainTextEdit>("vhdlcode", TabSheet2);
    vhdlcode->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    vhdlcode->setLineWrapMode(QPlainTextEdit::NoWrap);
    vhdlcode->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    vhdlcode->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SpeedButton5 = Button("SpeedButton5", "Save VHDL code", TabSheet2, icons::SaveMap());
    SpeedButton6 = Button("SpeedButton6", "Copy to clipboard", TabSheet2, icons::Copy());
    auto* vhdlTools = new QVBoxLayout;
    vhdlTools->addWidget(SpeedButton5);
    vhdlTools->addWidget(SpeedButton6);
    vhdlTools->addStretch();
    auto* page2 = new QHBoxLayout(TabSheet2);
    page2->addWidget(vhdlcode, 1);
    page2->addLayout(vhdlTools);

    CreateVerilogPage();

    BitBtn1 = Named<QPushButton>("BitBtn1", "OK", this);
    BitBtn2 = Named<QPushButton>("BitBtn2", "Cancel", this);
    auto* buttons = new QHBoxLayout;
    CreateRunPart(buttons);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    resize(720, 460);

    connect(Spin, &QSpinBox::valueChanged, this, &TAdvMin::SpinChange);
    connect(List, &QTableWidget::itemChanged, this, &TAdvMin::ListStringsChange);
    connect(SpeedButton9, &QToolButton::clicked, this, &TAdvMin::SpeedButton9Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TAdvMin::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TAdvMin::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TAdvMin::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TAdvMin::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TAdvMin::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TAdvMin::SpeedButton6Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TAdvMin::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        if (shownPage_ == 1) TabSheet2Hide();
        if (shownPage_ == 2) TabSheet3Hide();
        shownPage_ = page;
        if (page == 1) TabSheet2Show();
        if (page == 2) TabSheet3Show();
    });
    TranslateWindows();  // the language chosen so far
    FormCreate();
}

TAdvMin::~TAdvMin() {
    if (!Running()) return;
    // Only when the program ends during a run: the core is told to stop and waited for.
    run_->cancelled = true;
    try {
        core_->Cancel();
    } catch (const std::exception&) {
    }
    run_->thread.join();
}

void TAdvMin::FormCreate() {
    const QSignalBlocker block(List);
    List->setRowCount(0);
    for (int k = 1; k <= 4; ++k) {
        VarNames[k - 1] = Letter(k).toStdString();
        List->insertRow(k - 1);
        auto* key = new QTableWidgetItem("Var#" + QString::number(k));
        key->setFlags(Qt::ItemIsEnabled);
        List->setItem(k - 1, 0, key);
        List->setItem(k - 1, 1, new QTableWidgetItem(Letter(k)));
    }
}

void TAdvMin::updatevarnames() {
    for (int row = 0; row < List->rowCount() && row < static_cast<int>(VarNames.size()); ++row) {
        const QTableWidgetItem* value = List->item(row, 1);
        VarNames[row] = value ? value->text().toStdString() : std::string();
    }
}

void TAdvMin::ListStringsChange() {
    updatevarnames();
}

void TAdvMin::SpinChange() {
    const int n = Spin->value();
    {
        // One row per variable: new rows take the capital letters by position.
        const QSignalBlocker block(List);
        for (int k = List->rowCount() + 1; k <= n; ++k) {
            List->insertRow(k - 1);
            auto* key = new QTableWidgetItem("Var#" + QString::number(k));
            key->setFlags(Qt::ItemIsEnabled);
            List->setItem(k - 1, 0, key);
            List->setItem(k - 1, 1, new QTableWidgetItem(Letter(k)));
        }
        List->setRowCount(n);
    }
    updatevarnames();
    coreCount_ = SetCoreVariableCount(*core_, n) ? n : -1;
    Label5->setText("[0.." + QString::number((1LL << n) - 1) + "]");
}

std::vector<std::string> TAdvMin::PortNames() const {
    std::vector<std::string> ports;
    for (int row = 0; row < List->rowCount(); ++row)
        ports.push_back(List->item(row, 1) ? List->item(row, 1)->text().toStdString()
                                           : std::string());
    return ports;
}

std::vector<std::pair<std::string, std::string>> TAdvMin::ResultOutputs() const {
    std::vector<std::pair<std::string, std::string>> outputs;
    for (int i = 0; i < TreeView->topLevelItemCount() && i < static_cast<int>(resultNames_.size());
         ++i)
        outputs.emplace_back(resultNames_[i], TreeView->topLevelItem(i)->text(0).toStdString());
    return outputs;
}

QTreeWidgetItem* TAdvMin::ResultRoot() const {
    QTreeWidgetItem* item = TreeView->currentItem();
    while (item && item->parent()) item = item->parent();
    return item ? item : TreeView->topLevelItem(0);
}

void TAdvMin::SpeedButton3Click() {
    QTreeWidgetItem* root = ResultRoot();
    TCircuit* circuit = Windows().Circuit;
    if (!root || !circuit) return;
    circuit->Open(root->text(0), ftDNF);
}

void TAdvMin::SpeedButton4Click() {
    if (ResultRoot()) PageControl1->setCurrentIndex(1);
}

void TAdvMin::ShowCodePage(QPlainTextEdit* page, const std::function<std::string()>& write) {
    page->clear();
    if (!ResultRoot()) return;
    try {
        page->setPlainText(QString::fromStdString(write()));
    } catch (const std::runtime_error& e) {  // VhdlError, VerilogError
        Error(platform::TranslateText(e.what()));
    }
}

void TAdvMin::TabSheet2Show() {
    ShowCodePage(vhdlcode, [this] {
        return resultNames_.empty()
                   ? VhdlText(ResultRoot()->text(0).toStdString(), PortNames(), true,
                              VhdlTimestamp())
                   : VhdlTextOutputs(ResultOutputs(), PortNames(), VhdlTimestamp());
    });
}

void TAdvMin::TabSheet2Hide() {
    vhdlcode->clear();
}

void TAdvMin::SaveCodePage(const char* failure, const QPlainTextEdit* page, const QString& filter,
                           const QString& suffix) {
    const platform::FileChoice choice =
        platform::Dialogs().SaveFile(this, {"Save", {filter, "All files (*)"}, suffix, {}});
    if (!choice.accepted) return;
    std::string text = page->toPlainText().toStdString();
    if (!text.empty() && text.back() != '\n') text += '\n';
    std::string error;
    if (!platform::WriteFileAtomically(choice.path.toStdString(), text, &error))
        platform::SayFileError(failure, choice.path.toStdString(), error);
}

void TAdvMin::SpeedButton5Click() {
    SaveCodePage("Cannot write the VHDL file.", vhdlcode, "VHDL code (*.vhd)", "vhd");
}

void TAdvMin::SpeedButton6Click() {
    QApplication::clipboard()->setText(vhdlcode->toPlainText());
}

void TAdvMin::BitBtn1Click() {
    accept();
}
