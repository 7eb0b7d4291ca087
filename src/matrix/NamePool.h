#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// Owns the model's names as NUL-terminated strings in large blocks; a stored name's address
// never changes until the pool is cleared.
class NamePool {
public:
    const char* store(std::string_view name);
    // Keeps names stored elsewhere (a loaded matrix's) alive while the model points at them,
    // so they need not be copied.
    void keepAlive(std::shared_ptr<const void> owner) { m_borrowed.push_back(std::move(owner)); }
    void clear();
    std::size_t memoryBytes() const {
        return (m_blocks.size() - m_largeCount) * kBlockSize + m_largeBytes;
    }

private:
    static constexpr std::size_t kBlockSize = 1 << 20;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_used = kBlockSize;
    std::size_t m_largeBytes = 0;
    std::size_t m_largeCount = 0;
    std::vector<std::shared_ptr<const void>> m_borrowed;
};
