#include "ui/WindowRegistry.h"

#include <QWidget>

namespace {
// Every window, in creation order.
std::vector<std::unique_ptr<QWidget>>& Created() {
    static std::vector<std::unique_ptr<QWidget>> windows;
    return windows;
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

void AdoptWindow(std::unique_ptr<QWidget> window) {
    Created().push_back(std::move(window));
}

void DestroyWindow(QWidget* window) {
    for (auto& w : Created()) {
        if (w.get() == window) {
            w->hide();
            w.reset();
        }
    }
}

void DestroyRemainingWindows() {
    auto& created = Created();
    while (!created.empty()) {
        if (created.back()) created.back()->hide();
        created.pop_back();
    }
    Windows() = {};
}
