#include "app/Windows.h"

#include <memory>
#include <vector>

#include "app/Main.h"
#include "advmin/AdvMinimize.h"
#include "app/AboutForm.h"
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
// Every window, in creation order.
std::vector<std::unique_ptr<QWidget>>& Created() {
    static std::vector<std::unique_ptr<QWidget>> windows;
    return windows;
}

template <typename W, typename... Args>
W* Create(W*& slot, Args&&... args) {
    auto window = std::make_unique<W>(std::forward<Args>(args)...);
    slot = window.get();
    Created().push_back(std::move(window));
    return slot;
}
}  // namespace

AppWindows& Windows() {
    static AppWindows windows;
    return windows;
}

std::vector<QWidget*> WindowsInOrder() {
    std::vector<QWidget*> windows;
    for (const auto& w : Created())
        if (w) windows.push_back(w.get());
    return windows;
}

void CreateWindows(const QStringList& arguments) {
    DestroyWindows();
    AppWindows& w = Windows();
    Create(w.Form1, arguments);
    Create(w.InputForm);
    Create(w.Options);
    Create(w.AboutBox);
    Create(w.InputFormula);
    Create(w.TruthTableForm);
    Create(w.Report);
    Create(w.RepView);
    Create(w.Circuit);
    Create(w.CirView);
    Create(w.AdvMin);
    Create(w.TipsForm);
}

void DestroyWindows() {
    auto& created = Created();
    for (auto it = created.begin(); it != created.end(); ++it) {
        if (it->get() == static_cast<QWidget*>(Windows().Options)) {
            it->get()->hide();
            it->reset();
        }
    }
    while (!created.empty()) {
        if (created.back()) created.back()->hide();
        created.pop_back();
    }
    Windows() = {};
}
