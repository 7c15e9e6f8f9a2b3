#pragma once
// Storage for large truth tables. A fresh page costs a fault the first time it is written,
// and on the machines we measured a fault costs microseconds: building the tables of a
// 22-input function took longer than minimizing it. Tables of 64 KB and more are therefore
// carved from 2 MB blocks the system is asked to back with huge pages (one fault per block),
// and a freed table is kept for the next one of its size, as long as its block holds any.

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace mwcore {

void* AllocateTable(std::size_t bytes);  // throws std::bad_alloc
void FreeTable(void* p, std::size_t bytes) noexcept;

template <class T>
struct TableAllocator {
    using value_type = T;
    TableAllocator() = default;
    template <class U>
    TableAllocator(const TableAllocator<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateTable(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeTable(p, n * sizeof(T)); }
    friend bool operator==(const TableAllocator&, const TableAllocator&) { return true; }
};

// Words of a table or of a table-sized scratch buffer.
using TableWords = std::vector<uint64_t, TableAllocator<uint64_t>>;

}  // namespace mwcore
