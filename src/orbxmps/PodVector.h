#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

#include "LargeBlocks.h"

namespace orbxmps {

// A growable array of trivially copyable values kept in malloc'd memory, or for big arrays in
// a mapping of its own, so that growing a large array moves its pages (realloc's or our own
// mremap) instead of allocate-copy-free: the peak memory of a load stays at the final size of
// its arrays rather than one and a half times it.
template <typename T>
class PodVector {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    PodVector() = default;
    PodVector(const PodVector&) = delete;
    PodVector& operator=(const PodVector&) = delete;
    PodVector(PodVector&& other) noexcept { swap(other); }
    PodVector& operator=(PodVector&& other) noexcept {
        if (this != &other) {
            clear();
            swap(other);
        }
        return *this;
    }
    ~PodVector() { release(); }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T* data() { return m_data; }
    const T* data() const { return m_data; }
    T& operator[](std::size_t i) { return m_data[i]; }
    const T& operator[](std::size_t i) const { return m_data[i]; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_size; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_size; }
    T& back() { return m_data[m_size - 1]; }

    void push_back(const T& value) {
        if (m_size == m_capacity) grow(m_size + 1);
        m_data[m_size++] = value;
    }

    // Appends count values copied from source.
    void append(const T* source, std::size_t count) {
        if (m_size + count > m_capacity) grow(m_size + count);
        if (count != 0) std::memcpy(m_data + m_size, source, count * sizeof(T));
        m_size += count;
    }

    // Adds count elements left for the caller to write, and returns the first of them.
    T* appendUninitialised(std::size_t count) {
        if (m_size + count > m_capacity) grow(m_size + count);
        T* first = m_data + m_size;
        m_size += count;
        return first;
    }

    // New elements are value-initialised (zero). Grows geometrically, so growing one element
    // at a time stays linear.
    void resize(std::size_t count) {
        if (m_data == nullptr && count != 0) return allocateZeroed(count);
        if (count > m_capacity) grow(count);
        if (count > m_size)
            std::memset(static_cast<void*>(m_data + m_size), 0, (count - m_size) * sizeof(T));
        m_size = count;
    }

    // resize() of an empty array, for scratch written all over after the load's peak: from
    // largeblock::kLargePagesFrom the block is whole 2 MB pages, faulted in one per 2 MB
    // instead of one per 4 kB, for less than 2 MB more resident.
    void resizeInLargePages(std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        if (m_data != nullptr || bytes < largeblock::kLargePagesFrom) return resize(count);
        allocateZeroed(count, true);
    }

    void assign(std::size_t count, const T& value) {
        resize(count);
        for (std::size_t i = 0; i < count; ++i) m_data[i] = value;
    }

    void reserve(std::size_t count) {
        if (count > m_capacity) reallocate(count);
    }

    // Gives back the unused tail of the block.
    void shrinkToFit() {
        if (m_capacity > m_size) reallocate(m_size);
    }

    void clear() {
        release();
        m_data = nullptr;
        m_size = m_capacity = 0;
    }

    // Shared ownership of the array as it is, for readers that may outlive this vector. The
    // array must not be written from then on; growing, shrinking or clearing the vector leaves
    // it to the readers and carries on in a block of its own.
    std::shared_ptr<const void> shareStorage() {
        if (m_shared != nullptr || m_data == nullptr) return m_shared;
        if (m_large)
            m_shared.reset(m_data, [bytes = capacityBytes()](void* block) {
                largeblock::release(block, bytes);
            });
        else
            m_shared.reset(m_data, std::free);
        return m_shared;
    }

    std::size_t capacityBytes() const { return m_capacity * sizeof(T); }

    // Takes count elements at data, which owner keeps alive (a slice of a file mapping): the
    // array is shared from the start, so growing it carries on in a block of its own.
    void adoptShared(std::shared_ptr<void> owner, T* data, std::size_t count) {
        clear();
        m_shared = std::shared_ptr<void>(std::move(owner), data);
        m_data = data;
        m_size = m_capacity = count;
    }

private:
    void swap(PodVector& other) noexcept {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
        std::swap(m_shared, other.m_shared);
        std::swap(m_large, other.m_large);
    }

    void release() {
        if (m_shared != nullptr)
            m_shared.reset();
        else if (m_large)
            largeblock::release(m_data, capacityBytes());
        else
            std::free(m_data);
        m_large = false;
    }

    void grow(std::size_t needed) {
        std::size_t next = m_capacity < 16 ? 16 : m_capacity + m_capacity / 2;
        reallocate(next < needed ? needed : next);
    }

    void reallocate(std::size_t count) {
        if (count == 0) {
            clear();
            return;
        }
        const std::size_t bytes = count * sizeof(T);
        void* block = nullptr;
        if (m_shared != nullptr)
            block = copyOutOfShared(count);
        else if (m_large)
            block = largeblock::reallocate(m_data, capacityBytes(), bytes);
        else if (bytes >= largeblock::kFrom)
            block = moveToLargeBlock(count);
        else
            block = std::realloc(m_data, bytes);
        if (block == nullptr) throw std::bad_alloc();
        m_data = static_cast<T*>(block);
        m_capacity = m_large ? largeblock::mappedBytes(bytes) / sizeof(T) : count;
    }

    // A large block comes fresh from the system, cleared already: calloc knows it and skips
    // writing zeros over it, which on a large table was as costly as the clearing itself.
    void allocateZeroed(std::size_t count, bool inWholeLargePages = false) {
        const std::size_t bytes = count * sizeof(T);
        m_large = inWholeLargePages || bytes >= largeblock::kFrom;
        const std::size_t mapped =
            inWholeLargePages ? largeblock::wholeLargePages(bytes) : largeblock::mappedBytes(bytes);
        void* block = m_large ? largeblock::allocate(mapped) : std::calloc(count, sizeof(T));
        if (block == nullptr) {
            m_large = false;
            throw std::bad_alloc();
        }
        m_data = static_cast<T*>(block);
        m_size = count;
        m_capacity = m_large ? mapped / sizeof(T) : count;
    }

    // A copy of the kept elements in a block of its own; the caller's old block is let go.
    void* copyInto(void* block, std::size_t count) {
        const std::size_t kept = m_size < count ? m_size : count;
        if (kept != 0) std::memcpy(block, m_data, kept * sizeof(T));
        return block;
    }

    void* moveToLargeBlock(std::size_t count) {
        void* block = largeblock::allocate(count * sizeof(T));
        if (block == nullptr) return nullptr;
        copyInto(block, count);
        std::free(m_data);
        m_large = true;
        return block;
    }

    void* copyOutOfShared(std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        const bool large = bytes >= largeblock::kFrom;
        void* block = large ? largeblock::allocate(bytes) : std::malloc(bytes);
        if (block == nullptr) return nullptr;
        copyInto(block, count);
        m_shared.reset();
        m_large = large;
        return block;
    }

    T* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    std::shared_ptr<void> m_shared;  // set once the array is shared; it then owns m_data
    bool m_large = false;            // m_data is a largeblock mapping, not malloc's
};

}  // namespace orbxmps
