#pragma once
// TExplainPanel: the "Minimal solutions" panel beside the result tree. For the map and form
// of the moment it shows the primes with the essential ones, the prime chart with its
// reduction in sentences, and every minimal solution up to the limit with their count and
// the comparison with the designed gluing. Selecting a prime or a solution draws its loops
// on the map; "Use as result" makes the chosen solution the map's result. The work runs on a
// worker thread, started a moment after the last edit, so typing never waits for it.

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "explain/Explain.h"
#include "explain/Method.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTextBrowser;
class QTabWidget;
class QTableView;
class QTreeWidget;
class TLoopOverlay;
class TMapView;
class ChartModel;

class TExplainPanel : public QWidget {
    Q_OBJECT
  public:
    TExplainPanel(TMapView* map, QWidget* parent = nullptr);
    ~TExplainPanel() override;

    // Read at every run: the form (from the options) and the number of solutions listed.
    std::function<TGlueMethod()> FormSource;
    std::function<int()> LimitSource;

    // A run a moment from now; further calls before then move it on.
    void Recompute();
    // A run at once (F6).
    void RunNow();
    // The comparison line again, after the result in the tree changed (F5, a solution used).
    void ShowSummary();
    // Tabs, headers and button in the language in use, and the summary with them.
    void Retranslate();
    bool Busy() const { return running_ > 0 || timer_.isActive(); }

    const explain::Explanation& Current() const { return e_; }
    TLoopOverlay* Loops() const { return overlay_; }

    QLabel* Summary = nullptr;
    QTabWidget* Pages = nullptr;
    QTreeWidget* Primes = nullptr;
    QTableView* Chart = nullptr;
    QListWidget* Steps = nullptr;
    QLabel* CountLabel = nullptr;
    QTreeWidget* Solutions = nullptr;
    QPushButton* UseButton = nullptr;
    // "Hazard-free cover": the chosen solution with the consensus terms of its hazards, shown
    // and used; without it the hazards are drawn as arrows.
    QCheckBox* HazardFree = nullptr;
    QLabel* HazardLabel = nullptr;
    QTextBrowser* MethodPage = nullptr;  // the method step by step

  signals:
    // A run's results are shown.
    void Updated();
    // "Use as result" put a solution into the map's result tree.
    void ResultUsed();

  private:
    void Start();
    void Show(const explain::MapFunction& f, const explain::Explanation& e,
              const explain::Method& method);
    void ShowRefused(int col, int row);
    void PrimeSelected();
    void SolutionSelected();
    void UseSelected();
    std::vector<int> Minterms(const mwcore::Cube& cube) const;

    TMapView* map_;
    TLoopOverlay* overlay_;
    ChartModel* chartModel_;
    QTimer timer_;
    int generation_ = 0;
    int running_ = 0;
    explain::MapFunction f_;
    explain::Explanation e_;
    explain::Method method_;
};
