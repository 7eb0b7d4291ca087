#include "ThreadedByteSource.h"

#include <algorithm>
#include <cstring>

namespace orbxmps {

namespace {

constexpr std::size_t kBlockSize = 1024 * 1024;
constexpr int kBlockCount = 4;

}  // namespace

ThreadedByteSource::ThreadedByteSource(std::unique_ptr<ByteSource> inner)
    : m_inner(std::move(inner)) {
    for (int i = 0; i < kBlockCount; ++i)
        m_free.push_back({std::make_unique<char[]>(kBlockSize), 0});
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
            block.size = m_inner->read(block.data.get(), kBlockSize);
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
    if (m_current.data) {
        m_free.push_back(std::move(m_current));
        m_freeOrStop.notify_one();
    }
    m_filledOrDone.wait(lock, [this] { return m_done || !m_filled.empty(); });
    if (m_filled.empty()) {
        if (m_error) std::rethrow_exception(m_error);
        return false;
    }
    m_current = std::move(m_filled.front());
    m_filled.erase(m_filled.begin());
    m_position = 0;
    return true;
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
        std::memcpy(destination + copied, m_current.data.get() + m_position, count);
        m_position += count;
        copied += count;
    }
    return copied;
}

}  // namespace orbxmps
