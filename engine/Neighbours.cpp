#include "engine/Neighbours.h"

namespace neighbours {

namespace {
constexpr int kBlockWidth = 4;

void AddIfInside(std::vector<int>& out, int q, int n) {
    if (q >= 1 && q <= n) out.push_back(q);
}
}  // namespace

std::vector<int> Forward(int p, int n) {
    std::vector<int> out;
    const int b = ((p - 1) % kBlockWidth) + 1;
    if (b == 1) {
        for (int step : {1, 3, 7, 15}) {
            if (p + step > n) break;
            out.push_back(p + step);
        }
    } else {
        AddIfInside(out, p + 1, n);
        AddIfInside(out, n - p + 1, n);
    }
    return out;
}

std::vector<int> Backward(int p, int n) {
    std::vector<int> out;
    AddIfInside(out, p - 1, n);
    AddIfInside(out, n - p + 1, n);
    return out;
}

std::vector<Pos> OfCell(int c, int r, int cols, int rows) {
    std::vector<Pos> out;
    for (int q : Forward(c, cols)) out.push_back({q, r});
    for (int q : Backward(c, cols)) out.push_back({q, r});
    for (int q : Backward(r, rows)) out.push_back({c, q});
    for (int q : Forward(r, rows)) out.push_back({c, q});
    return out;
}

}  // namespace neighbours
