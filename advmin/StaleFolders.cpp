#include "advmin/StaleFolders.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace advmin {

namespace {

// The recorded process id, or 0 when the record is missing or not a plain number.
pid_t RecordedOwner(const std::filesystem::path& folder) {
    std::ifstream in(folder / kOwnerFile);
    std::string text;
    if (!std::getline(in, text) || text.empty() || text.size() > 10 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const long long pid = std::stoll(text);
    return pid > 0 && pid <= 0x7fffffff ? static_cast<pid_t>(pid) : 0;
}

// Only ESRCH says the process is gone; a process of another user answers EPERM and lives.
bool Gone(pid_t pid) {
    return kill(pid, 0) != 0 && errno == ESRCH;
}

}  // namespace

bool RecordOwner(const std::string& folder) {
    std::ofstream out(std::filesystem::path(folder) / kOwnerFile, std::ios::trunc);
    out << getpid() << '\n';
    out.flush();
    return static_cast<bool>(out);
}

int RemoveStaleFolders(const std::string& parent, const std::string& prefix) {
    std::error_code ec;
    std::filesystem::directory_iterator it(parent, ec), end;
    int removed = 0;
    for (; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path folder = it->path();
        const std::string name = folder.filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        // lstat: a link named like a folder of ours is never followed.
        struct stat info {};
        if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
            continue;
        const pid_t owner = RecordedOwner(folder);
        if (owner == 0 || owner == getpid() || !Gone(owner)) continue;
        std::error_code removing;
        if (std::filesystem::remove_all(folder, removing) > 0 && !removing) ++removed;
    }
    return removed;
}

}  // namespace advmin
