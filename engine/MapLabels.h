#pragma once
// How the map's header sizes follow its labels: the default column width is nudged until the
// row labels fit with a margin, and the map columns widen or narrow around the column labels.

namespace maplabels {

// The default column width reached by repeated paints for a row label w pixels wide: grows by
// 10 while the label does not fit, shrinks by 5 while the margin is 20 or more. Settles in
// w + 6 .. w + 19.
int SettleDefaultWidth(int defaultWidth, int w);

// The width of every map column for a column label w2 pixels wide, or currentWidth when the
// label neither overflows nor leaves too much room.
int MapColumnWidth(int defaultWidth, int w2, int currentWidth);

// Point sizes above this are brought down to it.
constexpr int kMaxMapFontPoints = 10;

}  // namespace maplabels
