#pragma once

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ByteSource.h"

namespace orbxmps {

// Runs another source on its own thread, a few blocks ahead of the reader, so that a slow
// source (inflate) works while the caller parses. Errors reach the caller after the blocks
// read before them.
class ThreadedByteSource : public ByteSource {
public:
    explicit ThreadedByteSource(std::unique_ptr<ByteSource> inner);
    ~ThreadedByteSource() override;
    ThreadedByteSource(const ThreadedByteSource&) = delete;
    ThreadedByteSource& operator=(const ThreadedByteSource&) = delete;

    std::size_t read(char* destination, std::size_t capacity) override;
    bool lends() const override { return true; }
    LentBytes lend(std::string_view carry) override;
    // Drains the blocks, so that the other thread reaches the end of its source.
    void checkRest() override;

private:
    // The content starts kMostCarried bytes into data, room for what lend() carries over.
    struct Block {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
        char* content() const { return data.get() + kMostCarried; }
    };

    void produce();
    // Waits for the next filled block; false when the content has ended. The current block
    // goes back to the other thread only when a next one came.
    bool takeBlock();

    std::unique_ptr<ByteSource> m_inner;
    std::mutex m_mutex;
    std::condition_variable m_filledOrDone;
    std::condition_variable m_freeOrStop;
    std::vector<Block> m_free;
    std::vector<Block> m_filled;  // oldest first; reserved, so no allocation on the thread
    std::exception_ptr m_error;
    bool m_done = false;
    bool m_stop = false;

    Block m_current;
    std::size_t m_position = 0;
    std::thread m_thread;
};

}  // namespace orbxmps
