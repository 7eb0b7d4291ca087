#include "NamePool.h"

#include <cstring>

const char* NamePool::store(std::string_view name) {
    const std::size_t needed = name.size() + 1;
    if (needed > kBlockSize / 4) {
        // A long name gets a block of its own rather than wasting the rest of the current one.
        m_blocks.insert(m_blocks.begin(), std::make_unique<char[]>(needed));
        m_largeBytes += needed;
        ++m_largeCount;
        char* target = m_blocks.front().get();
        std::memcpy(target, name.data(), name.size());
        target[name.size()] = '\0';
        return target;
    }
    if (m_used + needed > kBlockSize) {
        m_blocks.push_back(std::make_unique<char[]>(kBlockSize));
        m_used = 0;
    }
    char* target = m_blocks.back().get() + m_used;
    std::memcpy(target, name.data(), name.size());
    target[name.size()] = '\0';
    m_used += needed;
    return target;
}

void NamePool::clear() {
    m_blocks.clear();
    m_used = kBlockSize;
    m_largeBytes = 0;
    m_largeCount = 0;
    m_borrowed.clear();
}
