// The map file: exact bytes of both layouts, round trips of random maps, and bad files that
// must neither crash nor change the map, its variable count or the result tree.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "MapHelpers.h"
#include "TempFolder.h"
#include "engine/CarnoGrid.h"
#include "files/MapFile.h"
#include "platform/Message.h"

namespace {

using platform::MsgAnswer;
using platform::MsgIcon;
using testing_support::ReadAll;
using testing_support::TempFolder;
using testing_support::WriteAll;

// Everything a load may change, hidden cells included.
struct MapState {
    int variableCount;
    std::uint8_t loadedMark;
    std::vector<std::string> store;
    bool operator==(const MapState&) const = default;
};

MapState StateOf(const TCarnoGrid& map) {
    MapState s{map.VariableCount(), map.LoadedMark, {}};
    for (int c = 1; c <= TCarnoGrid::kStoreSize; ++c)
        for (int r = 1; r <= TCarnoGrid::kStoreSize; ++r) s.store.push_back(map.Cells(c, r));
    return s;
}

std::string Header(int n, int packed, int rows, int cols, char version = 1) {
    return std::string("CCS ") + version + char(n) + char(packed) + char(rows) + char(cols) +
           std::string(3, '\0');
}

void FillRandom(TCarnoGrid& map, std::mt19937& rng) {
    static const char* texts[] = {"1", "0", "*", ""};
    std::uniform_int_distribution<int> pick(0, 3);
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, texts[pick(rng)]);
}

class MapFileTest : public ::testing::Test {
  protected:
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope{&messages};
    TempFolder folder;
};

TEST_F(MapFileTest, BytesOfBothLayouts) {
    TCarnoGrid map;
    map.SetVariableCount(2);
    // Cell order is column by column: (1,1) (1,2) (2,1) (2,2).
    map.SetCells(1, 1, "1");
    map.SetCells(1, 2, "*");
    map.SetCells(2, 1, "");
    map.SetCells(2, 2, "1");
    EXPECT_EQ(mapfile::MapFileBytes(map), Header(2, 0, 2, 2) + std::string("\1\2\0\1", 4));
    map.PackedFlag = 1;
    EXPECT_EQ(mapfile::MapFileBytes(map), Header(2, 1, 2, 2) + "\x90\x40");

    map.SetVariableCount(8);
    map.FillCard("*");
    const std::string packed = mapfile::MapFileBytes(map);
    ASSERT_EQ(packed.size(), 76u);
    EXPECT_EQ(packed.substr(0, 12), Header(8, 1, 16, 16));
    EXPECT_EQ(packed.substr(12, 32), std::string(32, '\0'));
    EXPECT_EQ(packed.substr(44), std::string(32, '\xff'));
    map.PackedFlag = 0;
    EXPECT_EQ(mapfile::MapFileBytes(map), Header(8, 0, 16, 16) + std::string(256, '\2'));
}

TEST_F(MapFileTest, RandomMapsOfEverySizeComeBackEqual) {
    std::mt19937 rng(31);
    const std::size_t plainSize[] = {16, 20, 28, 44, 76, 140, 268};
    const std::size_t packedSize[] = {14, 14, 16, 20, 28, 44, 76};
    for (int round = 0; round < 28; ++round) {
        const int n = 2 + round % 7;
        TCarnoGrid map;
        map.SetVariableCount(n);
        map.PackedFlag = round / 7 % 2;
        FillRandom(map, rng);
        const std::string path = folder / "map.km";
        ASSERT_TRUE(SaveToFile(map, path));
        EXPECT_EQ(ReadAll(path).size(), (map.PackedFlag ? packedSize : plainSize)[n - 2]);

        TCarnoGrid loaded;
        loaded.SetVariableCount(n == 4 ? 5 : 4);
        ASSERT_TRUE(LoadFromFile(loaded, path));
        EXPECT_EQ(loaded.VariableCount(), n);
        EXPECT_EQ(loaded.LoadedMark, 2);
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r) {
                const std::string want = map.Cells(c, r).empty() ? "0" : map.Cells(c, r);
                ASSERT_EQ(loaded.Cells(c, r), want)
                    << "n=" << n << " packed=" << int(map.PackedFlag);
            }
    }
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(folder.EntryCount(), 1u);  // no temporary file stays behind
}

