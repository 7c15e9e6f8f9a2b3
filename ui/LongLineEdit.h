#pragma once
// A line edit for lists that may run to megabytes. QLineEdit measures its whole text on every
// paint, a cursor blink included, and lays it all out again on every change, which for such a
// list takes seconds; above a length this one keeps Qt from showing the text at all (no echo) and
// draws only the stretch around the cursor itself, moving, deleting and copying by that stretch
// where Qt would have asked its own layout. The text stays whole: what is read back, copied,
// edited and saved is all of it.

#include <QLineEdit>
#include <vector>

class QTextLayout;

class LongLineEdit : public QLineEdit {
  public:
    // Below this many characters the line edit is Qt's own, look and all.
    static constexpr int kDrawnWhole = 10000;

    explicit LongLineEdit(QWidget* parent = nullptr);

    bool DrawsPart() const { return text().size() > kDrawnWhole; }
    // The first character drawn when the text is long; the cursor is always in view.
    int FirstShown() const { return first_; }

    // Qt copies nothing from a line edit that does not echo; these copy the whole selection.
    void copy() const;
    void cut();
    // Qt's undo of a text it does not echo clears the text; these take back and redo the
    // user's edits of a long text one by one.
    void undo();
    void redo();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    friend class EchoSwitch;
    // Hides the text from Qt's own layout while it is long; called before Qt lays out a change.
    void FitEcho(qsizetype length);
    // Where Qt's layout would put the cursor one character or word on, read from a stretch of
    // the text around it.
    int Step(int from, bool forward, bool word) const;
    void MoveTo(int position, bool mark);

    QRect TextRect() const;
    // Scrolls so that the cursor is in view and lays out what is shown from first_.
    void LayOutShown(QTextLayout& layout, int width);
    int PositionAt(QPoint point);

    // An edit as the user made it: at a place, what it took out and what it put in.
    struct Edit {
        int at = 0;
        QString removed, inserted;
    };
    void Record(const QString& now);
    void Apply(std::vector<Edit>& from, std::vector<Edit>& to, bool back);

    QString last_;  // the text as the last edit left it
    std::vector<Edit> undone_, redone_;
    bool applying_ = false;
    int first_ = 0;
    int anchor_ = 0;  // where a drag with the mouse began
};
