#pragma once
// Loops drawn over the map view: each term a rounded outline per block of its cells, open
// where the term continues across the map's edge, each in its own colour. A transparent
// layer on top of the view's cells, so the view's own painting (and its term highlight) is
// untouched; clicks pass through to the map.

#include <QPointer>
#include <QWidget>
#include <vector>

class TMapView;

class TLoopOverlay : public QWidget {
    Q_OBJECT
  public:
    explicit TLoopOverlay(TMapView* view);

    // Each entry: the minterms of one term, drawn in loop colour k for the k-th entry.
    void SetLoops(const std::vector<std::vector<int>>& terms);
    void Clear() { SetLoops({}); }
    int LoopCount() const { return static_cast<int>(terms_.size()); }
    // The outlines drawn last, one per block of each term (for the tests).
    int OutlineCount() const { return outlines_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FollowViewport();

    TMapView* view_;
    // Watched apart from the view: its events still come while the view is being taken down.
    QPointer<QWidget> viewport_;
    std::vector<std::vector<int>> terms_;
    int outlines_ = 0;
};
