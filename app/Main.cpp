// The main window: layout, menus and buttons, and the start-up of the window. The commands
// themselves are in MainCommands.cpp.

#include "app/Main.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Windows.h"
#include "engine/MapView.h"
#include "input/TTableForm.h"
#include "input/TruthTable.h"
#include "platform/Translate.h"
#include "ui/FormulaView.h"
#include "ui/Icons.h"
#include "ui/LanguageFile.h"
#include "ui/QtResultTree.h"
#include "ui/ShortcutTip.h"
#include "ui/language.h"

namespace {

QAction* AddAction(QMenu* menu, const char* name, const QString& caption, const QString& hint = {},
                   const QKeySequence& shortcut = {}) {
    auto* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        a->setToolTip(hint);
        a->setStatusTip(hint);
    }
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    return a;
}

QAction* AddSeparator(QMenu* menu, const char* name) {
    QAction* s = menu->addSeparator();
    s->setObjectName(QString::fromLatin1(name));
    return s;
}

QMenu* AddMenu(QWidget* owner, QMenu* parentMenu, const char* name, const QString& caption) {
    auto* m = new QMenu(caption, owner);
    m->setObjectName(QString::fromLatin1(name));
    m->setToolTipsVisible(true);
    if (parentMenu) parentMenu->addMenu(m)->setObjectName(QString::fromLatin1(name) + "Item");
    return m;
}

QWidget* Panel(const char* name, QWidget* parent) {
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}  // namespace

TForm1::TForm1(const QStringList& arguments, QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form1");
    setWindowTitle("Mapwright");
    setWindowIcon(icons::Program());
    resize(600, 305);
    setMinimumSize(600, 305);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    CreateLayout();
    CreateToolButtons();
    CreateMenus();
    CreateEditCommands();
    CreateFileCommands();
    CreateViewCommands();
    InstallHelpKey();
    // Every tool button stays whole: the row never gets less than its buttons need.
    Panel6->setMinimumWidth(std::max(330, Panel6->layout()->minimumSize().width()));
    Language1 = new TLanguage(this);
    QStringList keys;
    for (const std::string& key : language::PropertyKeys()) keys << QString::fromStdString(key);
    Language1->SetProperties(keys);
    connect(Language1, &TLanguage::Translated, this, &TForm1::RetranslateExplain);
    connect(Language1, &TLanguage::Translated, this, &TForm1::RetranslateTeaching);
    connect(Language1, &TLanguage::Translated, this, &TForm1::ShowCounts);
    FormCreate(arguments);
}

TForm1::~TForm1() {
    SaveViewSettings();
    Grid.TreeView = nullptr;
    Grid.Progress = nullptr;
    delete tree_;
    delete progress_;
}

