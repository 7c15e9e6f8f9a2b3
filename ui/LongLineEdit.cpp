#include "ui/LongLineEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QValidator>
#include <algorithm>

namespace {

// Qt's own spacing between the frame and the text.
constexpr int kMargin = 2;

void SingleLine(QTextLayout& layout) {
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

// No glyph is narrower than a pixel, so this many characters always fill the width.
int Span(int width) {
    return std::max(width, 1) + 8;
}

// Characters either side of the cursor that a step by a character or a word looks at; a word in a
// list is a number or a name, far shorter.
constexpr int kStepReach = 256;

}  // namespace

// Qt checks every change of the text with the validator before it lays the new text out, so this
// is where a text that has grown long is hidden from that layout in time. It accepts everything.
class EchoSwitch : public QValidator {
  public:
    explicit EchoSwitch(LongLineEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int&) const override {
        edit_->FitEcho(input.size());
        return Acceptable;
    }

  private:
    LongLineEdit* edit_;
};

LongLineEdit::LongLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new EchoSwitch(this));
    // Qt repaints only the rectangle it would have drawn a change in, which for a long text is
    // not where this draws it.
    const auto whole = [this] {
        if (DrawsPart()) update();
    };
    connect(this, &QLineEdit::cursorPositionChanged, this, whole);
    connect(this, &QLineEdit::selectionChanged, this, whole);
    connect(this, &QLineEdit::textChanged, this, whole);
    connect(this, &QLineEdit::textEdited, this, &LongLineEdit::Record);
    // A text set from outside starts a new history, as in Qt's own.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& now) {
        if (applying_ || (now.size() == last_.size() && now.constData() == last_.constData()))
            return;
        undone_.clear();
        redone_.clear();
        last_ = now;
    });
}

void LongLineEdit::Record(const QString& now) {
    constexpr std::size_t kMostKept = 200;
    // Read through pointers: a write access would copy the whole of either text.
    const QChar* a = now.constData();
    const QChar* b = last_.constData();
    const qsizetype shorter = std::min(now.size(), last_.size());
    const qsizetype front = std::mismatch(a, a + shorter, b).first - a;
    qsizetype back = 0;
    while (back < shorter - front && a[now.size() - 1 - back] == b[last_.size() - 1 - back]) ++back;
    undone_.push_back({static_cast<int>(front), last_.mid(front, last_.size() - front - back),
                       now.mid(front, now.size() - front - back)});
    if (undone_.size() > kMostKept) undone_.erase(undone_.begin());
    redone_.clear();
    last_ = now;
}

void LongLineEdit::Apply(std::vector<Edit>& from, std::vector<Edit>& to, bool back) {
    if (from.empty() || isReadOnly()) return;
    Edit edit = std::move(from.back());
    from.pop_back();
    const QString& out = back ? edit.inserted : edit.removed;
    const QString& in = back ? edit.removed : edit.inserted;
    QString now = text();
    now.replace(edit.at, out.size(), in);
    applying_ = true;
    setText(now);
    applying_ = false;
    setCursorPosition(edit.at + static_cast<int>(in.size()));
    last_ = text();
    to.push_back(std::move(edit));
}

void LongLineEdit::undo() {
    if (!DrawsPart()) return QLineEdit::undo();
    Apply(undone_, redone_, true);
}

void LongLineEdit::redo() {
    if (!DrawsPart()) return QLineEdit::redo();
    Apply(redone_, undone_, false);
}

void LongLineEdit::FitEcho(qsizetype length) {
    const EchoMode wanted = length > kDrawnWhole ? NoEcho : Normal;
    if (echoMode() != wanted) setEchoMode(wanted);
}

int LongLineEdit::Step(int from, bool forward, bool word) const {
    const QString all = text();
    const int start = std::max(0, from - kStepReach);
    const int end = std::min(static_cast<int>(all.size()), from + kStepReach);
    QTextLayout near(all.mid(start, end - start), font());
    const auto mode = word ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
    const int at = from - start;
    return start +
           (forward ? near.nextCursorPosition(at, mode) : near.previousCursorPosition(at, mode));
}

