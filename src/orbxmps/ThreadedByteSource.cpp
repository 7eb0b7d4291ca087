#include "ThreadedByteSource.h"

#include <algorithm>
#include <cstring>

namespace orbxmps {

namespace {

constexpr std::size_t kBlockSize = 1024 * 1024;
// One lent to the reader, the rest ahead of it.
constexpr int kBlockCount = 5;

}  // namespace

ThreadedByteSource::ThreadedByteSource(std::unique_ptr<ByteSource> inner)
    : m_inner(std::move(inner)) {
    for (int i = 0; i < kBlockCount; ++i)
        m_free.push_back({std::make_unique<char[]>(kMostCarried + kBlockSize + kLentPadding), 0});
    m_thread = std::thread([this] { produce(); });
}

ThreadedByteSource::~ThreadedByteSource() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_freeOrStop.notify_all();
    m_thread.join();
}

void ThreadedByteSource::produce() {
    for (;;) {
        Block block;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_freeOrStop.wait(lock, [this] { return m_stop || !m_free.empty(); });
            if (m_stop) return;
            block = std::move(m_free.back());
            m_free.pop_back();
        }
        std::exception_ptr error;
        try {
            block.size = m_inner->read(block.content(), kBlockSize);
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (error || block.size == 0) {
                m_error = error;
                m_done = true;
            } else {
                m_filled.push_back(std::move(block));
            }
        }
        m_filledOrDone.notify_one();
        if (error || block.size == 0) return;
    }
}

bool ThreadedByteSource::takeBlock() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_filledOrDone.wait(lock, [this] { return m_done || !m_filled.empty(); });
    if (m_filled.empty()) {
        if (m_error) std::rethrow_exception(m_error);
        return false;
    }
    Block next = std::move(m_filled.front());
    m_filled.erase(m_filled.begin());
    if (m_current.data) {
        m_free.push_back(std::move(m_current));
        m_freeOrStop.notify_one();
    }
    m_current = std::move(next);
    m_position = 0;
    return true;
}

LentBytes ThreadedByteSource::lend(std::string_view carry) {
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
    m_freeOrStop.notify_one();
    return {start, carry.size() + m_current.size};
}

void ThreadedByteSource::checkRest() {
    while (takeBlock()) {
    }
}

std::size_t ThreadedByteSource::read(char* destination, std::size_t capacity) {
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
