// Atomic replacement: the target holds either its old bytes or all the new ones, whatever
// fails on the way, and no temporary file is left behind.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <csignal>
#include <cstring>

#include "TempFolder.h"
#include "platform/Message.h"
#include "platform/ReadFile.h"
#include "platform/SafeWrite.h"

namespace {

using testing_support::ReadAll;
using testing_support::TempFolder;
using testing_support::WriteAll;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(SafeWrite, ReplacesKeepingModeAndLinks) {
    TempFolder folder;
    const std::string path = folder / "f.ini";
    const mode_t oldMask = ::umask(022);
    std::string error;
    ASSERT_TRUE(platform::WriteFileAtomically(path, std::string("a\0b", 3), &error)) << error;
    EXPECT_EQ(ReadAll(path), std::string("a\0b", 3));
    EXPECT_EQ(ModeOf(path), 0644u);  // as any new file, not the temporary file's 0600

    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(platform::WriteFileAtomically(path, "", &error));
    EXPECT_EQ(ReadAll(path), "");
    EXPECT_EQ(ModeOf(path), 0640u);

    // Writing through a link replaces what it points to; the link stays a link.
    const std::string link = folder / "link.ini";
    std::filesystem::create_symlink(path, link);
    ASSERT_TRUE(platform::WriteFileAtomically(link, "through", &error));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadAll(path), "through");
    EXPECT_EQ(folder.EntryCount(), 2u);

    const std::string longest = folder / std::string(255, 'n');
    ASSERT_TRUE(platform::WriteFileAtomically(longest, "x", &error)) << error;
    EXPECT_EQ(ReadAll(longest), "x");
    ::umask(oldMask);
}

TEST(SafeWrite, FailuresKeepTheOldFileAndSayWhy) {
    TempFolder folder;
    const std::string file = folder / "file";
    WriteAll(file, "old");
    std::filesystem::create_directory(folder / "dir");
    struct Case {
        std::string path, error;
    };
    for (const Case& c :
         {Case{folder / "missing/x", "No such file or directory"},
          Case{file + "/x", "Not a directory"}, Case{folder / "dir", "Is a directory"},
          Case{"", "No such file or directory"}}) {
        std::string error;
        EXPECT_FALSE(platform::WriteFileAtomically(c.path, "new", &error)) << c.path;
        EXPECT_EQ(error, c.error) << c.path;
    }
    EXPECT_EQ(ReadAll(file), "old");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "dir"));
    EXPECT_EQ(folder.EntryCount(), 2u);
}

// A loop of links, or a chain longer than the system follows, is refused as the system
// refuses it, and every link stays a link.
TEST(SafeWrite, LinkLoopsAndOverlongChainsChangeNothing) {
    TempFolder folder;
    std::string error;
    std::filesystem::create_symlink("b.pla", folder / "a.pla");
    std::filesystem::create_symlink("a.pla", folder / "b.pla");
    EXPECT_FALSE(platform::WriteFileAtomically(folder / "a.pla", "x", &error));
    EXPECT_EQ(error, std::strerror(ELOOP));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "a.pla"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "b.pla"));

    // link0 -> link1 -> ... -> linkN -> target.km; the kernel follows at most 40.
    const auto chain = [&](int links) {
        const std::string prefix = "c" + std::to_string(links) + "-";
        for (int i = 0; i < links; ++i)
            std::filesystem::create_symlink(
                i + 1 < links ? prefix + std::to_string(i + 1) : prefix + "target.km",
                folder / (prefix + std::to_string(i)));
        return std::pair{folder / (prefix + "0"), folder / (prefix + "target.km")};
    };
    const auto [longest, reached] = chain(40);
    ASSERT_TRUE(platform::WriteFileAtomically(longest, "kept", &error)) << error;
    EXPECT_EQ(ReadAll(reached), "kept");
    EXPECT_TRUE(std::filesystem::is_symlink(longest));

    const auto [tooLong, missed] = chain(50);
    EXPECT_FALSE(platform::WriteFileAtomically(tooLong, "x", &error));
    EXPECT_EQ(error, std::strerror(ELOOP));
    EXPECT_TRUE(std::filesystem::is_symlink(tooLong));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(missed)));
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_NE(entry.path().filename().string().front(), '.') << "no temporary file left";
}

