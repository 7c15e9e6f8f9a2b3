#include "engine/MapLabels.h"

namespace maplabels {

int SettleDefaultWidth(int defaultWidth, int w) {
    for (;;) {
        int next = defaultWidth;
        if (w >= next - 5) next += 10;
        if (next - 5 >= w + 15) next -= 5;
        if (next == defaultWidth) return next;
        defaultWidth = next;
    }
}

int MapColumnWidth(int defaultWidth, int w2, int currentWidth) {
    if (w2 >= defaultWidth - 5) return defaultWidth + 10;
    if (w2 + 15 < defaultWidth - 5) return defaultWidth - 5;
    return currentWidth;
}

}  // namespace maplabels
