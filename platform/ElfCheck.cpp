#include "platform/ElfCheck.h"

#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace platform {

namespace {

// ElfW gives the types of the class this program is built for; a library of the other class
// is refused by the loader from its header alone, before anything is mapped.
using Ehdr = ElfW(Ehdr);
using Phdr = ElfW(Phdr);

bool ReadAt(int fd, void* buffer, std::size_t size, std::uint64_t offset) {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, out + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool Inside(std::uint64_t offset, std::uint64_t length, std::uint64_t fileSize) {
    return offset <= fileSize && length <= fileSize - offset;
}

}  // namespace

std::string ElfImageProblem(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::strerror(errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::strerror(errno);
    if (!S_ISREG(st.st_mode)) return "it is not a regular file";
    const auto size = static_cast<std::uint64_t>(st.st_size);

    unsigned char ident[EI_NIDENT] = {};
    if (size < sizeof ident || !ReadAt(fd, ident, sizeof ident, 0) ||
        std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return "it is not an ELF file";
    if (ident[EI_CLASS] != (sizeof(Ehdr) == sizeof(Elf64_Ehdr) ? ELFCLASS64 : ELFCLASS32))
        return {};  // the loader says why
    Ehdr header{};
    if (size < sizeof header || !ReadAt(fd, &header, sizeof header, 0))
        return "the file is cut short in its header";
    if (header.e_phnum == 0) return "it has no program headers";
    if (header.e_phentsize != sizeof(Phdr)) return "its program headers have an unknown size";
    const std::uint64_t table = std::uint64_t{header.e_phnum} * sizeof(Phdr);
    if (!Inside(header.e_phoff, table, size)) return "the file is cut short in its program headers";

    for (unsigned i = 0; i < header.e_phnum; ++i) {
        Phdr ph{};
        if (!ReadAt(fd, &ph, sizeof ph, header.e_phoff + std::uint64_t{i} * sizeof ph))
            return "the file is cut short in its program headers";
        if (ph.p_type != PT_LOAD && ph.p_type != PT_DYNAMIC && ph.p_type != PT_INTERP &&
            ph.p_type != PT_NOTE && ph.p_type != PT_GNU_PROPERTY)
            continue;
        if (!Inside(ph.p_offset, ph.p_filesz, size))
            return "the file is cut short: a segment ends at byte " +
                   std::to_string(ph.p_offset + ph.p_filesz) + " of " + std::to_string(size);
    }
    return {};
}

}  // namespace platform