void TForm1::CreateLayout() {
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setHandleWidth(4);
    Splitter1->setChildrenCollapsible(false);
    setCentralWidget(Splitter1);

    Grid.TermColor = 0x000000;  // the products colour starts black on the main window's map
    CarnoGrid1 = new TMapView(Grid, Splitter1);
    CarnoGrid1->setObjectName("CarnoGrid1");
    // A four-variable map at its designed size stays in view whatever presses on it: the
    // window grows instead.
    CarnoGrid1->setMinimumWidth(160);
    // Tab leaves the map for the next control; the arrows move inside it.
    CarnoGrid1->setTabKeyNavigation(false);
    Splitter1->addWidget(CarnoGrid1);

    // The map takes what the window gains; the tools, the tree and Go keep the room their
    // layout needs, however the map or a docked panel press on them.
    Panel2 = Panel("Panel2", Splitter1);
    Splitter1->addWidget(Panel2);
    Splitter1->setSizes({247, width() - 247 - 4});
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    auto* panel2Layout = new QVBoxLayout(Panel2);
    panel2Layout->setContentsMargins(0, 0, 0, 0);
    panel2Layout->setSpacing(0);

    Panel1 = Panel("Panel1", Panel2);
    Panel1->setFixedHeight(49);
    Panel1->setToolTip("Tool Panel");
    Panel6 = Panel("Panel6", Panel1);
    Panel6->setMinimumWidth(330);
    auto* panel1Layout = new QHBoxLayout(Panel1);
    panel1Layout->setContentsMargins(2, 2, 2, 2);
    panel1Layout->addWidget(Panel6);
    panel1Layout->addStretch();
    panel2Layout->addWidget(Panel1);

    Panel4 = Panel("Panel4", Panel2);
    Panel4->setFixedHeight(32);
    auto* panel4Layout = new QHBoxLayout(Panel4);
    panel4Layout->setContentsMargins(4, 2, 4, 2);
    SpinEdit1 = new QSpinBox(Panel4);
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setRange(2, 8);
    SpinEdit1->setValue(4);
    SpinEdit1->setReadOnly(false);  // a digit typed takes effect at once, as the arrows do
    Label1 = new QLabel("Number of Variables", Panel4);
    Label1->setObjectName("Label1");
    panel4Layout->addWidget(SpinEdit1);
    panel4Layout->addWidget(Label1);
    panel4Layout->addStretch();
    panel2Layout->addWidget(Panel4);

    Panel5 = Panel("Panel5", Panel2);
    auto* panel5Layout = new QVBoxLayout(Panel5);
    panel5Layout->setContentsMargins(0, 0, 0, 0);
    panel5Layout->setSpacing(0);
    TreeView = new QTreeWidget(Panel5);
    TreeView->setObjectName("TreeView");
    TreeView->setHeaderHidden(true);
    TreeView->setIndentation(19);
    QFont treeFont("Times New Roman");
    treeFont.setPixelSize(13);
    treeFont.setBold(true);
    TreeView->setFont(treeFont);
    TreeView->setContextMenuPolicy(Qt::CustomContextMenu);
    ProgressBar = new QProgressBar(Panel5);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setFixedHeight(8);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    panel5Layout->addWidget(TreeView);
    panel5Layout->addWidget(ProgressBar);
    panel2Layout->addWidget(Panel5, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    setStatusBar(StatusBar1);

    ImageList1[0] = icons::FormulaNode();
    ImageList1[1] = icons::TermNode();

    tree_ = new QtResultTree(TreeView);
    progress_ = new QtProgress(ProgressBar);
    Grid.Progress = progress_;
    CarnoGrid1->setContextMenuPolicy(Qt::CustomContextMenu);

    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TForm1::SpinEdit1Change);
    connect(TreeView, &QTreeWidget::currentItemChanged, this, &TForm1::TreeViewChange);
    connect(CarnoGrid1, &TMapView::KeyDown, this, &TForm1::CarnoGrid1KeyDown);
    connect(CarnoGrid1, &TMapView::GetEditText, this, &TForm1::CarnoGrid1GetEditText);
}

