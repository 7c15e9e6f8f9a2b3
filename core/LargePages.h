#pragma once
// A hint for buffers of many MB filled at once (the start covers of large tables, the answer
// after Cancel): in pages of 2 MB where the system lends them, their first writes take a few
// page faults instead of tens of thousands, which on a busy virtual machine cost more than the
// writing itself. Elsewhere it does nothing.

#include <cstddef>
#include <cstdint>

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sys/mman.h>
#endif

namespace mwcore {

inline void LargePages([[maybe_unused]] const void* data, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (at + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t end = (at + bytes) & ~(kHuge - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

}  // namespace mwcore
