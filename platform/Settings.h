#pragma once
// The settings file, "mapwright.ini". It lives beside the program; where that place cannot
// take a save (the folder or the file is not writable, or the name is a folder) the user's
// configuration folder holds the saved copy, which starts as a copy of the file beside the
// program so nothing of it is lost.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/IniFile.h"

namespace platform {

// A settings file holds a few dozen keys; one past this size is refused (said at start,
// replaced at the next save), so that it can never make the start slow: the file is read, and
// rewritten when a file opened at start joins the recent list, before the window shows.
constexpr std::size_t kMaxSettingsSize = std::size_t{1} << 20;

// The file to read.
std::string SettingsFilePath();
// That file, read with the settings' limit.
IniFile SettingsFile();
// The file to write; makes the user's copy (and its folder) when saving has to go there.
std::string SettingsSavePath();

// Why the settings file cannot be read (a folder, a FIFO, a device, too large), or an empty
// text when it can or is not there yet.
std::string SettingsFileProblem();

// Writes the keys into a section of the settings file, keeping everything else; a file in
// the way that cannot be read (other than a folder) is replaced. On failure shows
// "Cannot write the settings file." with the file's name and the system's text.
bool SaveSettings(const std::string& section,
                  const std::vector<std::pair<std::string, std::string>>& keyValues);

}  // namespace platform
