// Every kept fuzz input (seed corpus and found faults) goes through its reader again, with the
// same checks the fuzzers make, so a fixed fault stays fixed without libFuzzer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzBodies.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFuzzFolder = fs::path(MW_SOURCE_DIR) / "fuzz";

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> Inputs(const std::string& kind, const std::string& target) {
    std::vector<fs::path> files;
    const fs::path folder = kFuzzFolder / kind / target;
    if (!fs::is_directory(folder)) return files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    return files;
}

class FuzzReplay : public ::testing::TestWithParam<fuzz::Target> {};

TEST_P(FuzzReplay, KeptInputsAreReadSafely) {
    const fuzz::Target& target = GetParam();
    const auto seeds = Inputs("corpus", target.name);
    EXPECT_FALSE(seeds.empty()) << "no seed corpus for " << target.name;
    auto all = seeds;
    for (const fs::path& p : Inputs("regressions", target.name)) all.push_back(p);
    for (const fs::path& file : all) {
        const std::string bytes = Bytes(file);
        const fuzz::Outcome outcome =
            target.body(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        EXPECT_EQ(fuzz::Problem(outcome), "") << file;
    }
}

// A folder under fuzz/ that names no target would never be replayed.
TEST(FuzzReplayFolders, EveryFolderBelongsToATarget) {
    for (const char* kind : {"corpus", "regressions"}) {
        const fs::path folder = kFuzzFolder / kind;
        if (!fs::is_directory(folder)) continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            bool known = false;
            for (const fuzz::Target& t : fuzz::Targets())
                known = known || entry.path().filename() == t.name;
            EXPECT_TRUE(known) << entry.path();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzReplay, ::testing::ValuesIn(fuzz::Targets()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
