#include "circuit/SchemeGeometry.h"

#include <cmath>

namespace scheme {

GateBox Box(const TGate& gate, int gridStep) {
    GateBox b;
    b.x = gate.X;
    b.y = gate.Y;
    b.s = gridStep;
    b.p = gate.PinStep;
    b.n = static_cast<int>(gate.Pins.size());
    b.H = b.n * b.p + 2 * b.s;
    b.mid = b.y + b.H / 2;
    return b;
}

int OutputRow(const GateBox& b, TGateSystem system) {
    return system == gsUS ? b.mid : b.y + b.p;
}

int OutputStartX(const GateBox& b, TGateKind kind, TGateSystem system) {
    const int s = b.s;
    if (system == gsUS) return b.x + (HasBubble(kind) ? 6 * s : 5 * s) + 5 * s / 2;
    return b.x + (HasBubble(kind) ? 6 * s : 5 * s);
}

int OutputEndX(const GateBox& b, TGateKind kind, TGateSystem system) {
    const int s = b.s;
    if (system == gsUS) return b.x + 8 * s + 5 * s / 2;
    return b.x + (kind == gkAND ? 8 * s : 9 * s);
}

int OutputLabelRight(const GateBox& b, TGateKind kind, TGateSystem system) {
    const int end = OutputEndX(b, kind, system);
    if (system == gsUS && kind != gkAND) return end + b.s / 2;
    return end;
}

int InputBodyX(const GateBox& b, TGateKind kind, TGateSystem system, int row) {
    if (system != gsUS || !IsOrShape(kind) || b.H <= 0) return b.x;
    // A fixed end (5s/4) would stop short of the back near the middle and cut into it near
    // the corners of a tall gate; the line ends on the curve instead.
    const double half = b.H / 2.0;
    const double t = std::min(1.0, std::abs(row - (b.y + half)) / half);
    return b.x + static_cast<int>(std::lround(5 * b.s / 2 * std::sqrt(1.0 - t * t)));
}

void Place(std::vector<TFlow>& flows, TGateSystem system, int gridStep) {
    const int s = gridStep;
    for (TFlow& flow : flows) {
        const TGate* previous = nullptr;
        for (TGate& gate : flow.Gates) {
            gate.X = flow.X;
            gate.Y = previous ? previous->Y +
                                    static_cast<int>(previous->Pins.size()) * previous->PinStep +
                                    2 * s + flow.Gap
                              : flow.Y;
            const GateBox b = Box(gate, s);
            int k = 0;
            for (TPin& pin : gate.Pins) {
                if (pin.Kind == pkInput) {
                    pin.X = InputOuterX(b);
                    pin.Y = InputRow(b, ++k);
                } else {
                    pin.X = OutputEndX(b, gate.Kind, system);
                    pin.Y = OutputRow(b, system);
                }
            }
            previous = &gate;
        }
    }
}

}  // namespace scheme
