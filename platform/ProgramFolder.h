#pragma once
// The program folder: the folder of the running program, ending with a separator. Help,
// report templates, language files and the settings file are found relative to it.

#include <string>

#include "platform/Settings.h"  // the settings file is found from here

namespace platform {

std::string ProgramFolder();
// Overrides the folder (the program sets it at start; tests point it at a scratch folder).
void SetProgramFolder(const std::string& folder);

bool FolderWritable(const std::string& folder);
// An installed program folder (cmake --install puts the marker file "installed" in it) is
// shared by every user of the machine: their settings and reports go to their own folders,
// even for a user who could write there.
bool SharedProgramFolder();

std::string UserConfigFolder();  // with a trailing separator
// The user's data folder for this program under $XDG_DATA_HOME (or ~/.local/share).
std::string UserDataFolder();  // with a trailing separator

}  // namespace platform
