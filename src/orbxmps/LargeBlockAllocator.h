#pragma once

#include <cstddef>
#include <memory>
#include <new>

#include "LargeBlocks.h"

namespace orbxmps {

// A standard container's allocator that takes big blocks from largeblock (2 MB aligned, 2 MB
// pages throughout) and the rest from the usual heap; the size decides both ways.
template <typename T>
struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count * sizeof(T) < largeblock::kFrom) return std::allocator<T>().allocate(count);
        void* block = largeblock::allocate(count * sizeof(T));
        if (block == nullptr) throw std::bad_alloc();
        return static_cast<T*>(block);
    }

    void deallocate(T* block, std::size_t count) noexcept {
        if (count * sizeof(T) < largeblock::kFrom)
            std::allocator<T>().deallocate(block, count);
        else
            largeblock::release(block, count * sizeof(T));
    }

    template <typename U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace orbxmps
