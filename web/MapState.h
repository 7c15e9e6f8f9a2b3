#pragma once
// The map as the page keeps it: the variable count, the names and one character per minterm
// ('1', '0', '*', '-' for an empty cell, '?' for a text the page cannot type). Each call of
// the logic builds a TCarnoGrid from it and hands the changed state back.

#include <string>
#include <vector>

#include "engine/CarnoGrid.h"
#include "web/JsonOut.h"

namespace web {

struct MapState {
    int vars = 4;
    std::vector<std::string> names;  // may be shorter than vars: the rest keep their defaults
    std::string cells;               // by minterm; missing entries are empty cells
    std::string title;  // the function's own name a PLA or truth table brought, for the CSV
};

// Fields: variable count, names joined by '\x1d' (then '\x1e' and the function's name, if it
// has one), cells. False for a count out of 2..8.
bool ParseState(const std::string& vars, const std::string& names, const std::string& cells,
                MapState& out);
void ToGrid(const MapState& state, TCarnoGrid& grid);
MapState FromGrid(const TCarnoGrid& grid);
// {"vars":n,"names":[...],"cells":"...","title":"..."}
void WriteState(JsonOut& json, const MapState& state);

// The Gray labels and the minterm of every cell for each map size, as the map draws them.
std::string Layouts();

}  // namespace web
