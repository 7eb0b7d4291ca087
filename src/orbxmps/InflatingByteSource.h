#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ByteSource.h"
#include "FileDescriptor.h"

namespace orbxmps {

// Reads a gzip file (one or more members, as `cat a.gz b.gz` makes) through a decoder that a
// subclass wraps. A stream that ends early, damaged data or bytes after the last member are
// errors, worded alike whichever decoder runs.
class InflatingByteSource : public ByteSource {
public:
    InflatingByteSource(const InflatingByteSource&) = delete;
    InflatingByteSource& operator=(const InflatingByteSource&) = delete;

    std::size_t read(char* destination, std::size_t capacity) final;
    void checkRest() final;

protected:
    // head: bytes already read from the start of the file; they start the decoder's input.
    InflatingByteSource(FileDescriptor file, std::string_view head);

    struct Step {
        bool memberEnded = false;
        const char* damage = nullptr;  // zlib's words for what is wrong, when something is
    };
    // The decoder's input cursor and output space, which this class fills and hands out.
    virtual unsigned char*& nextIn() = 0;
    virtual std::uint32_t& availableIn() = 0;
    virtual void setOutput(unsigned char* destination, std::uint32_t capacity) = 0;
    virtual std::uint32_t outputLeft() const = 0;
    virtual Step inflateSome() = 0;
    // Starts the decoder on a new member, keeping its input cursor.
    virtual void restartMember() = 0;

    unsigned char* inputStart() { return m_input.get(); }

private:
    // Keeps the unread input and appends more from the file; false at the end of the file.
    bool refillInput();
    // After a member's end: true when another member follows, false at the end of the file.
    bool startNextMember();
    // Inflates into the output space; returns what is wrong with the stream, or an empty text.
    std::string inflateInto();

    FileDescriptor m_file;
    std::unique_ptr<unsigned char[]> m_input;
    bool m_fileEnded = false;
    bool m_finished = false;
    std::string m_damage;  // raised by the next read once the data before it is out
};

}  // namespace orbxmps
