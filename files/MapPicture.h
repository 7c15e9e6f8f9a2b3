#pragma once
// The map as a picture, the way the screen shows it: silver headers with the Gray-code labels,
// the variable names in the corner (row variables below the diagonal, column variables above),
// the cell values, the highlighted term in the term colour, and a loop around each term of the
// shown solution. Terms that wrap round an edge get open loops at both edges.

#include <string>
#include <vector>

#include "engine/Group.h"
#include "files/Picture.h"

class TCarnoGrid;

struct MapPictureOptions {
    std::vector<std::vector<TCellPos>> loops;  // one per term, its cells
    int highlightedTerm = -1;                  // index into loops, filled as on screen
};

// The loops of the map's last result (as its result list holds them), or none when the
// result tree shows nothing: the picture shows a solution only while the window does.
std::vector<std::vector<TCellPos>> ShownSolution(const TCarnoGrid& map);

// A picture of the visible map. It holds its own copy of what it draws.
picture::Canvas MapCanvas(const TCarnoGrid& map, const MapPictureOptions& options);

// One open or closed side of a loop.
struct LoopPiece {
    int firstCol, lastCol, firstRow, lastRow;  // map positions, 1-based
    bool openLeft, openRight, openTop, openBottom;
};

// The rectangles a term's cells make on the map: each maximal run of its columns and of its
// rows, a run that wraps round split at the edge with that side left open. Empty when the
// cells are not a rectangle's worth of rows by columns (not a term of the map).
std::vector<LoopPiece> LoopPieces(const std::vector<TCellPos>& cells, int mapColumns, int mapRows);
