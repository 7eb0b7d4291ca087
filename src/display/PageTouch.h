#pragma once

#include <atomic>
#include <cstddef>

#include "RowIndex.h"

// Writes a word in each page of [begin, begin + count), in stretches of 2 MB between which a
// paused caller waits: the kernel clears each fresh page at its first write, and that clearing
// takes the memory's bandwidth, which a click answered meanwhile needs.
template <typename T>
void touchPages(T* begin, std::size_t count, const std::atomic<int>* pauses) {
    constexpr std::size_t kPage = 4096;
    constexpr std::size_t kStretch = std::size_t{2} << 20;
    for (std::size_t i = 0; i < count; i += kPage / sizeof(T)) {
        if (i % (kStretch / sizeof(T)) == 0) waitWhileBuildPaused(pauses);
        begin[i] = T{};
    }
}
