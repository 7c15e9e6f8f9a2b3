#include "platform/Settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/ProgramFolder.h"
#include "platform/ReadFile.h"
#include "platform/SafeWrite.h"
#include "platform/Translate.h"

namespace platform {

namespace {

const char* kFileName = "mapwright.ini";

std::string Beside() {
    return ProgramFolder() + kFileName;
}
std::string UserCopy() {
    return UserConfigFolder() + kFileName;
}

// access() rather than a look at the mode bits: it answers for the user running the program.
bool BesideTakesSaves() {
    if (SharedProgramFolder() || !FolderWritable(ProgramFolder())) return false;
    struct stat st {};
    if (::stat(Beside().c_str(), &st) != 0) return errno == ENOENT;
    if (S_ISDIR(st.st_mode)) return false;
    if (S_ISREG(st.st_mode)) return !IsReadOnlyFile(Beside());
    return true;  // a FIFO or device in the file's place is replaced at save
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string SettingsFilePath() {
    if (BesideTakesSaves() || !Exists(UserCopy())) return Beside();
    return UserCopy();
}

IniFile SettingsFile() {
    return IniFile(SettingsFilePath(), kMaxSettingsSize);
}

std::string SettingsSavePath() {
    if (BesideTakesSaves()) return Beside();
    const std::string copy = UserCopy();
    if (Exists(copy)) return copy;
    std::error_code ec;
    std::filesystem::create_directories(UserConfigFolder(), ec);
    std::string bytes, error;
    if (ReadFileLimited(Beside(), kMaxSettingsSize, &bytes, &error) == ReadStatus::Ok)
        WriteFileAtomically(copy, bytes, &error);  // a failure shows at the save itself
    return copy;
}

std::string SettingsFileProblem() {
    return SettingsFile().ReadProblem();
}

bool SaveSettings(const std::string& section,
                  const std::vector<std::pair<std::string, std::string>>& keyValues) {
    const std::string path = SettingsSavePath();
    IniFile ini(path, kMaxSettingsSize);
    std::error_code ec;
    if (!ini.ReadProblem().empty() && !std::filesystem::is_directory(path, ec))
        ::unlink(path.c_str());
    if (ini.WriteStrings(section, keyValues)) return true;
    SayFileError("Cannot write the settings file.", path, ini.LastError());
    return false;
}

}  // namespace platform
