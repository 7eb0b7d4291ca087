#pragma once

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
    // came or another thread is reading; true when it read one.
    bool readAhead() override;

private:
    // The content starts kMostCarried bytes into data, room for what lend() carries over.
    struct Block {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
        char* content() const { return data.get() + kMostCarried; }
    };

    // Reads the next block when one is free; false when none was read. With wait, waits
    // for a thread reading one already, else leaves it to that thread.
    bool readBlock(bool wait);
    // Makes the next block current: the reader's own or one read ahead. False at the end.
    bool takeBlock();

    std::mutex m_innerMutex;  // held while reading the inner source, which is read in order
    std::unique_ptr<ByteSource> m_inner;
    std::mutex m_mutex;  // the lists and the end
    std::vector<Block> m_free;
    std::vector<Block> m_filled;  // oldest first; reserved, so no allocation while reading
    std::exception_ptr m_error;
    bool m_done = false;

    Block m_current;  // the reader's
    std::size_t m_position = 0;
};

}  // namespace orbxmps