void LongLineEdit::MoveTo(int position, bool mark) {
    if (!mark) return setCursorPosition(position);
    int anchor = cursorPosition();
    if (hasSelectedText()) anchor = anchor == selectionStart() ? selectionEnd() : selectionStart();
    setSelection(anchor, position - anchor);
}

void LongLineEdit::copy() const {
    if (!DrawsPart()) return QLineEdit::copy();
    if (hasSelectedText()) QApplication::clipboard()->setText(selectedText());
}

void LongLineEdit::cut() {
    if (!DrawsPart()) return QLineEdit::cut();
    if (isReadOnly() || !hasSelectedText()) return;
    copy();
    del();
}

void LongLineEdit::keyPressEvent(QKeyEvent* event) {
    if (!DrawsPart()) return QLineEdit::keyPressEvent(event);
    const int at = cursorPosition();
    const auto is = [event](QKeySequence::StandardKey key) { return event->matches(key); };
    const auto remove = [this](int from, int to) {
        if (isReadOnly() || from == to) return;
        setSelection(from, to - from);
        del();
    };
    if (is(QKeySequence::Undo)) {
        undo();
    } else if (is(QKeySequence::Redo)) {
        redo();
    } else if (is(QKeySequence::Copy)) {
        copy();
    } else if (is(QKeySequence::Cut)) {
        cut();
    } else if (is(QKeySequence::MoveToNextChar)) {
        MoveTo(hasSelectedText() ? selectionEnd() : Step(at, true, false), false);
    } else if (is(QKeySequence::MoveToPreviousChar)) {
        MoveTo(hasSelectedText() ? selectionStart() : Step(at, false, false), false);
    } else if (is(QKeySequence::SelectNextChar)) {
        MoveTo(Step(at, true, false), true);
    } else if (is(QKeySequence::SelectPreviousChar)) {
        MoveTo(Step(at, false, false), true);
    } else if (is(QKeySequence::MoveToNextWord)) {
        MoveTo(Step(at, true, true), false);
    } else if (is(QKeySequence::MoveToPreviousWord)) {
        MoveTo(Step(at, false, true), false);
    } else if (is(QKeySequence::SelectNextWord)) {
        MoveTo(Step(at, true, true), true);
    } else if (is(QKeySequence::SelectPreviousWord)) {
        MoveTo(Step(at, false, true), true);
    } else if (is(QKeySequence::Delete)) {
        if (hasSelectedText())
            del();
        else
            remove(at, Step(at, true, false));
    } else if (is(QKeySequence::DeleteEndOfWord)) {
        if (!hasSelectedText()) remove(at, Step(at, true, true));
    } else if (is(QKeySequence::DeleteStartOfWord)) {
        if (!hasSelectedText()) remove(Step(at, false, true), at);
    } else {
        return QLineEdit::keyPressEvent(event);
    }
    event->accept();
}

// Qt's menu leaves Copy and Cut off for a text it does not echo.
void LongLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (!DrawsPart()) return QLineEdit::contextMenuEvent(event);
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        const QString name = action->text();
        if (name.startsWith(QLineEdit::tr("&Undo")) || name.startsWith(QLineEdit::tr("&Redo"))) {
            const bool back = name.startsWith(QLineEdit::tr("&Undo"));
            action->disconnect();
            action->setEnabled(!isReadOnly() && !(back ? undone_ : redone_).empty());
            connect(action, &QAction::triggered, this, [this, back] { back ? undo() : redo(); });
            continue;
        }
        const bool copies = name.startsWith(QLineEdit::tr("&Copy"));
        if (!copies && !name.startsWith(QLineEdit::tr("Cu&t"))) continue;
        action->disconnect();
        action->setEnabled(hasSelectedText() && (copies || !isReadOnly()));
        if (copies)
            connect(action, &QAction::triggered, this, [this] { copy(); });
        else
            connect(action, &QAction::triggered, this, [this] { cut(); });
    }
    menu->popup(event->globalPos());
    event->accept();
}

void LongLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    // The selection Qt would have offered to other programs on systems that have one.
    QClipboard* clipboard = QApplication::clipboard();
    if (DrawsPart() && event->button() == Qt::LeftButton && hasSelectedText() &&
        clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

QRect LongLineEdit::TextRect() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    r = r.marginsRemoved(textMargins());
    return r.adjusted(kMargin, 0, -kMargin, 0);
}

