#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

#include "LargeBlocks.h"

namespace orbxmps {

// A standard container's allocator that takes big blocks from largeblock (2 MB aligned, own
// mappings) and the rest from the usual heap; the size decides both ways.
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

// The same for scratch whose every item is written before it is read: a vector grown with it
// leaves new items as they come, so that a large block is neither zeroed nor its pages touched
// twice.
template <typename T>
struct ScratchBlockAllocator : LargeBlockAllocator<T> {
    using value_type = T;

    ScratchBlockAllocator() = default;
    template <typename U>
    ScratchBlockAllocator(const ScratchBlockAllocator<U>&) noexcept {}

    template <typename U, typename... Args>
    void construct(U* at, Args&&... args) {
        if constexpr (sizeof...(Args) == 0)
            ::new (static_cast<void*>(at)) U;
        else
            ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }

    template <typename U>
    bool operator==(const ScratchBlockAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace orbxmps
