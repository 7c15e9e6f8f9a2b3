// The main window's commands and the events of its controls.

#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "advmin/ocxint.h"
#include "app/Main.h"
#include "app/OptionsForm.h"
#include "app/Windows.h"
#include "engine/Analyze.h"
#include "engine/MapView.h"
#include "explain/Explain.h"
#include "explain/ExplainPanel.h"
#include "explain/Sentences.h"
#include "explain/UseResult.h"
#include "files/BooleanFunctionFile.h"
#include "files/FunctionFile.h"
#include "files/HtmlExport.h"
#include "files/MapFile.h"
#include "files/PlaFile.h"
#include "input/TTableForm.h"
#include "input/TruthTable.h"
#include "platform/Colour.h"
#include "platform/Dialogs.h"
#include "platform/Message.h"
#include "platform/PathText.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramStart.h"
#include "platform/QtColour.h"
#include "platform/Translate.h"
#include "report/ReportForm.h"
#include "ui/FormulaView.h"
#include "ui/QtResultTree.h"
#include "ui/ResultsQuestion.h"

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

// --- fills ---

void TForm1::FillMap(const std::string& text) {
    if (!MayFill()) return;
    MapCommand([&] { Grid.FillCard(text); });
    CarnoGrid1->Refresh();
}

void TForm1::SpeedButton2Click() {
    FillMap("1");
}
void TForm1::SpeedButton1Click() {
    FillMap("0");
}
void TForm1::SpeedButton3Click() {
    FillMap("*");
}
void TForm1::SpeedButton4Click() {
    FillMap("");
}

void TForm1::InvertMap1Click() {
    MapCommand([this] { Grid.Invert(); });
    CarnoGrid1->Refresh();
}

// --- analysis ---

void TForm1::BitBtn3Click() {
    TreeView->clear();
    expanded_ = nullptr;
    const Options& settings = Windows().Settings;
    const bool exact = settings.ExactMinimum;
    const TGlueMethod method = settings.GlueMethod;
    bool analyzed = false;
    // Empty cells get their values here: a step of its own.
    MapCommand(
        [&] {
            analyzed = exact ? explain::AnalyzeMapExactly(Grid, method) : AnalyzeMap(Grid, method);
        },
        Outdates::Nothing);
    if (!analyzed) SayInvalidCell();
    if (analyzed && !exact) NoteMinimum(method);
    CarnoGrid1->Refresh();
    progress_->SetPosition(0);
    ShowResultIcons();
    if (DockExplain && DockExplain->isVisible()) ExplainPanel->ShowSummary();
    // A refused map gives no result to report on.
    Createreport1->setEnabled(analyzed);
}

void TForm1::SayInvalidCell() {
    const std::optional<TCellPos> bad = Grid.FirstBadCell();
    if (!bad) {
        platform::Say("Invalid data in cell.");
        return;
    }
    // The cell named as the status bar names it, and made the current one.
    std::string where = platform::TranslateText("Minterm %s, cell code %s");
    for (const std::string& value : {std::to_string(Grid.MintermNumber(bad->Col, bad->Row)),
                                     Grid.CellCode(bad->Col, bad->Row)})
        if (const std::size_t at = where.find("%s"); at != std::string::npos)
            where.replace(at, 2, value);
    CarnoGrid1->setCurrentIndex(CarnoGrid1->model()->index(bad->Row - 1, bad->Col - 1));
    platform::Say("Invalid data in cell.", MsgIcon::Error, MsgButtons::Ok,
                  where + ": \"" + Grid.Cells(bad->Col, bad->Row) + "\"");
}

void TForm1::NoteMinimum(TGlueMethod method) {
    explain::MapFunction f;
    if (!explain::ReadMap(Grid, method, f).ok) return;
    explain::Limits limits;
    limits.maxSolutions = 1;
    limits.countWork = 0;
    limits.compareGluing = false;
    const explain::Gluing shown = explain::ResultOf(Grid);
    const std::string line =
        explain::SufficeLine(shown.terms, shown.literals, explain::Explain(f, limits));
    if (line.empty()) return;
    // A line of its own below the formula: no term of it, nothing a command reads.
    auto* note = new QTreeWidgetItem(TreeView);
    note->setData(0, formulaview::kPrefixRole, QString::fromStdString(line));
    note->setFlags(Qt::ItemIsEnabled);
    note->setToolTip(0, QString::fromStdString(line));
}

