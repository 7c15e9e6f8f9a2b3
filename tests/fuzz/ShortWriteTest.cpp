// Every writer of the program meets a disk that fills up half-way: the file size limit stops
// the write part of the way through, the writer says it failed and the old file is whole.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QImage>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TempFolder.h"
#include "circuit/PictureFile.h"
#include "cli/CliRun.h"
#include "engine/CarnoGrid.h"
#include "files/BooleanFunctionFile.h"
#include "files/HtmlExport.h"
#include "files/MapFile.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"

namespace {

using testing_support::Cli;
using testing_support::ReadAll;
using testing_support::TempFolder;
using testing_support::WriteAll;

constexpr char kOld[] = "old";

// Runs write with files limited to `limit` bytes (SIGXFSZ ignored, so the write just fails).
bool WithFileSizeLimit(rlim_t limit, const std::function<bool()>& write) {
    rlimit saved{};
    if (::getrlimit(RLIMIT_FSIZE, &saved) != 0) return true;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return written;
}

// A map of 8 variables in a checkerboard, so every file made of it is well over the limit.
TCarnoGrid BigMap() {
    TCarnoGrid map;
    map.SetVariableCount(8);
    for (int c = 1; c <= map.MapColumns(); ++c)
        for (int r = 1; r <= map.MapRows(); ++r) map.SetCells(c, r, (c + r) % 2 ? "1" : "0");
    return map;
}

struct Writer {
    std::string name;  // also the file name: its extension matters to some writers
    std::function<bool(const std::string& path)> write;
};

TEST(ShortWrite, EveryWriterKeepsTheOldFileWhenTheDiskFillsUp) {
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope(&messages);
    const QImage picture = [] {
        QImage image(120, 80, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 2, y * 3, x ^ y));
        return image;
    }();
    const TempFolder folder;
    WriteAll(folder / "in.km", mapfile::MapFileBytes(BigMap()));
    // The report's templates come from the program folder.
    std::filesystem::create_directories(folder / "Reports/Include");
    for (const char* name : {"report.inc", "ttcell1.inc", "ttcell2.inc", "ttcell3.inc"})
        std::filesystem::copy_file(
            std::string(MW_SOURCE_DIR) + "/resources/Reports/Include/" + name,
            folder / ("Reports/Include/" + std::string(name)));
    platform::SetProgramFolder(folder.Path().string());
    std::vector<Writer> writers = {
        {"map.km", [](const std::string& p) { return SaveToFile(BigMap(), p); }},
        {"function.bf",
         [](const std::string& p) { return SaveToBooleanFunctionFile(BigMap(), p); }},
        {"page.htm", [](const std::string& p) { return SaveToHTMLFile(BigMap(), p); }},
        {"settings.ini",
         [](const std::string& p) {
             return platform::IniFile(p).WriteString("Options", "Font", std::string(200, 'f'));
         }},
        {"report.html",
         [&](const std::string& p) {
             return Cli({"report", "--km", folder / "in.km", "--map", "--sets", "--truth-table",
                         "--out", p})
                        .status == 0;
         }},
        {"converted.htm",
         [&](const std::string& p) {
             return Cli({"convert", folder / "in.km", p}).status == 0;
         }},
    };
    for (const auto& named : {std::pair{"picture.jpg", PictureKind::Jpeg},
                              std::pair{"picture.bmp", PictureKind::Bitmap},
                              std::pair{"picture.png", PictureKind::Png}}) {
        const PictureKind kind = named.second;
        writers.push_back({named.first, [&picture, kind](const std::string& p) {
                               std::string error;
                               return SavePicture(picture, p, kind, &error);
                           }});
    }
    for (const Writer& w : writers) {
        const std::string path = folder / w.name;
        // The writer works when nothing stops it, and writes more than the limit below.
        ASSERT_TRUE(w.write(path)) << w.name;
        ASSERT_GT(ReadAll(path).size(), 64u) << w.name;
        WriteAll(path, kOld);
        messages.Clear();
        EXPECT_FALSE(WithFileSizeLimit(64, [&] { return w.write(path); })) << w.name;
        EXPECT_EQ(ReadAll(path), kOld) << w.name;
    }
    platform::SetProgramFolder("");
    // Nothing half-written is left beside the targets.
    EXPECT_EQ(folder.EntryCount(), writers.size() + 2);
}

}  // namespace
