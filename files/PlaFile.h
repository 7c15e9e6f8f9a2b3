#pragma once
// The map's side of PLA files: one output of a file taken into the map, the map's function
// written as type fd (compact cubes of its ones and its don't cares), and a minimized sum of
// products written as a type f cover.

#include <optional>
#include <string>
#include <vector>

#include "engine/CarnoGrid.h"
#include "files/FunctionFile.h"
#include "files/Pla.h"

class TCarnoGrid;

// Largest PLA file read, by the map and the command line alike; checked before reading.
constexpr std::size_t kMaxPlaFileSize = 64u << 20;

// The file for the map: 2 to 8 inputs, at least one output. A missing file gives nothing and
// says nothing (*missing set); a bad one is reported (with its line) and gives nothing.
std::optional<pla::Pla> ReadPlaForMap(const std::string& fileName, bool* missing = nullptr);

// Output `output` (from 0) as a table, with the file's input and output names.
FunctionTable TableOfPla(const pla::Pla& file, int output);

// The output a choice names: an output's name, else its number counted from 1; -1 for none.
int PlaOutputOf(const pla::Pla& file, const std::string& choice);

// Cubes that together hold exactly the minterms marked in `need`, each one as large as the
// minterms marked in `allowed` let it grow (need is part of allowed). n inputs, n <= 16.
std::vector<pla::Cube> CompactCubes(const std::vector<bool>& need, const std::vector<bool>& allowed,
                                    int n);

// The visible map as a PLA of type fd. Empty cells count as 0; any other text refuses.
std::optional<std::string> MapPlaText(const TCarnoGrid& map);
// The map's last result as a type f cover; nothing for a product of sums or no result.
std::optional<std::string> ResultPlaText(const TCarnoGrid& map);

// The visible map as type fd: compact cubes of its ones and of its don't cares, the names
// as .ilb. Empty cells count as 0; cells the check refuses refuse the save.
bool SaveToPlaFile(const TCarnoGrid& map, const std::string& fileName);
// The last sum-of-products result as a type f cover; refused with a message when there is
// none (or it is a product of sums).
bool SaveResultToPlaFile(const TCarnoGrid& map, const std::string& fileName);
