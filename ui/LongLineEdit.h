#pragma once
// A line edit for lists that may run to megabytes. QLineEdit measures its whole text on every
// paint, a cursor blink included, which for such a list takes seconds; above a length this one
// draws only the stretch around the cursor itself. The text stays whole: what is read back,
// copied, edited and saved is all of it.

#include <QLineEdit>

class QTextLayout;

class LongLineEdit : public QLineEdit {
  public:
    // Below this many characters the line edit is Qt's own, look and all.
    static constexpr int kDrawnWhole = 10000;

    explicit LongLineEdit(QWidget* parent = nullptr);

    bool DrawsPart() const { return text().size() > kDrawnWhole; }
    // The first character drawn when the text is long; the cursor is always in view.
    int FirstShown() const { return first_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QRect TextRect() const;
    // Scrolls so that the cursor is in view and lays out what is shown from first_.
    void LayOutShown(QTextLayout& layout, int width);
    int PositionAt(QPoint point);

    int first_ = 0;
    int anchor_ = 0;  // where a drag with the mouse began
};