void LongLineEdit::LayOutShown(QTextLayout& layout, int width) {
    const QString all = text();
    const int cursor = cursorPosition();
    first_ = std::clamp(first_, 0, static_cast<int>(all.size()));
    if (cursor < first_) first_ = cursor;
    layout.setFont(font());
    layout.setText(all.mid(first_, Span(width)));
    SingleLine(layout);
    if (layout.lineAt(0).cursorToX(cursor - first_) <= width) return;
    // The cursor has gone past the right edge: it becomes the last character shown.
    const int from = std::max(0, cursor - Span(width));
    QTextLayout before(all.mid(from, cursor - from), font());
    SingleLine(before);
    const QTextLine line = before.lineAt(0);
    const qreal end = line.cursorToX(cursor - from);
    first_ = from + line.xToCursor(end - width, QTextLine::CursorOnCharacter) + 1;
    first_ = std::min(first_, cursor);
    layout.clearLayout();
    layout.setText(all.mid(first_, Span(width)));
    SingleLine(layout);
}

void LongLineEdit::paintEvent(QPaintEvent* event) {
    if (!DrawsPart()) {
        first_ = 0;
        return QLineEdit::paintEvent(event);
    }
    QPainter p(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    const QRect r = TextRect();
    p.setClipRect(r);
    QTextLayout layout;
    LayOutShown(layout, r.width());
    const int shown = static_cast<int>(layout.text().size());

    QList<QTextLayout::FormatRange> selection;
    if (hasSelectedText()) {
        const int from = std::max(selectionStart() - first_, 0);
        const int to = std::min(selectionEnd() - first_, shown);
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = from;
            range.length = to - from;
            range.format.setBackground(palette().brush(QPalette::Highlight));
            range.format.setForeground(palette().brush(QPalette::HighlightedText));
            selection.append(range);
        }
    }
    const QFontMetrics fm = fontMetrics();
    const QPointF topLeft(r.x(), r.y() + (r.height() - fm.height() + 1) / 2);
    p.setPen(palette().color(QPalette::Text));
    layout.draw(&p, topLeft, selection, r);
    // Qt blinks its cursor by a timer of its own; this one stays lit while the box has focus.
    if (hasFocus() && !isReadOnly()) layout.drawCursor(&p, topLeft, cursorPosition() - first_, 1);
}

int LongLineEdit::PositionAt(QPoint point) {
    const QRect r = TextRect();
    QTextLayout layout;
    LayOutShown(layout, r.width());
    return first_ + layout.lineAt(0).xToCursor(point.x() - r.x());
}

void LongLineEdit::mousePressEvent(QMouseEvent* event) {
    if (!DrawsPart() || event->button() != Qt::LeftButton) return QLineEdit::mousePressEvent(event);
    const int at = PositionAt(event->position().toPoint());
    if (event->modifiers() & Qt::ShiftModifier) {
        if (!hasSelectedText())
            anchor_ = cursorPosition();
        else
            anchor_ = cursorPosition() == selectionStart() ? selectionEnd() : selectionStart();
        setSelection(anchor_, at - anchor_);
    } else {
        anchor_ = at;
        setCursorPosition(at);
    }
    event->accept();
}

void LongLineEdit::mouseMoveEvent(QMouseEvent* event) {
    if (!DrawsPart() || !(event->buttons() & Qt::LeftButton))
        return QLineEdit::mouseMoveEvent(event);
    setSelection(anchor_, PositionAt(event->position().toPoint()) - anchor_);
    event->accept();
}

// A double click takes the item between two commas, as in a list it is one number or range.
void LongLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!DrawsPart() || event->button() != Qt::LeftButton)
        return QLineEdit::mouseDoubleClickEvent(event);
    const QString all = text();
    const int at = PositionAt(event->position().toPoint());
    int from = at;
    while (from > 0 && all[from - 1] != QLatin1Char(',')) --from;
    int to = at;
    while (to < all.size() && all[to] != QLatin1Char(',')) ++to;
    anchor_ = from;
    setSelection(from, to - from);
    event->accept();
}