// The save contract: links are written through (even to a file not there yet), what is not a
// regular file is refused, and a read-only file is replaced only when allowed.
TEST(SafeWrite, LinksAreWrittenThroughAndOddTargetsRefused) {
    TempFolder folder;
    std::string error;
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_symlink("sub/new.km", folder / "dangling");
    ASSERT_TRUE(platform::WriteFileAtomically(folder / "dangling", "made", &error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "dangling"));
    EXPECT_EQ(ReadAll(folder / "sub/new.km"), "made");
    std::filesystem::create_symlink(folder / "dangling", folder / "chain");  // a link to a link
    ASSERT_TRUE(platform::WriteFileAtomically(folder / "chain", "again", &error)) << error;
    EXPECT_EQ(ReadAll(folder / "sub/new.km"), "again");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "chain"));

    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder / "fifo", folder / "to-fifo");
    for (const char* name : {"fifo", "to-fifo"}) {
        EXPECT_FALSE(platform::WriteFileAtomically(folder / name, "x", &error)) << name;
        EXPECT_EQ(error, "not a regular file");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "fifo"));
    if (::geteuid() == 0) {  // only root may make a device node: the null device's numbers
        ASSERT_EQ(::mknod((folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        EXPECT_FALSE(platform::WriteFileAtomically(folder / "null", "x", &error));
        EXPECT_TRUE(std::filesystem::is_character_file(folder / "null"));
    }
    EXPECT_EQ(folder.EntryCount(), 5u + (::geteuid() == 0));
}

TEST(SafeWrite, AReadOnlyFileIsReplacedOnlyWhenAllowed) {
    TempFolder folder;
    const std::string path = folder / "kept.km";
    WriteAll(path, "old");
    ::chmod(path.c_str(), 0444);
    platform::RecordingMessageSink messages;
    platform::ScopedMessageSink scope(&messages);
    std::string error;

    platform::SetReadOnlyFiles(platform::ReadOnlyFiles::Refuse);
    EXPECT_FALSE(platform::WriteFileAtomically(path, "new", &error));
    EXPECT_EQ(error, "the file is read-only");
    platform::SetReadOnlyFiles(platform::ReadOnlyFiles::Ask);
    messages.Plan(platform::MsgAnswer::No);
    EXPECT_FALSE(platform::WriteFileAtomically(path, "new", &error));
    EXPECT_EQ(ReadAll(path), "old");
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "The file is read-only. Replace it?\n" + path);
    messages.Plan(platform::MsgAnswer::Yes);
    EXPECT_TRUE(platform::WriteFileAtomically(path, "asked", &error));
    EXPECT_EQ(ReadAll(path), "asked");
    EXPECT_EQ(ModeOf(path), 0444u);
    platform::SetReadOnlyFiles(platform::ReadOnlyFiles::Replace);
    EXPECT_TRUE(platform::WriteFileAtomically(path, "forced", &error));
    EXPECT_EQ(ReadAll(path), "forced");
    EXPECT_EQ(messages.Texts().size(), 2u);
    platform::SetReadOnlyFiles(platform::ReadOnlyFiles::Ask);
}

// A disk that fills up half-way: the file size limit stops the write part of the way through.
TEST(SafeWrite, AShortWriteLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder / "map.km";
    WriteAll(path, "old contents");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool written = platform::WriteFileAtomically(path, std::string(100000, 'x'), &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(ReadAll(path), "old contents");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(ReadFileLimited, TellsMissingTooLargeAndFailedApart) {
    TempFolder folder;
    const std::string path = folder / "f";
    std::string bytes = "stale", error;
    EXPECT_EQ(platform::ReadFileLimited(path, 10, &bytes, &error), platform::ReadStatus::Missing);
    EXPECT_EQ(bytes, "");
    WriteAll(path, "0123456789");
    EXPECT_EQ(platform::ReadFileLimited(path, 10, &bytes, &error), platform::ReadStatus::Ok);
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_EQ(platform::ReadFileLimited(path, 9, &bytes, &error), platform::ReadStatus::TooLarge);
    EXPECT_EQ(platform::ReadFileLimited(path + "/x", 10, &bytes, &error),
              platform::ReadStatus::Missing);
    EXPECT_EQ(platform::ReadFileLimited(folder.Path().string(), 10, &bytes, &error),
              platform::ReadStatus::Failed);
    EXPECT_EQ(error, "Is a directory");
    // A fifo is no file: refused at once instead of waiting for a writer.
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(platform::ReadFileLimited(folder / "fifo", 10, &bytes, &error),
              platform::ReadStatus::Failed);
    EXPECT_EQ(error, "not a regular file");
}

}  // namespace
