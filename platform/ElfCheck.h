#pragma once
// A look at a shared library before it is loaded. The system loader maps the library's
// segments straight from the file; a segment that lies past the end of a file cut short is
// touched as memory and kills the process with a bus error instead of failing the load.

#include <string>

namespace platform {

// An empty text when path is a regular file holding a whole ELF image of this machine's class
// (header, program headers and every loaded segment inside the file); otherwise why not.
std::string ElfImageProblem(const std::string& path);

}  // namespace platform
