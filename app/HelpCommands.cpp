// F1 in every window: the help page of the window that has the focus, shown by the help
// viewer. The main window's Help command is the same key.

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "app/Main.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramStart.h"

namespace {

// Pages by the windows' object names; the main window, About and the tips open the contents.
const char* PageOf(const QString& window) {
    static const std::pair<const char*, const char*> pages[] = {
        {"InputFormula", "formula.html"},
        {"InputForm", "sets.html"},
        {"TruthTableForm", "truthtable.html"},
        {"Options", "options.html"},
        {"Report", "report.html"},
        {"RepView", "report.html"},
        {"Circuit", "circuits.html"},
        {"CirView", "circuits.html"},
        {"AdvMin", "advanced.html"}};
    for (const auto& [name, page] : pages)
        if (window == QLatin1String(name)) return page;
    return "mwr.html";
}

// F1 where no window's own command takes it: every dialog and tool window.
class HelpKey : public QObject {
  public:
    explicit HelpKey(TForm1* form) : QObject(form), form_(form) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 || !watched->isWidgetType())
            return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (window == form_) return false;  // its Help command has the key
        form_->ShowHelpPage(HelpPageOf(window));
        return true;
    }

  private:
    TForm1* form_;
};

}  // namespace

std::string HelpPageOf(const QWidget* window) {
    // A panel docked in the main window tells its own story.
    if (window && window->objectName() == "Form1") {
        const QWidget* focus = QApplication::focusWidget();
        for (const QWidget* w = focus; w && w != window; w = w->parentWidget())
            if (w->objectName() == "DockExplain") return "analysis.html";
    }
    return window ? PageOf(window->objectName()) : "mwr.html";
}

void TForm1::InstallHelpKey() {
    qApp->installEventFilter(new HelpKey(this));
}

void TForm1::ShowHelpPage(const std::string& page) {
    HelpShown = page;
    const std::string folder = platform::ProgramFolder() + "help/";
    if (!platform::StartProgram(folder + "hh", {folder + page}))
        platform::Say("Can't open help file.", platform::MsgIcon::Information);
}

void TForm1::N16Click() {
    QWidget* active = QApplication::activeModalWidget();
    ShowHelpPage(HelpPageOf(active ? active : QApplication::activeWindow()));
}
