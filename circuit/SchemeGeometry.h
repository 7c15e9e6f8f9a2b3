#pragma once
// Where each part of a gate lies, for a grid step s: shared by placement (pin ends, which the
// nets join) and the painter, so a drawn pin always ends where its net starts. Every division
// is an integer division of the whole product.

#include "circuit/Scheme.h"

namespace scheme {

struct GateBox {
    int x = 0, y = 0;  // top-left corner
    int s = 0;         // grid step
    int p = 0;         // pin step
    int n = 0;         // pins, inputs and output
    int H = 0;         // n * p + 2s
    int mid = 0;       // y + H / 2
};

GateBox Box(const TGate& gate, int gridStep);

inline bool HasBubble(TGateKind kind) {
    return kind == gkNAND || kind == gkNOR || kind == gkNOT;
}
inline bool IsOrShape(TGateKind kind) {
    return kind == gkOR || kind == gkNOR;
}

// The k-th input (k = 1 for the first) and the output.
inline int InputRow(const GateBox& b, int k) {
    return b.y + k * b.p;
}
inline int InputOuterX(const GateBox& b) {
    return b.x - 3 * b.s;
}
int OutputRow(const GateBox& b, TGateSystem system);
int OutputStartX(const GateBox& b, TGateKind kind, TGateSystem system);
int OutputEndX(const GateBox& b, TGateKind kind, TGateSystem system);
// The right edge the output's label is aligned to.
int OutputLabelRight(const GateBox& b, TGateKind kind, TGateSystem system);

// Where an input line meets the body at a row: the left edge, or the hollow back of a
// distinctive OR shape at that row (an ellipse quarter of half-width 5s/2).
int InputBodyX(const GateBox& b, TGateKind kind, TGateSystem system, int row);

// The vertical track of the net at index c: c steps right of its output pin.
inline int NetTrackX(const TNet& net, int c, int gridStep) {
    return net.X1 + c * gridStep;
}

// Gate corners and pin ends of every flow, in order: gates stacked from the flow's top.
void Place(std::vector<TFlow>& flows, TGateSystem system, int gridStep);

}  // namespace scheme