void TForm1::CreateMenus() {
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");

    N10 = AddMenu(this, nullptr, "N10", "&File");
    MainMenu1->addMenu(N10);
    N18 = AddAction(N10, "N18", "Open Map...", "Open Map", Qt::Key_F3);
    N5 = AddAction(N10, "N5", "Save as...", "Save map");
    N19 = AddAction(N10, "N19", "Exit", "Exit program", Qt::CTRL | Qt::Key_F4);

    N11 = AddMenu(this, nullptr, "N11", "&Map");
    MainMenu1->addMenu(N11);
    N20 = AddMenu(this, N11, "N20", "Fill With");
    N20->menuAction()->setToolTip("Fill map with");
    N110 = AddAction(N20, "N110", "One", {}, Qt::CTRL | Qt::Key_P);
    N03 = AddAction(N20, "N03", "Zero", {}, Qt::CTRL | Qt::Key_O);
    N21 = AddAction(N20, "N21", "Don't care value", {}, Qt::CTRL | Qt::Key_D);
    N22 = AddAction(N20, "N22", "Formula...", {}, Qt::CTRL | Qt::Key_F);
    N23 = AddAction(N20, "N23", "Set's...", {}, Qt::CTRL | Qt::Key_S);
    N28 = AddAction(N20, "N28", "Truth Table...", {}, Qt::CTRL | Qt::Key_T);
    N34 = AddSeparator(N11, "N34");
    N25 = AddAction(N11, "N25", "Analyze", "Analyze", Qt::Key_F5);
    Invert1 = AddAction(N11, "Invert1", "&Invert", {}, Qt::CTRL | Qt::Key_I);
    N24 = AddAction(N11, "N24", "Clear", "Clear map", Qt::CTRL | Qt::Key_X);
    N32 = AddSeparator(N11, "N32");
    N26 = AddAction(N11, "N26", "Map Font...", "Map Font");
    N27 = AddAction(N11, "N27", "Products Color...", "Product color");

    N12 = AddMenu(this, nullptr, "N12", "&Options");
    MainMenu1->addMenu(N12);
    N13 = AddAction(N12, "N13", "Map...");

    ools1 = AddMenu(this, nullptr, "ools1", "&Tools");
    MainMenu1->addMenu(ools1);
    Createreport1 = AddAction(ools1, "Createreport1", "&Create report...");
    Cretecircuit1 = AddAction(ools1, "Cretecircuit1", "Formula to circuit...");
    Advancedminimizer1 = AddAction(ools1, "Advancedminimizer1", "&Advanced minimizer...");

    N15 = AddMenu(this, nullptr, "N15", "&Help");
    MainMenu1->addMenu(N15);
    N16 = AddAction(N15, "N16", "Help", {}, Qt::Key_F1);
    tipoftheday = AddAction(N15, "tipoftheday", "&Tip of the day...");
    N30 = AddSeparator(N15, "N30");
    N17 = AddAction(N15, "N17", "&About...");

    PopupMenu1 = AddMenu(this, nullptr, "PopupMenu1", {});
    N6 = AddMenu(this, PopupMenu1, "N6", "Fill");
    N01 = AddAction(N6, "N01", "1");
    N02 = AddAction(N6, "N02", "0");
    N7 = AddAction(N6, "N7", "*");
    N9 = AddAction(N6, "N9", "Formula...");
    N8 = AddAction(N6, "N8", "Set's...");
    N29 = AddAction(N6, "N29", "Truth Table...");
    N1 = AddMenu(this, PopupMenu1, "N1", "Map Options");
    N2 = AddAction(N1, "N2", "Products Color...");
    N3 = AddAction(N1, "N3", "Font ...");
    N33 = AddSeparator(PopupMenu1, "N33");
    InvertMap1 = AddAction(PopupMenu1, "InvertMap1", "Invert Map");

    PopupMenu2 = AddMenu(this, nullptr, "PopupMenu2", {});
    N4 = AddAction(PopupMenu2, "N4", "Font...");
    N14 = AddAction(PopupMenu2, "N14", "Move result => FormulaInput");
    N200 = AddAction(PopupMenu2, "N200", "Formula => Circuit");
    CopyFormula1 = AddAction(PopupMenu2, "CopyFormula1", "Copy formula", {}, QKeySequence::Copy);
    CopyFormula1->setShortcutContext(Qt::WidgetShortcut);  // Ctrl+C in the map copies cells
    TreeView->addAction(CopyFormula1);
    connect(CopyFormula1, &QAction::triggered, this,
            [this] { formulaview::CopyFormula(TreeView); });

    // One handler per command, whichever entry runs it.
    connect(N18, &QAction::triggered, this, &TForm1::BitBtn1Click);
    connect(N5, &QAction::triggered, this, &TForm1::BitBtn2Click);
    connect(N19, &QAction::triggered, this, &TForm1::N19Click);
    for (QAction* a : {N110, N01})
        connect(a, &QAction::triggered, this, &TForm1::SpeedButton2Click);
    for (QAction* a : {N03, N02}) connect(a, &QAction::triggered, this, &TForm1::SpeedButton1Click);
    for (QAction* a : {N21, N7}) connect(a, &QAction::triggered, this, &TForm1::SpeedButton3Click);
    connect(N25, &QAction::triggered, this, &TForm1::BitBtn3Click);
    for (QAction* a : {Invert1, InvertMap1})
        connect(a, &QAction::triggered, this, &TForm1::InvertMap1Click);
    connect(N24, &QAction::triggered, this, &TForm1::SpeedButton4Click);
    for (QAction* a : {N26, N3}) connect(a, &QAction::triggered, this, &TForm1::N3Click);
    for (QAction* a : {N27, N2}) connect(a, &QAction::triggered, this, &TForm1::N2Click);
    connect(N13, &QAction::triggered, this, &TForm1::SpeedButton9Click);
    connect(Createreport1, &QAction::triggered, this, &TForm1::ReportBtnClick);
    connect(N16, &QAction::triggered, this, &TForm1::N16Click);
    connect(N4, &QAction::triggered, this, &TForm1::N4Click);
    ConnectInputCommands();
    ConnectCircuitCommands();
    ConnectToolWindowCommands();
    ConnectExplainCommands();
    ConnectTeachingCommands();
    ConnectExchangeCommands();

    const std::pair<QWidget*, QAction*> keyed[] = {
        {SpeedButton1, N18},  {SpeedButton3, N22},  {SpeedButton4, N23},
        {SpeedButton11, N28}, {SpeedButton5, N110}, {SpeedButton6, N03},
        {SpeedButton7, N21},  {SpeedButton8, N24},  {SpeedButton9, N25}};
    for (const auto& [button, action] : keyed) NameShortcut(button, action->shortcut());

    connect(CarnoGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(CarnoGrid1->viewport()->mapToGlobal(at));
    });
    connect(TreeView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu2->popup(TreeView->viewport()->mapToGlobal(at)); });
}