TEST_F(MapFileTest, ReadsHandMadeFiles) {
    // Packed, 3 variables: 8 cells of four columns of two rows in one byte per bitmap.
    const std::string path = folder / "three.km";
    WriteAll(path, Header(3, 1, 2, 4, 7) + "\xA3\x11");  // version 7 reads like version 1
    TCarnoGrid map;
    ASSERT_TRUE(LoadFromFile(map, path));
    EXPECT_EQ(map.VariableCount(), 3);
    const char* expected[4][2] = {{"1", "0"}, {"1", "*"}, {"0", "0"}, {"1", "*"}};
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 2; ++r)
            EXPECT_EQ(map.Cells(c, r), expected[c - 1][r - 1]) << c << "," << r;

    // Reserved bytes and trailing bytes within the size limit carry no meaning.
    std::string plain = Header(2, 0, 2, 2) + std::string("\2\1\0\0", 4) + "trailing";
    plain[9] = 'x';
    WriteAll(path, plain);
    ASSERT_TRUE(LoadFromFile(map, path));
    EXPECT_EQ(map.VariableCount(), 2);
    EXPECT_EQ(map.Cells(1, 1), "*");
    EXPECT_EQ(map.Cells(1, 2), "1");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(MapFileTest, ResultQuestionOnlyForAFileThatWillBeLoaded) {
    TCarnoGrid map;
    MemoryResultTree tree;
    map.TreeView = &tree;
    tree.AddChild(tree.AddRoot("A"), "A");
    const std::string good = folder / "good.km", bad = folder / "bad.km";
    WriteAll(good, Header(2, 0, 2, 2) + std::string(4, '\1'));
    WriteAll(bad, Header(2, 0, 2, 2) + std::string(3, '\1'));

    std::vector<MsgIcon> asked;
    bool answer = false;
    const ResultsQuestion ask = [&](MsgIcon icon) {
        asked.push_back(icon);
        return answer;
    };
    ASSERT_FALSE(LoadFromFile(map, bad, ask));
    EXPECT_TRUE(asked.empty());
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, MsgIcon::Error);
    EXPECT_EQ(tree.NodeCount(), 2);

    messages.Clear();
    map.SetCells(1, 1, "*");
    const TMapState before = map.State();
    EXPECT_FALSE(LoadFromFile(map, good, ask));  // Cancel: neither map nor tree change
    EXPECT_EQ(asked, std::vector<MsgIcon>{MsgIcon::Information});
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(tree.NodeCount(), 2);
    EXPECT_TRUE(map.State() == before);

    answer = true;
    ASSERT_TRUE(LoadFromFile(map, good, ask));
    EXPECT_EQ(tree.NodeCount(), 0);
    EXPECT_EQ(map.VariableCount(), 2);
    tree.AddRoot("A");
    ASSERT_TRUE(LoadFromFile(map, good));  // nobody asked: loaded, and the stale tree goes
    EXPECT_EQ(tree.NodeCount(), 0);

    messages.Clear();
    EXPECT_FALSE(LoadFromFile(map, folder / "missing.km"));
    EXPECT_FALSE(LoadFromFile(map, folder / "missing/deeper.km"));
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(MapFileTest, LoadingEmptiesHiddenCells) {
    TCarnoGrid map;
    map.SetCells(20, 20, "x");
    const std::string path = folder / "m.km";
    WriteAll(path, Header(2, 0, 2, 2) + std::string(4, '\0'));
    ASSERT_TRUE(LoadFromFile(map, path));
    // Nothing of the map before comes back when the loaded one grows.
    EXPECT_EQ(map.Cells(20, 20), "");
    map.SetVariableCount(8);
    for (int c = 1; c <= 16; ++c)
        for (int r = 1; r <= 16; ++r)
            if (c > 2 || r > 2) ASSERT_EQ(map.Cells(c, r), "") << c << r;
}

