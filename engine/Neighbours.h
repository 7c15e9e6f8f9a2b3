#pragma once
// The map's neighbour rule. On one axis of N positions (1-based) it lists, from position p,
// the positions one Gray-code step away, in a fixed order and with repeats, and for N = 16
// it misses four pairs. The minimizer's results depend on that order, so it is kept exactly.

#include <vector>

namespace neighbours {

// Forward positions of p on an axis of n positions, in order; positions outside 1..n skipped.
std::vector<int> Forward(int p, int n);
// Backward positions of p: p - 1, then n - p + 1; outside 1..n skipped.
std::vector<int> Backward(int p, int n);

struct Pos {
    int col;
    int row;
};

// The neighbours of map cell (c, r) on a map of cols x rows, in rule order: right (forward
// columns), left (backward columns), up (backward rows), down (forward rows).
std::vector<Pos> OfCell(int c, int r, int cols, int rows);

}  // namespace neighbours
