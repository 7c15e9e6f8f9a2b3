#pragma once
// Loops drawn over the map view: each term a rounded outline per block of its cells, open
// where the term continues across the map's edge, each in its own colour. A transparent
// layer on top of the view's cells, so the view's own painting (and its term highlight) is
// untouched; clicks pass through to the map.

#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

class QPainter;
class TMapView;

class TLoopOverlay : public QWidget {
    Q_OBJECT
  public:
    explicit TLoopOverlay(TMapView* view);

    // Each entry: the minterms of one term, drawn in loop colour k for the k-th entry.
    void SetLoops(const std::vector<std::vector<int>>& terms);
    // Arrows between pairs of cells (minterms): the static hazards of the loops shown.
    void SetArrows(const std::vector<std::pair<int, int>>& pairs);
    // A student's loops: one dashed colour set apart from the program's, and the cells the
    // answer gets wrong crossed out.
    void SetStudentStyle(bool student) { student_ = student; }
    void SetMarkedCells(const std::vector<int>& cells);
    void Clear() {
        arrows_.clear();
        marked_.clear();
        SetLoops({});
    }
    int LoopCount() const { return static_cast<int>(terms_.size()); }
    // The outlines drawn last, one per block of each term (for the tests).
    int OutlineCount() const { return outlines_; }
    int ArrowCount() const { return static_cast<int>(arrows_.size()); }
    int MarkedCount() const { return static_cast<int>(marked_.size()); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FollowViewport();
    void DrawArrows(QPainter& p);
    void DrawMarks(QPainter& p);

    TMapView* view_;
    // Watched apart from the view: its events still come while the view is being taken down.
    QPointer<QWidget> viewport_;
    std::vector<std::vector<int>> terms_;
    std::vector<std::pair<int, int>> arrows_;
    std::vector<int> marked_;
    bool student_ = false;
    int outlines_ = 0;
};