void TForm1::CreateToolButtons() {
    auto button = [this](const char* name, const QString& hint, int size, const QIcon& icon = {},
                         const QString& text = {}) {
        auto* b = new QToolButton(Panel6);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        b->setFixedSize(size, size);
        if (!icon.isNull()) {
            b->setIcon(icon);
            b->setIconSize(QSize(size - 8, size - 8));
        }
        if (!text.isEmpty()) b->setText(text);
        return b;
    };
    SpeedButton1 = button("SpeedButton1", "Open Map", 33, icons::OpenMap());
    SpeedButton2 = button("SpeedButton2", "Save as...", 33, icons::SaveMap());
    SpeedButton3 = button("SpeedButton3", "FormulaInput", 33, icons::Formula());
    SpeedButton4 = button("SpeedButton4", "Set's Fill", 33, icons::Sets());
    SpeedButton11 = button("SpeedButton11", "Truth Table ", 33, icons::TruthTable());
    SpeedButton5 = button("SpeedButton5", "Fill with 1", 17, {}, "1");
    SpeedButton7 = button("SpeedButton7", "Fill with *", 17, icons::DontCare());
    SpeedButton6 = button("SpeedButton6", "Fill with 0", 17, {}, "0");
    SpeedButton8 = button("SpeedButton8", "Clear Map", 17, icons::ClearMap());
    SpeedButton9 = button("SpeedButton9", "Analyze", 33, {}, "Go");
    StyleGoButton();
    SpeedButton10 = button("SpeedButton10", "Options", 33, icons::Options());
    for (QToolButton* small : {SpeedButton7, SpeedButton8}) small->setIconSize(QSize(13, 13));

    auto* row = new QHBoxLayout(Panel6);
    row->setContentsMargins(0, 3, 0, 3);
    row->setSpacing(2);
    for (QToolButton* b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton11})
        row->addWidget(b);
    auto* block = new QWidget(Panel6);
    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setSpacing(0);
    grid->addWidget(SpeedButton5, 0, 0);
    grid->addWidget(SpeedButton7, 0, 1);
    grid->addWidget(SpeedButton6, 1, 0);
    grid->addWidget(SpeedButton8, 1, 1);
    row->addWidget(block);
    row->addWidget(SpeedButton9);
    row->addWidget(SpeedButton10);
    row->addStretch();

    // The design numbers buttons and handlers apart: the fill buttons 5, 7, 6 and 8 run the
    // handlers named SpeedButton2, 3, 1 and 4 (fill with 1, *, 0, clear), Go runs the analysis
    // (BitBtn3Click) and Options runs SpeedButton9Click.
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::BitBtn1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::BitBtn2Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TForm1::BitBtn3Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
}

void TForm1::FormCreate(const QStringList& arguments) {
    Createreport1->setEnabled(false);
    Grid.TreeView = tree_;
    SpinEdit1->setRange(2, 8);
    for (int i = 1; i <= 8; ++i) Grid.SetVarName(i, std::string(1, static_cast<char>('A' + i - 1)));
    BuildVariableHint();
    Language1->Translate();
    LoadRecentFiles();
    LoadViewSettings();
    if (!arguments.isEmpty()) OpenFile(arguments.first());
    History.Clear();  // the map the program starts with is the first of the history
    UpdateUndoActions();
    ShowCounts();
    if (currentFile_.isEmpty()) MapSaved({});  // the map it starts with has nothing to lose
}

QString TForm1::VariableHint() const {
    const int n = Grid.VariableCount();
    QString hint = QString::fromStdString(platform::TranslateText("Variables:")) + " ";
    for (int i = 1; i <= n; ++i) {
        if (i == n / 2 + 1) hint += "\\ ";
        hint += QString::fromStdString(Grid.VarName(i)) + " ";
    }
    return hint;
}

void TForm1::BuildVariableHint() {
    CarnoGrid1->setToolTip(VariableHint());
}

void TForm1::SelectResultTerm(int k) {
    if (QTreeWidgetItem* root = TreeView->topLevelItem(0))
        if (QTreeWidgetItem* term = root->child(k)) TreeView->setCurrentItem(term);
}

void TForm1::ShowVariableCount() {
    const QSignalBlocker block(SpinEdit1);
    SpinEdit1->setValue(Grid.VariableCount());
    if (Windows().TruthTableForm) Windows().TruthTableForm->SetVariableCount(Grid.VariableCount());
    BuildVariableHint();
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
    QMainWindow::changeEvent(event);
}

void TForm1::FormActivate() {
    ++ActivationCount;
    ShowTipAtStart();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}
