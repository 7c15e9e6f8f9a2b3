#pragma once
// Drawing a built TScheme with a QPainter: the control and the off-screen picture alike.

#include <QColor>
#include <QPainter>
#include <cstdint>

#include "circuit/Scheme.h"

// Every gate (body, pins, labels, overbars) and every net, antialiased, with a black pen of
// width 2. labelPixels: the label font's size for distinctive shapes; rectangular symbols
// write their labels at the picture's 8 point.
void PaintScheme(QPainter& painter, const TScheme& scheme, int labelPixels);

// A black dot at every (1 + i*step, 1 + j*step) inside size.
void PaintGridDots(QPainter& painter, int step, int width, int height);
