#include "app/Windows.h"

#include <QTreeWidget>
#include <QWidget>
#include <memory>
#include <vector>

#include "advmin/AdvMinimize.h"
#include "app/AboutForm.h"
#include "app/Main.h"
#include "app/OptionsForm.h"
#include "app/tips.h"
#include "circuit/CirViewForm.h"
#include "circuit/CircuitForm.h"
#include "input/Input.h"
#include "input/Input_Formula.h"
#include "input/TTableForm.h"
#include "report/RepViewForm.h"
#include "report/ReportForm.h"

namespace {
template <typename W, typename... Args>
W* Create(W*& slot, Args&&... args) {
    auto window = std::make_unique<W>(std::forward<Args>(args)...);
    slot = window.get();
    AdoptWindow(std::move(window));
    return slot;
}
}  // namespace

void CreateWindows(const QStringList& arguments) {
    DestroyWindows();
    AppWindows& w = Windows();
    Create(w.Form1, arguments);
    Create(w.InputForm);
    Create(w.Options);  // reads the settings file into the settings value
    w.Form1->ApplyLook(w.Settings);
    Create(w.AboutBox);
    Create(w.InputFormula);
    Create(w.TruthTableForm);
    Create(w.Report);
    Create(w.RepView);
    Create(w.Circuit);
    Create(w.CirView);
    Create(w.AdvMin);
    Create(w.TipsForm);

    // The report shows the main window's result and selects each term there as it goes.
    w.Report->SetMap(&w.Form1->Grid);
    TForm1* form1 = w.Form1;
    QObject::connect(w.Report, &TReport::TermShown, form1, &TForm1::SelectResultTerm);
}

void DestroyWindows() {
    if (Windows().Form1) Windows().Form1->KeepLook(Windows().Settings);
    DestroyWindow(static_cast<QWidget*>(Windows().Options));
    DestroyRemainingWindows();
}
