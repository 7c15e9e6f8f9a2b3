#pragma once
// The main window's tree and progress bar, lent to the map.

#include <QProgressBar>
#include <QTreeWidget>

#include "engine/ResultTree.h"

class QtResultTree : public ResultTree {
  public:
    // Shows the tree's formulas through formulaview (notation, full long texts).
    explicit QtResultTree(QTreeWidget* tree);
    int NodeCount() const override;
    void Clear() override { tree_->clear(); }
    int AddRoot(const std::string& text) override;
    void AddChild(int root, const std::string& text) override;

  private:
    QTreeWidget* tree_;
};

// Keeps the position itself and pushes it to the bar only when the bar would show a change, so
// thousands of steps of a run do not cost thousands of repaints.
class QtProgress : public ProgressSink {
  public:
    explicit QtProgress(QProgressBar* bar) : bar_(bar) {}
    int Max() const override { return max_; }
    void SetMax(int max) override;
    int Position() const override { return position_; }
    void SetPosition(int position) override;

  private:
    void Push();
    QProgressBar* bar_;
    int max_ = 100;
    int position_ = 0;
    int shownPermille_ = -1;
};
