#include "platform/ProgramFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace platform {

namespace {
std::string& Override() {
    static std::string folder;
    return folder;
}

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}
}  // namespace

std::string ProgramFolder() {
    if (!Override().empty()) return Override();
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return WithSeparator(fs::current_path(ec).string());
    return WithSeparator(exe.parent_path().string());
}

void SetProgramFolder(const std::string& folder) {
    Override() = folder.empty() ? folder : WithSeparator(folder);
}

bool FolderWritable(const std::string& folder) {
    return access(folder.c_str(), W_OK) == 0;
}

bool SharedProgramFolder() {
    std::error_code ec;
    return fs::exists(ProgramFolder() + "installed", ec);
}

// $variable, or the home folder's fallback below it.
static std::string XdgFolder(const char* variable, const char* underHome) {
    const char* xdg = std::getenv(variable);
    std::string base;
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + underHome;
    }
    return WithSeparator(base) + "mapwright/";
}

std::string UserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::string UserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", "/.local/share");
}

}  // namespace platform
