#pragma once
// The map file ("km"): a 12-byte header ("CCS ", version, variable count, packed flag, row
// and column counts, three reserved bytes) and a body of the cells column by column, rows
// within a column: one byte a cell (0 "0", 1 "1", 2 "*"), or packed as a ones bitmap and a
// don't-care bitmap, first cell in the top bit. Buffers here; TCarnoGrid wraps them in files.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CarnoGrid.h"

namespace mapfile {

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kMaxBodySize = 256;  // plain body of 8 variables
// Anything longer is not a map file and is refused unread.
constexpr std::size_t kMaxFileSize = kHeaderSize + kMaxBodySize;

// Body bytes of an n-variable map.
std::size_t BodySize(int variableCount, bool packed);

// The file of the map's visible cells, packed when its PackedFlag is set. Empty cells (and
// any text other than "1" and "*") are written as "0".
std::string MapFileBytes(const TCarnoGrid& map);

struct MapFileContent {
    int variableCount = 0;
    std::vector<std::string> cells;  // "0", "1" or "*", column by column, rows within a column
};

// Checks the whole buffer before trusting any of it. On failure: nullopt, and *error (when
// given) the English message for the user, still to be translated.
std::optional<MapFileContent> ParseMapFile(std::string_view bytes, std::string* error);

}  // namespace mapfile

// True when written; a failure is reported once and leaves any old file as it was.
bool SaveToFile(const TCarnoGrid& map, const std::string& fileName);
// True when the map was replaced; a missing file does nothing, a bad one is reported and
// leaves the map, its variable count and the result tree as they were, and so does a declined
// question (ask) about losing the results.
bool LoadFromFile(TCarnoGrid& map, const std::string& fileName, const ResultsQuestion& ask = {});
