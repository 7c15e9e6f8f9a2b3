// The main window's Edit menu: undo and redo of every change of the map; the status bar's texts
// about the map.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include "app/Main.h"
#include "engine/MapView.h"
#include "platform/Message.h"
#include "platform/Translate.h"
#include "ui/Icons.h"
#include "ui/ResultsQuestion.h"
#include "ui/ShortcutTip.h"

namespace {

// The translated text with each "%s" replaced by the next of args.
QString Filled(const std::string& translated, const QStringList& args) {
    QString out = QString::fromStdString(translated);
    for (const QString& a : args) {
        const qsizetype at = out.indexOf("%s");
        if (at < 0) break;
        out.replace(at, 2, a);
    }
    return out;
}

}  // namespace

void TForm1::CreateEditCommands() {
    Edit1 = new QMenu("&Edit", this);
    Edit1->setObjectName("Edit1");
    menuBar()->insertMenu(N11->menuAction(), Edit1);
    auto add = [this](const char* name, const QString& caption, const QIcon& icon) {
        QAction* a = Edit1->addAction(icon, caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    Undo1 = add("Undo1", "Undo", icons::Undo());
    Undo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    Redo1 = add("Redo1", "Redo", icons::Redo());
    Redo1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The map menu's clipboard commands, where people look for them first, as well.
    Edit1->addSeparator();
    Edit1->addActions({CopyasText1, CopyasPicture1, PasteCells1});
    connect(Undo1, &QAction::triggered, this, &TForm1::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &TForm1::Redo1Click);

    auto button = [this](const char* name, const QString& hint, const QIcon& icon) {
        auto* b = new QToolButton(Panel6);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setAutoRaise(true);
        b->setFixedSize(33, 33);
        b->setIcon(icon);
        b->setIconSize(QSize(25, 25));
        return b;
    };
    UndoButton = button("UndoButton", "Undo", icons::Undo());
    RedoButton = button("RedoButton", "Redo", icons::Redo());
    if (auto* row = qobject_cast<QHBoxLayout*>(Panel6->layout())) {
        row->insertWidget(row->count() - 1, UndoButton);
        row->insertWidget(row->count() - 1, RedoButton);
    }
    NameShortcut(UndoButton, Undo1->shortcut());
    NameShortcut(RedoButton, Redo1->shortcut());
    connect(UndoButton, &QToolButton::clicked, this, &TForm1::Undo1Click);
    connect(RedoButton, &QToolButton::clicked, this, &TForm1::Redo1Click);

    // Changes made in the map itself: typing, Delete, moving rows and columns.
    connect(&CarnoGrid1->Model(), &MapModel::AboutToEdit, this, [this] { History.Begin(Grid); });
    connect(&CarnoGrid1->Model(), &MapModel::Edited, this, [this] {
        if (History.Commit(Grid)) ResultsOutdated();
        UpdateUndoActions();
        ShowCounts();
        UpdateCaption();
    });

    CellStatus = new QLabel(StatusBar1);
    CellStatus->setObjectName("CellStatus");
    CountStatus = new QLabel(StatusBar1);
    CountStatus->setObjectName("CountStatus");
    StatusBar1->addWidget(CellStatus, 1);
    StatusBar1->addPermanentWidget(CountStatus);
    connect(CarnoGrid1, &TMapView::CellHovered, this, &TForm1::ShowCellStatus);
    UpdateUndoActions();
}

void TForm1::MapCommand(const std::function<void()>& change, Outdates outdates) {
    History.Begin(Grid);
    change();
    if (History.Commit(Grid) && outdates == Outdates::Results) ResultsOutdated();
    UpdateUndoActions();
    ShowCounts();
    UpdateCaption();
}

void TForm1::ResultsOutdated() {
    Grid.ClearResults();
    expanded_ = nullptr;
    CarnoGrid1->Repaint();
    Createreport1->setEnabled(false);
}

bool TForm1::MayFill() {
    const bool results = Grid.ResultsWouldBeLost() || Grid.ResultCount() > 0;
    if (!Grid.ConfirmResultsLoss(AskResultsLost, platform::MsgIcon::Warning)) return false;
    if (results) ResultsOutdated();  // gone even where the fill changes no cell
    return true;
}

void TForm1::UpdateUndoActions() {
    Undo1->setEnabled(History.CanUndo());
    UndoButton->setEnabled(History.CanUndo());
    Redo1->setEnabled(History.CanRedo());
    RedoButton->setEnabled(History.CanRedo());
}

void TForm1::MapRestored() {
    ShowVariableCount();
    CarnoGrid1->Refresh();
    ResultsOutdated();
    UpdateUndoActions();
    ShowCounts();
    UpdateCaption();
}

void TForm1::Undo1Click() {
    if (History.Undo(Grid)) MapRestored();
}

void TForm1::Redo1Click() {
    if (History.Redo(Grid)) MapRestored();
}

void TForm1::ShowCellStatus(int col, int row) {
    if (col < 1 || row < 1 || col > Grid.MapColumns() || row > Grid.MapRows()) {
        CellStatus->clear();
        return;
    }
    CellStatus->setText(Filled(platform::TranslateText("Minterm %s, cell code %s"),
                               {QString::number(Grid.MintermNumber(col, row)),
                                QString::fromStdString(Grid.CellCode(col, row))}));
}

void TForm1::ShowCounts() {
    if (!CountStatus) return;  // a change of language before the status bar is built
    int ones = 0, zeros = 0, dontCares = 0, empty = 0;
    for (int c = 1; c <= Grid.MapColumns(); ++c) {
        for (int r = 1; r <= Grid.MapRows(); ++r) {
            const std::string t = Grid.Cells(c, r);
            ones += t == "1";
            zeros += t == "0";
            dontCares += t == "*";
            empty += t.empty();
        }
    }
    CountStatus->setText(
        Filled(platform::TranslateText("Ones: %s  Zeros: %s  Don't cares: %s  Empty: %s"),
               {QString::number(ones), QString::number(zeros), QString::number(dontCares),
                QString::number(empty)}));
}