void TForm1::ShowResultIcons() {
    QIcon termIcon;  // image 1, image 0 while selected
    termIcon.addPixmap(ImageList1[1].pixmap(16), QIcon::Normal);
    termIcon.addPixmap(ImageList1[0].pixmap(16), QIcon::Selected);
    for (int i = 0; i < TreeView->topLevelItemCount(); ++i) {
        QTreeWidgetItem* root = TreeView->topLevelItem(i);
        if (!root->data(0, formulaview::kPrefixRole).toString().isEmpty()) continue;  // a note
        root->setIcon(0, ImageList1[0]);
        for (int k = 0; k < root->childCount(); ++k) root->child(k)->setIcon(0, termIcon);
    }
}

void TForm1::TreeViewChange() {
    QTreeWidgetItem* item = TreeView->currentItem();
    // One branch open at a time: the selected node's.
    if (expanded_ && expanded_ != item && (!item || item->parent() != expanded_))
        expanded_->setExpanded(false);
    if (item && item->childCount()) {
        item->setExpanded(true);
        expanded_ = item;
    }
    if (item && item->parent() && !item->parent()->parent())
        CarnoGrid1->SelectTerm(item->parent()->indexOfChild(item));
    else
        CarnoGrid1->Repaint();
}

// --- variable count ---

void TForm1::SpinEdit1Change() {
    const int n = SpinEdit1->value();
    if (n >= 2 && n <= 8) {
        MapCommand([&] { Grid.SetVariableCount(n); });
        if (Windows().TruthTableForm) Windows().TruthTableForm->SetVariableCount(n);
        CarnoGrid1->Refresh();
        Createreport1->setEnabled(false);
    }
    BuildVariableHint();
}

// --- map editing ---

void TForm1::CarnoGrid1KeyDown(int key) {
    if (key == Qt::Key_Delete)
        CarnoGrid1->ClearSelectedCells();  // recorded through the view's edit signals
}

void TForm1::CarnoGrid1GetEditText(int col, int row, const QString& editorText) {
    if (editorText.toStdString() != Grid.Cells(col, row)) Createreport1->setEnabled(false);
}

// --- files ---

bool TForm1::LoadMap(const QString& fileName) {
    // The kind by the extension; anything else is read as a map file, as it always was.
    const QString ext = QFileInfo(fileName).suffix().toLower();
    const std::string path = platform::PathBytes(fileName);
    bool loaded = false;
    MapCommand([&] {
        loaded = ext == "csv"   ? LoadFromCsvFile(Grid, path, AskResultsLost)
                 : ext == "bf"  ? LoadFromBooleanFunctionFile(Grid, path, AskResultsLost)
                 : ext == "pla" ? LoadPla(path)
                                : LoadFromFile(Grid, path, AskResultsLost);
    });
    if (!loaded) return false;
    // A table may bring its input names: the options show what the map now holds.
    if (TOptions* options = Windows().Options) options->ShowNames(Grid);
    ShowVariableCount();
    CarnoGrid1->Refresh();
    return true;
}

void TForm1::BitBtn1Click() {
    const platform::FileChoice choice = platform::Dialogs().OpenFile(
        this, {"Open Map",
               {"Karnaugh Map File (*.km)", "PLA File (*.pla)", "CSV Truth Table (*.csv)",
                "Boolean Function (*.bf)", "All Files (*)"},
               "km",
               {}});
    if (choice.accepted) OpenFile(choice.path);
}

void TForm1::BitBtn2Click() {
    SaveAs();
}

