#include "files/MapFile.h"

#include <cstdint>

#include "engine/CarnoGrid.h"
#include "platform/Message.h"
#include "platform/ReadFile.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"

using platform::MsgButtons;
using platform::MsgIcon;

namespace mapfile {

namespace {

constexpr std::string_view kSignature = "CCS ";
constexpr std::uint8_t kVersion = 1;

int RowsOf(int n) {
    return 1 << (n / 2);
}
int ColumnsOf(int n) {
    return 1 << ((n + 1) / 2);
}

}  // namespace

std::size_t BodySize(int variableCount, bool packed) {
    const std::size_t cells = std::size_t{1} << variableCount;
    if (!packed) return cells;
    const std::size_t bitmap = cells / 8 == 0 ? 1 : cells / 8;
    return 2 * bitmap;
}

std::string MapFileBytes(const TCarnoGrid& map) {
    const int n = map.VariableCount();
    const bool packed = map.PackedFlag != 0;
    std::string bytes(kSignature);
    for (int v : {int(kVersion), n, packed ? 1 : 0, map.MapRows(), map.MapColumns(), 0, 0, 0})
        bytes += static_cast<char>(v);

    std::vector<std::string> cells;
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) cells.push_back(map.Cells(c, r));

    if (!packed) {
        for (const std::string& t : cells)
            bytes += static_cast<char>(t == "*" ? 2 : t == "1" ? 1 : 0);
        return bytes;
    }
    const std::size_t bitmap = BodySize(n, true) / 2;
    for (const char* wanted : {"1", "*"}) {
        std::string bits(bitmap, '\0');
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (cells[i] == wanted)
                bits[i / 8] = static_cast<char>(bits[i / 8] | (0x80 >> (i % 8)));
        bytes += bits;
    }
    return bytes;
}

std::optional<MapFileContent> ParseMapFile(std::string_view bytes, std::string* error) {
    auto refuse = [&](const char* message) -> std::optional<MapFileContent> {
        if (error) *error = message;
        return std::nullopt;
    };
    auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(bytes[at]); };

    if (bytes.size() > kMaxFileSize) return refuse("The map file is too large.");
    if (bytes.substr(0, kSignature.size()) != kSignature) return refuse("File type mistmatch.");
    if (bytes.size() < kHeaderSize) return refuse("The map file is shorter than its contents.");
    // The version byte is not examined: every version so far reads alike.
    const int n = byte(5);
    if (n < 2 || n > 8) return refuse("The map file has an invalid number of variables.");
    if (byte(7) != RowsOf(n) || byte(8) != ColumnsOf(n))
        return refuse(
            "The row and column counts of the map file do not match its number of variables.");
    if (byte(6) > 1) return refuse("The map file has an unknown layout.");
    const bool packed = byte(6) == 1;
    if (bytes.size() < kHeaderSize + BodySize(n, packed))
        return refuse("The map file is shorter than its contents.");

    MapFileContent content;
    content.variableCount = n;
    const std::size_t cellCount = std::size_t{1} << n;
    const std::string_view body = bytes.substr(kHeaderSize);
    if (packed) {
        const std::size_t bitmap = BodySize(n, true) / 2;
        auto bit = [&](std::size_t offset, std::size_t i) {
            return (static_cast<std::uint8_t>(body[offset + i / 8]) & (0x80 >> (i % 8))) != 0;
        };
        for (std::size_t i = 0; i < cellCount; ++i)
            content.cells.push_back(bit(bitmap, i) ? "*" : bit(0, i) ? "1" : "0");
    } else {
        for (std::size_t i = 0; i < cellCount; ++i) {
            const std::uint8_t v = static_cast<std::uint8_t>(body[i]);
            if (v > 2) return refuse("The map file holds an invalid cell value.");
            content.cells.push_back(v == 2 ? "*" : v == 1 ? "1" : "0");
        }
    }
    return content;
}

}  // namespace mapfile

namespace {

void ShowError(const std::string& text) {
    platform::ShowMessage(text, MsgIcon::Error, MsgButtons::Ok);
}

}  // namespace

bool SaveToFile(const TCarnoGrid& map, const std::string& fileName) {
    std::string error;
    if (platform::WriteFileAtomically(fileName, mapfile::MapFileBytes(map), &error)) return true;
    platform::SayFileError("Cannot write the map file.", fileName, error);
    return false;
}

bool LoadFromFile(TCarnoGrid& map, const std::string& fileName, const ResultsQuestion& ask) {
    std::string bytes, error;
    switch (platform::ReadFileLimited(fileName, mapfile::kMaxFileSize, &bytes, &error)) {
        case platform::ReadStatus::Ok:
            break;
        case platform::ReadStatus::Missing:
            return false;
        case platform::ReadStatus::TooLarge:
            ShowError(platform::TranslateText("The map file is too large."));
            return false;
        case platform::ReadStatus::Failed:
            platform::SayFileError("Cannot read the map file.", fileName, error);
            return false;
    }
    const auto content = mapfile::ParseMapFile(bytes, &error);
    if (!content) {
        ShowError(platform::TranslateText(error));
        return false;
    }

    if (!map.ConfirmResultsLoss(ask, MsgIcon::Information)) return false;
    map.CleareCard();
    map.SetVariableCount(content->variableCount);
    std::size_t i = 0;
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, content->cells[i++]);
    map.LoadedMark = 2;
    map.FunctionName.clear();
    return true;
}
