#pragma once
// The truth table and the map, each filled from the other.

#include "engine/CarnoGrid.h"
#include "input/TruthTableData.h"

// Every map cell from the table's F1 column, by each row's input code.
void FillCarnoCard(TCarnoGrid& map, const TruthTableData& table);
// Entry m: the first character of minterm m's cell, 0 for an empty cell.
void MapToTruthTable(const TCarnoGrid& map, TTruthTableValues& values);
