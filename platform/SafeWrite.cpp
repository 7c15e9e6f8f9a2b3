#include "platform/SafeWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/Message.h"
#include "platform/Translate.h"

namespace platform {

namespace {

// The kernel's own limit on links followed in one path (MAXSYMLINKS).
constexpr int kMaxLinkHops = 40;

std::string SystemText(int err) {
    return std::strerror(err);
}

ReadOnlyFiles& Policy() {
    static ReadOnlyFiles policy = ReadOnlyFiles::Ask;
    return policy;
}

// The file a name stands for, following links one by one (a relative link from its own
// folder), so that a link to a file not yet there still names that file. A loop, or a chain
// longer than the system itself follows, is the system's ELOOP: nothing is written then,
// since replacing a link of the chain with a file would lose it and miss the real target.
std::optional<std::string> ResolveTarget(const std::string& path) {
    std::filesystem::path current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(current, ec)) return current.string();
        const std::filesystem::path next = std::filesystem::read_symlink(current, ec);
        if (ec) return current.string();
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return std::nullopt;
}

// The mode a newly created file would get, or the old file's mode: mkstemp's 0600 would
// otherwise take every save's file out of reach of the user's group and others.
mode_t ModeFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// 0, or the errno of the write that failed.
int WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename already happened
    ::close(fd);
}

}  // namespace

void SetReadOnlyFiles(ReadOnlyFiles policy) {
    Policy() = policy;
}

// The mode bits too: access() grants root everything, yet a file marked read-only is meant
// to be kept by whoever saves.
bool IsReadOnlyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    auto fail = [&](int err) {
        if (error) *error = SystemText(err);
        return false;
    };
    if (path.empty()) return fail(ENOENT);
    const std::optional<std::string> resolved = ResolveTarget(path);
    if (!resolved) return fail(ELOOP);
    const std::string& target = *resolved;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) return fail(EISDIR);
        if (error) *error = "not a regular file";
        return false;
    }
    if (IsReadOnlyFile(target)) {
        const bool replace =
            Policy() == ReadOnlyFiles::Replace ||
            (Policy() == ReadOnlyFiles::Ask &&
             ShowMessage(TranslateText("The file is read-only. Replace it?") + "\n" + target,
                         MsgIcon::Warning, MsgButtons::YesNo) == MsgAnswer::Yes);
        if (!replace) {
            if (error) *error = "the file is read-only";
            return false;
        }
    }
    std::filesystem::path folder = std::filesystem::path(target).parent_path();
    if (folder.empty()) folder = ".";

    // Cut so that a target name near the length limit still leaves room for the temporary one.
    const std::string base = std::filesystem::path(target).filename().string().substr(0, 200);
    const std::string pattern = (folder / ("." + base + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return fail(errno);
    const std::string temp(name.data());

    // The first failing step decides the error; the later ones are skipped.
    int err = WriteAll(fd, bytes);
    if (err == 0 && ::fchmod(fd, ModeFor(target)) != 0) err = errno;
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return fail(err);
    }
    SyncFolder(folder.string());
    return true;
}

}  // namespace platform
