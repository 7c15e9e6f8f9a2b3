#pragma once
// TAdvMin: minimizes a function of 4 to 23 variables, given as minterm lists, or a PLA of any
// width the core's answer names, kept as its rows, with the minimization core; shows every
// result as a tree, draws one as a circuit or writes it as VHDL.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "advmin/Outputs.h"
#include "engine/ResultTree.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QToolButton;
class QTreeWidget;
class QtResultTree;
class TTrimmer;

class TAdvMin : public QDialog {
    Q_OBJECT
  public:
    explicit TAdvMin(QWidget* parent = nullptr);
    ~TAdvMin() override;
    // Whether the terms of the last result are still being put into the tree.
    bool FillingTree() const { return !filling_.empty(); }

    QTabWidget* PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr, *TabSheet2 = nullptr,
            *TabSheet3 = nullptr;  // analyze, VHDL, Verilog
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr;  // "1", "0", "*"
    QSpinBox* Spin = nullptr;
    QComboBox* EffortBox = nullptr;  // quick, thorough, prove
    QLabel* Label5 = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr;  // open, save function
    QTableWidget* List = nullptr;                                  // Var#k = name
    QToolButton *SpeedButton9 = nullptr, *SpeedButton3 = nullptr,
                *SpeedButton4 = nullptr;  // go, circuit, VHDL
    QTreeWidget* TreeView = nullptr;
    QPlainTextEdit* vhdlcode = nullptr;
    QToolButton *SpeedButton5 = nullptr, *SpeedButton6 = nullptr;  // save VHDL, copy
    // The Verilog page beside the VHDL page (VerilogPage.cpp).
    QToolButton* SpeedButton7 = nullptr;  // convert to Verilog
    QPlainTextEdit* verilogcode = nullptr;
    QToolButton *SpeedButton8 = nullptr, *SpeedButton10 = nullptr;  // save Verilog, copy
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;             // OK, Cancel
    // Several functions of the same inputs (AdvOutputs.cpp): the boxes above show the current one.
    QLabel* Label8 = nullptr;  // "Outputs"
    QListWidget* OutputList = nullptr;
    QToolButton *SpeedButton11 = nullptr, *SpeedButton12 = nullptr;  // add, remove an output
    // While the core runs (AdvRun.cpp): its progress and a Cancel that keeps the best cover so far.
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label9 = nullptr;        // time so far
    QPushButton* BitBtn3 = nullptr;  // Cancel the run
    QLabel* Label10 = nullptr;  // what the last run says of its result (cancelled, products shared)

    TTrimmer& core() { return *core_; }
    // Every output with what its boxes hold now.
    std::vector<OutputFunction> Outputs();
    bool Running() const;