bool TForm1::SaveAs() {
    const QString proposed = "Map" + QString::number(SaveNameCounter);
    ++SaveNameCounter;  // moves on even when the dialog is cancelled
    const platform::FileChoice choice = platform::Dialogs().SaveFile(
        this, {"Save As...",
               {"Karnaugh Map Files (*.km)", "Internet HTML Document (*.htm *.html)",
                "Boolean Function (*.bf)", "CSV Truth Table (*.csv)", "PLA File (*.pla)"},
               "km",
               proposed});
    if (!choice.accepted) return false;
    if (QFileInfo::exists(choice.path) &&
        platform::Say("This file already exist, replace ?", platform::MsgIcon::Warning,
                      platform::MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    Grid.PackedFlag = Windows().Settings.BitSave ? 1 : 0;
    const std::string path = choice.path.toStdString();
    bool saved = false;
    switch (choice.filterIndex) {
        case 2:  // a page to read, not a file the map comes back from
            SaveToHTMLFile(Grid, path);
            return false;
        case 3:
            saved = SaveToBooleanFunctionFile(Grid, path);
            break;
        case 4:
            saved = SaveToCsvFile(Grid, path);
            break;
        case 5:  // the map's function as a PLA: opened again it is the one output
            if (SaveToPlaFile(Grid, path)) NoteRecentFile(choice.path);
            return false;
        default:
            saved = SaveToFile(Grid, path);
            break;
    }
    if (!saved) return false;
    NoteRecentFile(choice.path);
    // Save writes the same file from now on, in the kind chosen by its extension.
    const QString ext = QFileInfo(choice.path).suffix().toLower();
    const bool sameKind = choice.filterIndex == 3   ? ext == "bf"
                          : choice.filterIndex == 4 ? ext == "csv"
                                                    : ext != "bf" && ext != "csv" && ext != "pla";
    MapSaved(sameKind ? QFileInfo(choice.path).absoluteFilePath() : QString());
    return true;
}

// --- appearance ---

void TForm1::N2Click() {
    QColor color = platform::ToQColor(Grid.TermColor);
    if (platform::Dialogs().PickColor(this, color)) Grid.TermColor = platform::FromQColor(color);
}

void TForm1::N3Click() {
    QFont font = CarnoGrid1->BaseFont();  // the chosen size, not the zoomed one
    if (platform::Dialogs().PickFont(this, font)) CarnoGrid1->setFont(font);
    CarnoGrid1->Refresh();
}

void TForm1::N4Click() {
    QFont font = TreeView->font();
    if (platform::Dialogs().PickFont(this, font)) TreeView->setFont(font);
}

// --- other windows ---

void TForm1::SpeedButton9Click() {
    TOptions* options = Windows().Options;
    if (!options) return;
    options->ShowNames(Grid);
    options->exec();
    MapCommand([&] { options->ApplyNames(Grid); });
    BuildVariableHint();
    CarnoGrid1->Refresh();  // the names in the map's corner
    const Options& settings = Windows().Settings;
    CarnoGrid1->SetDrawFocusSelected(settings.DrawFocus);
    CarnoGrid1->SetMovableColRow(settings.MovableColRow);
    CarnoGrid1->SetSizingColRow(settings.SizingColRow);
    if (DockExplain && DockExplain->isVisible())
        ExplainPanel->Recompute();  // names or form may differ
}

void TForm1::ReportBtnClick() {
    if (TReport* dialog = Windows().Report) dialog->exec();
}

// --- closing ---

bool TForm1::FormCloseQuery() {
    if (!MayDropChanges()) return false;
    if (!Windows().Options || !Windows().Settings.AskExit) return true;
    return platform::Say("Do you really want to quit?", platform::MsgIcon::Information,
                         platform::MsgButtons::YesNo) == MsgAnswer::Yes;
}

void TForm1::FormClose() {
    // A core run that failed half-way may have left its exchange file behind.
    try {
        DeleteExchangeFile();
    } catch (const std::exception& e) {
        platform::ShowMessage(e.what(), MsgIcon::Error, MsgButtons::Ok);
    }
}

void TForm1::N19Click() {
    // Ends the message loop at once: no close handler and no "really quit" question, but
    // unsaved changes are not thrown away unasked.
    if (!MayDropChanges()) return;
    QCoreApplication::exit(0);
}
