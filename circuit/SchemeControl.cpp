#include "circuit/SchemeControl.h"

#include <QPaintEvent>
#include <QPainter>

#include "circuit/SchemePainter.h"
#include "platform/Colour.h"
#include "platform/QtColour.h"

TSchemeControl::TSchemeControl(QWidget* parent) : QWidget(parent) {
    setObjectName("Scheme");
}

void TSchemeControl::SetOptions(const CircuitOptions& options) {
    Scheme.SetOptions(options);
    update();
}

void TSchemeControl::SetGridStep(int step) {
    Scheme.GridStep = step;
    update();
}

void TSchemeControl::SetGateSystem(TGateSystem system) {
    Scheme.GateSystem = system;
    update();
}

void TSchemeControl::SetShowGrid(bool show) {
    Scheme.ShowGrid = show;
    update();
}

void TSchemeControl::SetPaperColor(std::uint32_t color) {
    Scheme.PaperColor = color;
    update();
}

// The picture uses the same size, so a saved or printed circuit is what the view shows.
int TSchemeControl::LabelPixels() const {
    return ScreenLabelPixels(Scheme.GridStep);
}

bool TSchemeControl::Build() {
    Scheme.BuildScheme();
    if (Scheme.TooLarge()) return false;
    setFixedSize(Scheme.SchemeWidth(), Scheme.SchemeHeight());
    update();
    return true;
}

void TSchemeControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), platform::ToQColor(Scheme.PaperColor));
    if (Scheme.ShowGrid) PaintGridDots(painter, Scheme.GridStep, width(), height());
    PaintScheme(painter, Scheme, LabelPixels());
}
