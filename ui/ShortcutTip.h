#pragma once
// Tooltips that name the key of their command: "Analyze (F5)". The key is added as the tip is
// shown, so the text itself may be translated at any time.

#include <QKeySequence>

class QWidget;

void NameShortcut(QWidget* widget, const QKeySequence& keys);
// The tip as shown: the widget's text, then the keys in brackets.
QString TipWithShortcut(const QWidget* widget);
