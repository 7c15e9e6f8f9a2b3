#include "platform/ReadFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace platform {

ReadStatus ReadFileLimited(const std::string& path, std::size_t maxSize, std::string* bytes,
                           std::string* error) {
    bytes->clear();
    auto fail = [&](int err) {
        if (error) *error = std::strerror(err);
        return ReadStatus::Failed;
    };
    // O_NONBLOCK: a fifo in the file's place must not hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ReadStatus::Missing;
        return fail(errno);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat st {};
    if (::fstat(fd, &st) != 0) return fail(errno);
    if (S_ISDIR(st.st_mode)) return fail(EISDIR);
    if (!S_ISREG(st.st_mode)) {
        if (error) *error = "not a regular file";
        return ReadStatus::Failed;
    }
    if (static_cast<std::uint64_t>(st.st_size) > maxSize) return ReadStatus::TooLarge;

    std::string data;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        if (n == 0) break;
        data.append(buffer, static_cast<std::size_t>(n));
        if (data.size() > maxSize) return ReadStatus::TooLarge;  // it grew while being read
    }
    *bytes = std::move(data);
    return ReadStatus::Ok;
}

}  // namespace platform
