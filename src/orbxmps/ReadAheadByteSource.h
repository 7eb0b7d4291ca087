#pragma once

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "ByteSource.h"

namespace orbxmps {

// Reads another source (inflate) in blocks that it lends to the reader. A block is read by
// the reader's thread when it needs one, or ahead by another thread that would otherwise
// wait (readAhead()): on two cores, the parser's thread inflates while it has nothing to
// parse, and no third thread contends with the two that parse. Errors reach the reader after
// the blocks read before them.
class ReadAheadByteSource : public ByteSource {
public:
    explicit ReadAheadByteSource(std::unique_ptr<ByteSource> inner);
    ReadAheadByteSource(const ReadAheadByteSource&) = delete;
    ReadAheadByteSource& operator=(const ReadAheadByteSource&) = delete;

    std::size_t read(char* destination, std::size_t capacity) override;
    bool lends() const override { return true; }
    LentBytes lend(std::string_view carry) override;
    void checkRest() override;
    // Any thread: reads one block ahead unless the blocks are all ahead already, the end
    // came, another thread is reading or the reader waits; true when it read one.
    bool readAhead() override;

private:
    // The content starts kMostCarried bytes into data, room for what lend() carries over.
    struct Block {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
        char* content() const { return data.get() + kMostCarried; }
    };

    // Reads the next block into a free one, m_mutex held by lock but not while reading.
    void readBlock(std::unique_lock<std::mutex>& lock);
    // Makes the next block current: one read ahead, else the reader's own. False at the end.
    bool takeBlock();

    std::unique_ptr<ByteSource> m_inner;  // read by one thread at a time, in order
    std::mutex m_mutex;
    std::condition_variable m_blockRead;
    std::vector<Block> m_free;
    std::vector<Block> m_filled;  // oldest first; reserved, so no allocation while reading
    std::exception_ptr m_error;
    bool m_done = false;
    bool m_reading = false;        // a thread reads m_inner
    bool m_readerWaiting = false;  // for the block being read ahead: none more is started

    Block m_current;  // the reader's
    std::size_t m_position = 0;
};

}  // namespace orbxmps
