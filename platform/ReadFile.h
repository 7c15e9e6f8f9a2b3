#pragma once
// Reading a whole file that must stay small, without ever reading more than the limit: a
// wrong file chosen by mistake (a disk image, a fifo, a folder) is refused, not swallowed.

#include <cstddef>
#include <string>

namespace platform {

enum class ReadStatus { Ok, Missing, TooLarge, Failed };

// Ok: *bytes holds the file. Missing: no such file (nor folder on the way). TooLarge: more
// than maxSize bytes. Failed: *error holds the system's text. *bytes is empty unless Ok.
ReadStatus ReadFileLimited(const std::string& path, std::size_t maxSize, std::string* bytes,
                           std::string* error);

}  // namespace platform
