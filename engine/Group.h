#pragma once
// The minimizer's working records: a cell of a group, a group (candidate term) and the
// groups of one size.

#include <cstdint>
#include <vector>

#include "engine/CellSet.h"
#include "engine/FormulaText.h"

struct TCellRef {
    std::uint8_t Col;
    std::uint8_t Row;
    // ValueCode of the cell's text when the group was built: 0 for "1", 1 for "0", 2 else.
    std::uint8_t Code;
};

struct TGroup {
    std::uint16_t Count = 0;  // == Cells.size(); positions may repeat
    std::vector<TCellRef> Cells;
    std::uint8_t Picked = 0;
    // Derived: the distinct positions of Cells as map-position indices. Kept beside the cells
    // so that comparisons "by cell positions" are mask operations.
    CellSet Positions;
};

struct TGroupLevel {
    std::uint16_t Size = 0;
    std::vector<TGroup> Groups;
};

struct TCellPos {
    std::uint8_t Col;
    std::uint8_t Row;
    bool operator==(const TCellPos&) const = default;
};
