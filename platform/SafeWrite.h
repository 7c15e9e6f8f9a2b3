#pragma once
// Writing a file so that a failure never leaves it half-written: the bytes go to a temporary
// file in the same folder, which replaces the target only once it is complete and on disk.

#include <string>

namespace platform {

// True when path holds exactly bytes. On failure the old file (if any) is untouched, no
// temporary file is left behind and *error (when given) receives the system's own text.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error);

}  // namespace platform
