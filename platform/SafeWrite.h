#pragma once
// Saving a file. The contract every save of the program keeps:
// - the bytes go to a temporary file in the same folder, which replaces the target only once it
//   is complete and on disk: a failure (full disk, no rights) leaves the old file as it was and
//   no temporary file behind;
// - a name that is a symbolic link (also one whose target is not there yet) writes the file the
//   link points to, and the link stays;
// - a FIFO, a device or a folder in the target's place is refused, never replaced;
// - a read-only file is replaced only when allowed: the program asks, the command line refuses
//   unless told to force; a replaced file keeps its rights.

#include <string>

namespace platform {

enum class ReadOnlyFiles { Ask, Refuse, Replace };
// For the whole process; the program asks (the default), the command line chooses.
void SetReadOnlyFiles(ReadOnlyFiles policy);

// True when path names an existing file the user running the program may not write.
bool IsReadOnlyFile(const std::string& path);

// True when path holds exactly bytes. On failure the old file (if any) is untouched, no
// temporary file is left behind and *error (when given) receives the system's own text.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error);

}  // namespace platform
