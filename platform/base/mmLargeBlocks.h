#pragma once

#include <cstddef>
#include <vector>

namespace Zv {

// Memory for large short-lived arrays, such as the working arrays of one layout of a big graph.
// Blocks of several megabytes are mapped on their own, asked to use huge pages, and kept for the
// next request when freed (up to a bound), so that repeated passes do not fault their memory in
// afresh each time. Smaller blocks come from the ordinary heap.
void* mmAllocateLarge(size_t bytes);
void mmFreeLarge(void* block, size_t bytes);

template <class T>
struct MmLargeBlockAllocator {
    using value_type = T;
    MmLargeBlockAllocator() = default;
    template <class U>
    MmLargeBlockAllocator(const MmLargeBlockAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(mmAllocateLarge(n * sizeof(T))); }
    void deallocate(T* block, size_t n) { mmFreeLarge(block, n * sizeof(T)); }
    template <class U>
    bool operator==(const MmLargeBlockAllocator<U>&) const {
        return true;
    }
};

template <class T>
using MmLargeVector = std::vector<T, MmLargeBlockAllocator<T>>;

} // namespace Zv