  public slots:
    void SpinChange();
    void ListStringsChange();
    void SpeedButton9Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void TabSheet2Show();
    void TabSheet2Hide();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void TabSheet3Show();
    void TabSheet3Hide();
    void SpeedButton8Click();
    void SpeedButton10Click();
    void BitBtn1Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void OutputListChange();
    void BitBtn3Click();
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateOutputsPart(class QVBoxLayout* column);  // AdvOutputs.cpp
    void CreateRunPart(class QHBoxLayout* row);         // AdvRun.cpp
    void StoreCurrentOutput();
    // The outputs into the list, the first into the boxes; first, where not empty, is its lists
    // made into text already.
    void ShowOutputs(std::vector<OutputFunction> outputs, std::array<QString, 3> first = {});
    bool SavePla(const std::string& path);
    // Tells the core the form, count, effort and outputs of the next run; false when it
    // refused (said).
    bool PrepareCore(bool rows, int n, int k);
    // Whether every variable and output name can be read back from a result; says why not.
    bool NamesReady(int n, const std::vector<OutputFunction>& outputs);
    // Runs work on a thread of its own while the window stays live and repaints: a busy bar,
    // the time so far and, when cancellable, Cancel, which sets the flag work is given. What
    // work says is said when it is done; what it throws is thrown here. Work must not touch
    // a widget.
    using Work = std::function<void(const std::atomic<bool>& cancelled)>;
    void OffThread(const char* doing, bool cancellable, const Work& work);
    // Calls the core (on the lists or on the rows) and reads its answer off this thread, then
    // shows it: one result, or one per output. A failure is said.
    using CoreCall = std::function<std::vector<std::string>(const std::atomic<bool>& cancelled)>;
    void RunAndShow(int n, const std::vector<OutputFunction>& outputs, const CoreCall& call);
    // The roots (formulas, the result's roots as text) at once, their terms a stretch at a time
    // from the window's own turns, so that a result of a hundred thousand terms never holds the
    // window up.
    void ShowTree(MemoryResultTree result, const QStringList& formulas);
    void FillTreeSome();
    void StopFillingTree();
    // Empties the tree at once; its items are deleted a stretch at a time, as deleting a
    // hundred thousand of them would itself hold the window up.
    void DropTree();
    void DropSome();
    // Calls then from timer (made on the first call) a short while after this turn.
    void AfterATurn(class QTimer*& timer, const std::function<void()>& then);
    void ShowOutputResults(const struct OutputsAnswer& answer);
    std::vector<std::string> PortNames() const;  // the variable list's names
    // The shown result's outputs as (name, formula); empty for one function.
    std::vector<std::pair<std::string, std::string>> ResultOutputs() const;
    void ShowRunNote(const std::vector<std::pair<std::string, std::string>>& stats,
                     const QString& more);
    // A code page shows the selected result's text as write makes it; a refusal (the writer's
    // error) is shown translated and leaves the page empty.
    void ShowCodePage(QPlainTextEdit* page, const std::function<std::string()>& write);
    // Saves a code page's text, ended by a line break; failure names the file.
    void SaveCodePage(const char* failure, const QPlainTextEdit* page, const QString& filter,
                      const QString& suffix);
    void FormCreate();
    void CreateVerilogPage();  // VerilogPage.cpp
    // Every output of a PLA into the lists and names, or the rows of one the lists cannot
    // hold (AdvRows.cpp).
    void KeepRows(std::unique_ptr<pla::Pla> file);
    // Back to the typed lists: the rows are dropped and the boxes take input again.
    void DropRows();
    void RunRows();  // Go with the rows
    // The rows' PLA up to its cubes, with the names the tool shows now.
    std::string RowsPlaHead();
    void ClearResult();  // the tree and what the last run said of it
    void updatevarnames();
    // The result the code pages and the circuit show: the selected one, the one of a selected
    // term, or else the first; nullptr while the tree is empty.
    class QTreeWidgetItem* ResultRoot() const;

    std::unique_ptr<TTrimmer> core_;
    std::unique_ptr<pla::Pla> rows_;  // the PLA the tool holds as its rows, or none
    bool coreRows_ = false;           // whether the core was told to take rows
    std::unique_ptr<QtResultTree> tree_;
    int shownPage_ = 0;
    int coreCount_ = -1;   // the variable count the core was last told, -1 before
    int coreEffort_ = 1;   // the effort the core has: thorough until told otherwise
    int coreOutputs_ = 1;  // the functions the core takes at once: one until told otherwise
    std::vector<OutputFunction> outputs_;
    int currentOutput_ = 0;
    std::vector<std::string>
        resultNames_;  // the outputs of the shown result; empty for one function
    struct Run {
        std::thread thread;
        std::atomic<bool> cancelled{false};
    };
    std::unique_ptr<Run> run_;
    // The result ShowTree is still putting into the tree: its roots' terms from fillRoot_,
    // fillChild_ on, each stretch from a zero timer.
    std::vector<MemoryResultTree::Node> filling_;
    std::size_t fillRoot_ = 0, fillChild_ = 0;
    class QTimer* fillTimer_ = nullptr;
    std::vector<std::unique_ptr<class QTreeWidgetItem>> dropped_;  // out of the tree, to delete
    class QTimer* dropTimer_ = nullptr;
};
