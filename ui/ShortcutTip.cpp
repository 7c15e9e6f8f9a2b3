#include "ui/ShortcutTip.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace {

const char* const kKeys = "mwShortcut";

class ShortcutTip : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        auto* widget = static_cast<QWidget*>(watched);
        const QString tip = TipWithShortcut(widget);
        if (tip.isEmpty()) return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, widget);
        return true;
    }
};

}  // namespace

void NameShortcut(QWidget* widget, const QKeySequence& keys) {
    if (keys.isEmpty()) return;
    widget->setProperty(kKeys, keys.toString(QKeySequence::NativeText));
    widget->installEventFilter(new ShortcutTip(widget));
}

QString TipWithShortcut(const QWidget* widget) {
    const QString keys = widget->property(kKeys).toString();
    const QString text = widget->toolTip().trimmed();
    if (text.isEmpty() || keys.isEmpty()) return text;
    return text + " (" + keys + ")";
}
