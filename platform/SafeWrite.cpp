#include "platform/SafeWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace platform {

namespace {

std::string SystemText(int err) {
    return std::strerror(err);
}

// A link is replaced through to its target, so the link itself survives the save.
std::string ResolveTarget(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : target.string();
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

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    auto fail = [&](int err) {
        if (error) *error = SystemText(err);
        return false;
    };
    if (path.empty()) return fail(ENOENT);
    const std::string target = ResolveTarget(path);
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
