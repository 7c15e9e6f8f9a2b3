#pragma once
// TForm1: the main window. It holds the map, the tool buttons, the variable-count field, the
// result tree and the progress bar, and owns the menus; each command is one handler method,
// shared by every menu item, button and shortcut that runs it.

#include <QIcon>
#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "engine/CarnoGrid.h"
#include "engine/MapHistory.h"

class QAction;
class QDockWidget;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QProgressBar;
class QSpinBox;
class QSplitter;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QtProgress;
class QtResultTree;
class TMapView;
class TExplainPanel;
class TCheckBar;
class TExerciseDialog;
class TLanguage;
struct Options;

// The help page (a file name in the help folder) for F1 in window.
std::string HelpPageOf(const QWidget* window);

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    // arguments: the command line after the program name; a first one names a map to open.
    explicit TForm1(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- the map ---
    TCarnoGrid Grid;      // the map's logic; CarnoGrid1 shows it
    TMapHistory History;  // undo and redo of every change of Grid
    TMapView* CarnoGrid1 = nullptr;

    // --- layout ---
    QSplitter* Splitter1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* Panel6 = nullptr;
    QWidget* Panel4 = nullptr;
    QWidget* Panel5 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QLabel* Label1 = nullptr;
    QTreeWidget* TreeView = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QIcon ImageList1[2];  // 0: formula node (and a selected term), 1: term

    // --- main menu ---
    QMenu *N10 = nullptr, *N11 = nullptr, *N20 = nullptr, *N12 = nullptr, *ools1 = nullptr,
          *N15 = nullptr;
    QAction *N18 = nullptr, *N5 = nullptr, *N19 = nullptr;
    QAction *N110 = nullptr, *N03 = nullptr, *N21 = nullptr, *N22 = nullptr, *N23 = nullptr,
            *N28 = nullptr;
    QAction *N34 = nullptr, *N25 = nullptr, *Invert1 = nullptr, *N24 = nullptr, *N32 = nullptr;
    QAction *N26 = nullptr, *N27 = nullptr, *N13 = nullptr;
    QAction *Createreport1 = nullptr, *Cretecircuit1 = nullptr, *Advancedminimizer1 = nullptr;
    QAction *N16 = nullptr, *tipoftheday = nullptr, *N30 = nullptr, *N17 = nullptr;
    QMenu* Edit1 = nullptr;
    QMenu* RecentFiles1 = nullptr;
    QMenu* View1 = nullptr;
    QAction *ZoomIn1 = nullptr, *ZoomOut1 = nullptr, *ActualSize1 = nullptr, *FillWindow1 = nullptr;
    // "system", "light" or "dark": the look of every window (the Options' Appearance page).
    void SetAppearance(const QString& setting);
    void StyleGoButton();  // its green readable on the look in use
    // The settings' products colour and fonts onto the window, and the window's back into them.
    void ApplyLook(const Options& options);
    void KeepLook(Options& options) const;
    QAction *Undo1 = nullptr, *Redo1 = nullptr;
    QAction *Save1 = nullptr, *New1 = nullptr;  // File, beside Open and Save as

    // --- pop-up menus ---
    QMenu *PopupMenu1 = nullptr, *N6 = nullptr, *N1 = nullptr, *PopupMenu2 = nullptr;
    QAction *N01 = nullptr, *N02 = nullptr, *N7 = nullptr, *N9 = nullptr, *N8 = nullptr,
            *N29 = nullptr;
    QAction *N2 = nullptr, *N3 = nullptr, *N33 = nullptr, *InvertMap1 = nullptr;
    QAction *N4 = nullptr, *N14 = nullptr, *N200 = nullptr, *CopyFormula1 = nullptr;

    // --- exchange: pictures and the clipboard (ExchangeCommands.cpp) ---
    QMenu* Export1 = nullptr;
    QAction *ExportSVG1 = nullptr, *ExportPNG1 = nullptr, *ExportTeX1 = nullptr,
            *ExportPLA1 = nullptr;
    QAction *N37 = nullptr, *CopyasText1 = nullptr, *CopyasPicture1 = nullptr,
            *PasteCells1 = nullptr;
    QAction *N38 = nullptr, *CopyasText2 = nullptr, *CopyasPicture2 = nullptr,
            *PasteCells2 = nullptr;
    double PictureScale = 1;  // the PNG export's last scale
    QAction* PrintMap1 = nullptr;

    // --- tool buttons, left to right ---
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr,
                *SpeedButton4 = nullptr, *SpeedButton11 = nullptr, *SpeedButton5 = nullptr,
                *SpeedButton7 = nullptr, *SpeedButton6 = nullptr, *SpeedButton8 = nullptr,
                *SpeedButton9 = nullptr, *SpeedButton10 = nullptr;
    QToolButton *UndoButton = nullptr, *RedoButton = nullptr;
    QLabel *CellStatus = nullptr, *CountStatus = nullptr;  // in StatusBar1

    // --- the minimal solutions panel (ExplainCommands.cpp) ---
    QDockWidget* DockExplain = nullptr;
    TExplainPanel* ExplainPanel = nullptr;
    QAction* N35 = nullptr;           // Map, "Minimal solutions" (F6)
    QAction* CheckAnswer1 = nullptr;  // Map, "Check my answer"
    QAction* NewExercise1 = nullptr;  // File, "New exercise..."
    TCheckBar* CheckBar = nullptr;    // under the map, shown by "Check my answer"
    TExerciseDialog* ExerciseDialog = nullptr;
    QToolButton* SpeedButton12 = nullptr;  // shows or hides the panel

    TLanguage* Language1 = nullptr;  // translates every window and message
    // The file of a language: program folder, "Languages/", the name in lower case, ".lng".
    QString GetLangFileName(const QString& name) const;

    // The help page of a window (HelpCommands.cpp), shown by the help viewer; the last one
    // asked for stays in HelpShown.
    void ShowHelpPage(const std::string& page);
    std::string HelpShown;

    int ActivationCount = 0;
    std::uint8_t SaveNameCounter = 0;  // the number proposed after "Map" by Save As

    // The map's tooltip: "Variables: A B \ C D " for four variables.
    QString VariableHint() const;
    void BuildVariableHint();
    // Sets the variable-count field to the map's count without the effects of a change by hand.
    void ShowVariableCount();
    // The result's term k selected in the tree, as the report shows it.
    void SelectResultTerm(int k);

  public slots:
    // --- commands ---
    void BitBtn1Click();       // open a map
    void BitBtn2Click();       // save as
    void N19Click();           // exit without asking
    void BitBtn3Click();       // analyze
    void SpeedButton2Click();  // fill with "1"
    void SpeedButton1Click();  // fill with "0"
    void SpeedButton3Click();  // fill with "*"
    void SpeedButton4Click();  // clear
    void InvertMap1Click();
    void N3Click();            // map font
    void N2Click();            // products colour
    void N4Click();            // result font
    void SpeedButton9Click();  // options
    void N16Click();           // help
    void ReportBtnClick();
    // --- commands of the input dialogs (InputCommands.cpp) ---
    void N9Click();             // formula
    void SpeedButton7Click();   // sets
    void N28Click();            // truth table, from the Map menu
    void N29Click();            // truth table, from the map's menu
    void SpeedButton10Click();  // truth table, from its button
    void N14Click();            // move the result into the formula dialog
    // --- circuits (CircuitCommands.cpp) ---
    void N200Click();
    // --- pictures and the clipboard (ExchangeCommands.cpp) ---
    void ExportSVG1Click();
    void ExportPNG1Click();
    void ExportTeX1Click();
    void ExportPLA1Click();  // the result as a PLA cover
    void PrintMap1Click();   // the map with its loops and the result, on paper
    void CopyasText1Click();
    void CopyasPicture1Click();
    void PasteCells1Click();
    // --- tool windows (ToolWindowCommands.cpp) ---
    void Button1Click();  // advanced minimizer
    void tipofthedayClick();
    void N17Click();  // about
    // --- editing (EditCommands.cpp) ---
    void Undo1Click();
    void Redo1Click();
    void ShowCellStatus(int col, int row);  // (0, 0): the mouse is over no cell
    void ShowCounts();
    // --- the current file (FileCommands.cpp) ---
    void SaveClick();  // to the current file; Save As when there is none
    void NewClick();   // an empty map of the same size, no file
    bool SaveAs();     // true when the map went to a file it can be opened from
    QString CurrentFile() const { return currentFile_; }
    // The map differs from what was last opened or saved (cells, size, names).
    bool Modified() const;
    // Before the map is replaced or the program ends: asks to save unsaved changes; false when
    // the user cancels (or the save fails).
    bool MayDropChanges();
    // --- recent files, drop (FileCommands.cpp) ---
    // LoadMap, then the file joins the recent files.
    bool OpenFile(const QString& fileName);
    void OpenRecentFile(const QString& path);
    QStringList RecentFiles() const { return recentFiles_; }
    // --- the minimal solutions panel (ExplainCommands.cpp) ---
    void N35Click();  // shows the panel and explains the map at once
    // --- teaching (TeachingCommands.cpp) ---
    void CheckAnswer1Click();  // shows the field under the map, or checks what it holds
    void NewExercise1Click();  // a seeded practice map, its answer hidden
    // --- events ---
    void SpinEdit1Change();
    void TreeViewChange();
    void CarnoGrid1KeyDown(int key);
    void CarnoGrid1GetEditText(int col, int row, const QString& editorText);

  protected:
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate(const QStringList& arguments);
    void FormActivate();
    void ShowTipAtStart();  // ToolWindowCommands.cpp
    bool FormCloseQuery();
    void FormClose();
    void FillMap(const std::string& text);
    bool LoadMap(const QString& fileName);

    void CreateLayout();
    void CreateMenus();
    void CreateToolButtons();
    // Wire the commands of the other windows to their entries, each beside its handlers.
    void ConnectInputCommands();
    void MapChangedByDialog();  // after a confirmed input dialog (InputCommands.cpp)
    void ConnectCircuitCommands();
    void ConnectExchangeCommands();
    void ExportPicture(int kind);  // a picture::Kind
    // One output of a PLA into the map, chosen in a small dialog when there are several.
    bool LoadPla(const std::string& path);
    void ConnectToolWindowCommands();
    void CreateEditCommands();
    void CreateFileCommands();
    void CreateViewCommands();  // ViewCommands.cpp
    void InstallHelpKey();      // F1 in every other window (HelpCommands.cpp)
    void LoadViewSettings();
    void SaveViewSettings();
    void LoadRecentFiles();
    void SaveRecentFiles();
    void NoteRecentFile(const QString& fileName);
    void BuildRecentMenu();
    // Runs change as one step of the map's history. A change of the map outdates the results
    // shown, except the analysis' own filling of empty cells.
    enum class Outdates { Results, Nothing };
    void MapCommand(const std::function<void()>& change, Outdates outdates = Outdates::Results);
    // The map no longer is the one analysed: its results go, from the tree and the lists.
    void ResultsOutdated();
    // Before a fill: false when results are shown and the user keeps them (Cancel).
    bool MayFill();
    void UpdateUndoActions();
    void MapRestored();  // after an undo or redo
    void ConnectExplainCommands();
    void ConnectTeachingCommands();
    void RetranslateTeaching();  // after a change of language
    void RetranslateExplain();   // after a change of language
    void ShowResultIcons();      // the tree's images after a result was put in it
    // "Invalid data in cell." with the first refused cell, which becomes the current one.
    void SayInvalidCell();
    // Under a designed result above the proven minimum, a line that says so.
    void NoteMinimum(TGlueMethod method);

    QtResultTree* tree_ = nullptr;
    QtProgress* progress_ = nullptr;
    QTreeWidgetItem* expanded_ = nullptr;
    QStringList recentFiles_;  // newest first, at most eight
    QString currentFile_;      // the map's file, where Save writes; empty for none
    std::string savedContent_;
    std::string Content() const;
    void MapSaved(const QString& file);  // the map as it is now is the file's content
    void UpdateCaption();                // the file's name and the unsaved-changes mark
};