TEST_F(MapFileTest, BadFilesChangeNothingAndSayWhy) {
    const std::string valid = Header(4, 0, 4, 4) + std::string(16, '\1');
    struct Case {
        std::string bytes, message;
    };
    std::vector<Case> cases = {
        {"CCSx" + valid.substr(4), "File type mistmatch."},
        {"CC", "File type mistmatch."},
        {"", "File type mistmatch."},
        {valid.substr(0, 11), "The map file is shorter than its contents."},
        {valid.substr(0, 27), "The map file is shorter than its contents."},
        {Header(8, 1, 16, 16) + std::string(63, '\0'),
         "The map file is shorter than its contents."},
        {Header(9, 0, 16, 32) + std::string(512, '\0'), "The map file is too large."},
        {Header(1, 0, 1, 2) + std::string(2, '\0'),
         "The map file has an invalid number of variables."},
        {Header(0, 0, 1, 1) + std::string(1, '\0'),
         "The map file has an invalid number of variables."},
        {Header(4, 0, 2, 8) + std::string(16, '\0'),
         "The row and column counts of the map file do not match its number of variables."},
        {Header(4, 2, 4, 4) + std::string(16, '\0'), "The map file has an unknown layout."},
        {Header(4, 0, 4, 4) + std::string(15, '\0') + "\3",
         "The map file holds an invalid cell value."},
    };
    TCarnoGrid map;
    map.SetVariableCount(5);
    map.SetCells(3, 2, "1");
    map.SetCells(30, 30, "*");
    const MapState before = StateOf(map);
    const std::string path = folder / "bad.km";
    for (const Case& c : cases) {
        messages.Clear();
        WriteAll(path, c.bytes);
        EXPECT_FALSE(LoadFromFile(map, path)) << c.message;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message});
        std::string error;
        EXPECT_FALSE(mapfile::ParseMapFile(c.bytes, &error));
        EXPECT_EQ(error, c.message);
        EXPECT_EQ(StateOf(map), before) << c.message;
    }

    // A huge file is refused by its size, never read.
    messages.Clear();
    std::filesystem::resize_file(path, std::uintmax_t{1} << 40);
    EXPECT_FALSE(LoadFromFile(map, path));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"The map file is too large."});

    // A folder in the file's place: the system's own words.
    messages.Clear();
    EXPECT_FALSE(LoadFromFile(map, folder.Path().string()));
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_NE(messages.Shown()[0].text.find("Is a directory"), std::string::npos);
    EXPECT_EQ(StateOf(map), before);

    // A FIFO is named and called what it is, not "Invalid argument".
    messages.Clear();
    ASSERT_EQ(::mkfifo((folder / "fifo.km").c_str(), 0600), 0);
    EXPECT_FALSE(LoadFromFile(map, folder / "fifo.km"));
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Cannot read the map file.\n" + folder / "fifo.km" +
                                       ": not a regular file"});
}

TEST_F(MapFileTest, RandomBytesNeverCrashAndValidOnesRoundTrip) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> small(0, 3);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        // Mostly plausible headers, so that the body checks are reached too.
        const int n = 2 + round % 7;
        const bool packed = round % 2;
        std::string bytes = Header(n, packed, 1 << (n / 2), 1 << ((n + 1) / 2));
        const std::size_t body = mapfile::BodySize(n, packed);
        std::uniform_int_distribution<std::size_t> length(0, body + 2);
        for (std::size_t i = 0, len = length(rng); i < len; ++i)
            bytes += static_cast<char>(packed ? byte(rng) : small(rng));
        if (round % 5 == 0) bytes[byte(rng) % 12] = static_cast<char>(byte(rng));
        if (round % 11 == 0) bytes.resize(byte(rng) % (bytes.size() + 1));

        const auto content = mapfile::ParseMapFile(bytes, nullptr);
        if (!content) continue;
        ++accepted;
        ASSERT_EQ(content->cells.size(), std::size_t{1} << content->variableCount);
        TCarnoGrid map;
        map.SetVariableCount(content->variableCount);
        map.PackedFlag = bytes[6];
        std::size_t i = 0;
        for (int c = 1; c <= map.MapColumns(); ++c)
            for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, content->cells[i++]);
        const std::string written = mapfile::MapFileBytes(map);
        const auto again = mapfile::ParseMapFile(written, nullptr);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->cells, content->cells);
    }
    EXPECT_GT(accepted, 1000);
}

TEST_F(MapFileTest, FailedSaveReportsOnceAndKeepsTheOldFile) {
    TCarnoGrid map;
    map.FillCard("1");
    const std::string path = folder / "old.km";
    WriteAll(path, "old contents");
    // A folder where the file should be cannot be replaced by a file.
    std::filesystem::create_directory(folder / "taken.km");
    EXPECT_FALSE(SaveToFile(map, folder / "taken.km"));
    EXPECT_FALSE(SaveToFile(map, folder / "no/such/folder/map.km"));
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[0].icon, MsgIcon::Error);
    EXPECT_NE(messages.Shown()[0].text.find("Cannot write the map file."), std::string::npos);
    EXPECT_NE(messages.Shown()[1].text.find("No such file or directory"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.km"));
    EXPECT_EQ(ReadAll(path), "old contents");
    EXPECT_EQ(folder.EntryCount(), 2u);
}

}  // namespace
