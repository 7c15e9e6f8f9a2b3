#include "core/TableMemory.h"

#include <bit>
#include <cstdlib>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "core/LargePages.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace mwcore {

namespace {

constexpr std::size_t kSmallest = std::size_t{64} << 10;  // below this, plain malloc
constexpr std::size_t kBlock = std::size_t{2} << 20;      // one huge page
constexpr std::size_t kKeptEmpty = 16;                    // 32 MB
#if defined(__linux__)
constexpr bool kPooled = true;
#else
constexpr bool kPooled = false;  // no huge pages to ask for (the browser's page)
#endif

struct Pool {
    std::mutex lock;
    // Slots handed out, by the block (carved into slots of one power-of-two size) they lie in.
    std::unordered_map<std::uintptr_t, int> live;
    std::vector<std::vector<void*>> freeSlots{std::countr_zero(kBlock) + 1};
    std::vector<char*> empty;  // blocks no table lies in
};

Pool& ThePool() {
    static Pool* pool = new Pool;  // never destroyed: tables may outlive static destruction
    return *pool;
}

void* MapBlocks(std::size_t bytes) {
#if defined(__linux__)
    // Aligned so the huge pages line up with the block; the slack is given back.
    const std::size_t span = bytes + kBlock;
    void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    char* start = static_cast<char*>(raw);
    char* aligned = reinterpret_cast<char*>((reinterpret_cast<std::uintptr_t>(start) + kBlock - 1) &
                                            ~(kBlock - 1));
    if (aligned > start) munmap(start, static_cast<std::size_t>(aligned - start));
    char* end = aligned + bytes;
    if (start + span > end) munmap(end, static_cast<std::size_t>(start + span - end));
    LargePages(aligned, bytes);
    return aligned;
#else
    (void)bytes;
    throw std::bad_alloc();
#endif
}

void UnmapBlocks(void* p, std::size_t bytes) {
#if defined(__linux__)
    munmap(p, bytes);
#else
    (void)p;
    (void)bytes;
#endif
}

void KeepEmpty(Pool& pool, char* block) {
    if (pool.empty.size() < kKeptEmpty)
        pool.empty.push_back(block);
    else
        UnmapBlocks(block, kBlock);
}

std::uintptr_t BlockOf(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p) & ~(kBlock - 1);
}

std::size_t RoundToBlocks(std::size_t bytes) {
    return (bytes + kBlock - 1) & ~(kBlock - 1);
}

}  // namespace

void* AllocateTable(std::size_t bytes) {
    if (bytes < kSmallest || !kPooled) {
        if (void* p = std::malloc(bytes ? bytes : 1)) return p;
        throw std::bad_alloc();
    }
    if (bytes > kBlock) return MapBlocks(RoundToBlocks(bytes));
    const std::size_t slot = std::bit_ceil(bytes);
    Pool& pool = ThePool();
    std::lock_guard hold(pool.lock);
    if (slot == kBlock) {  // a whole block: no slot list, only the kept empty blocks
        if (pool.empty.empty()) return MapBlocks(kBlock);
        char* base = pool.empty.back();
        pool.empty.pop_back();
        return base;
    }
    std::vector<void*>& free = pool.freeSlots[std::countr_zero(slot)];
    if (free.empty()) {
        char* base;
        if (!pool.empty.empty()) {
            base = pool.empty.back();
            pool.empty.pop_back();
        } else {
            base = static_cast<char*>(MapBlocks(kBlock));
        }
        pool.live.emplace(BlockOf(base), 0);
        for (std::size_t at = kBlock; at >= slot; at -= slot) free.push_back(base + at - slot);
    }
    void* p = free.back();
    free.pop_back();
    ++pool.live[BlockOf(p)];
    return p;
}

void FreeTable(void* p, std::size_t bytes) noexcept {
    if (!p) return;
    if (bytes < kSmallest || !kPooled) {
        std::free(p);
        return;
    }
    if (bytes > kBlock) {
        UnmapBlocks(p, RoundToBlocks(bytes));
        return;
    }
    const std::size_t slot = std::bit_ceil(bytes);
    Pool& pool = ThePool();
    std::lock_guard hold(pool.lock);
    if (slot == kBlock) {
        KeepEmpty(pool, static_cast<char*>(p));
        return;
    }
    std::vector<void*>& free = pool.freeSlots[std::countr_zero(slot)];
    const std::uintptr_t block = BlockOf(p);
    const auto live = pool.live.find(block);
    if (--live->second > 0) {
        free.push_back(p);
        return;
    }
    // The block's last table: its slots leave the list, and the block is kept for the next
    // size asked for (a table built and dropped over and over would otherwise have the
    // system map and clear a fresh block each time), or goes back past a few.
    pool.live.erase(live);
    std::erase_if(free, [&](void* q) { return BlockOf(q) == block; });
    KeepEmpty(pool, reinterpret_cast<char*>(block));
}

}  // namespace mwcore
