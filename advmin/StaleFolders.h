#pragma once
// Exchange folders left behind by a host that was killed (SIGKILL runs no handler): each folder
// records the process that made it, and the next host to start removes the folders whose
// process is gone. A folder without a record, or whose process still runs, stays.

#include <string>

namespace advmin {

// The file in an exchange folder that names the process owning it.
inline constexpr const char* kOwnerFile = "owner";

// Writes this process's id into `folder`; false when it cannot.
bool RecordOwner(const std::string& folder);

// Removes every folder in `parent` named `prefix` + six characters (as mkdtemp makes them),
// owned by this user, whose recorded process no longer runs. Returns how many it removed.
int RemoveStaleFolders(const std::string& parent, const std::string& prefix);

}  // namespace advmin
