#include "ReadAheadByteSource.h"

#include <algorithm>
#include <cstring>

namespace orbxmps {

namespace {

// Small enough that a thread helping between its own tasks is not held up for long.
constexpr std::size_t kBlockSize = 128 * 1024;
// One lent to the reader, the rest ahead of it.
constexpr std::size_t kBlockCount = 10;

}  // namespace

ReadAheadByteSource::ReadAheadByteSource(std::unique_ptr<ByteSource> inner)
    : m_inner(std::move(inner)) {
    m_filled.reserve(kBlockCount);
    // Not cleared: only the part a block is filled with is touched, so the room for carried
    // bytes, mostly unused, takes no memory. The padding behind the bytes read is cleared
    // at each read instead.
    for (std::size_t i = 0; i < kBlockCount; ++i)
        m_free.push_back(
            {std::make_unique_for_overwrite<char[]>(kMostCarried + kBlockSize + kLentPadding), 0});
}

void ReadAheadByteSource::readBlock(std::unique_lock<std::mutex>& lock) {
    m_reading = true;
    Block block = std::move(m_free.back());
    m_free.pop_back();
    lock.unlock();
    std::exception_ptr error;
    try {
        block.size = m_inner->read(block.content(), kBlockSize);
        std::memset(block.content() + block.size, 0, kLentPadding);
    } catch (...) {
        error = std::current_exception();
    }
    lock.lock();
    m_reading = false;
    if (error || block.size == 0) {
        m_error = error;
        m_done = true;
        m_free.push_back(std::move(block));
    } else {
        m_filled.push_back(std::move(block));
    }
    m_blockRead.notify_all();
}

bool ReadAheadByteSource::readAhead() {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_reading || m_readerWaiting || m_done || m_free.empty()) return false;
    readBlock(lock);
    return true;
}

bool ReadAheadByteSource::takeBlock() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (!m_filled.empty()) {
            if (m_current.data) m_free.push_back(std::move(m_current));
            m_current = std::move(m_filled.front());
            m_filled.erase(m_filled.begin());
            m_position = 0;
            return true;
        }
        if (m_done) {
            if (m_error) std::rethrow_exception(m_error);
            return false;
        }
        if (m_reading) {
            m_readerWaiting = true;
            m_blockRead.wait(lock, [this] { return !m_reading; });
            m_readerWaiting = false;
        } else {
            // A block is free: the reader holds one, the rest are free or filled.
            readBlock(lock);
        }
    }
}

LentBytes ReadAheadByteSource::lend(std::string_view carry) {
    // The carry may lie in the current block: copied before that goes back. At the end, or
    // when the source failed, that block stays, as the views into it may.
    Block kept = std::move(m_current);
    bool taken = false;
    try {
        taken = takeBlock();
    } catch (...) {
        m_current = std::move(kept);
        throw;
    }
    if (!taken) {
        m_current = std::move(kept);
        m_position = m_current.size;
        return {};
    }
    char* const start = m_current.content() - carry.size();
    std::memcpy(start, carry.data(), carry.size());
    m_position = m_current.size;
    if (kept.data) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_free.push_back(std::move(kept));
    }
    return {start, carry.size() + m_current.size};
}

void ReadAheadByteSource::checkRest() {
    while (takeBlock()) {
    }
}

std::size_t ReadAheadByteSource::read(char* destination, std::size_t capacity) {
    std::size_t copied = 0;
    while (copied < capacity) {
        if (!m_current.data || m_position == m_current.size) {
            // Hand back what is ready rather than wait for the next block.
            if (copied > 0 || !takeBlock()) break;
        }
        const std::size_t count = std::min(capacity - copied, m_current.size - m_position);
        std::memcpy(destination + copied, m_current.content() + m_position, count);
        m_position += count;
        copied += count;
    }
    return copied;
}

}  // namespace orbxmps
