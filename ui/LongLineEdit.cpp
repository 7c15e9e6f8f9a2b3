#include "ui/LongLineEdit.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
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

}  // namespace

LongLineEdit::LongLineEdit(QWidget* parent) : QLineEdit(parent) {
    // Qt repaints only the rectangle it would have drawn a change in, which for a long text is
    // not where this draws it.
    const auto whole = [this] {
        if (DrawsPart()) update();
    };
    connect(this, &QLineEdit::cursorPositionChanged, this, whole);
    connect(this, &QLineEdit::selectionChanged, this, whole);
    connect(this, &QLineEdit::textChanged, this, whole);
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
