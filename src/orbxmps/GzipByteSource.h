#pragma once

#include <zlib.h>

#include <memory>
#include <string>
#include <string_view>

#include "ByteSource.h"
#include "FileDescriptor.h"

namespace orbxmps {

// Inflates a gzip file (one or more members, as `cat a.gz b.gz` makes) while reading it.
// A stream that ends early, damaged data or bytes after the last member are errors.
class GzipByteSource : public ByteSource {
public:
    // head: bytes already read from the start of the file.
    GzipByteSource(FileDescriptor file, std::string_view head);
    ~GzipByteSource() override;
    GzipByteSource(const GzipByteSource&) = delete;
    GzipByteSource& operator=(const GzipByteSource&) = delete;

    std::size_t read(char* destination, std::size_t capacity) override;
    void checkRest() override;

private:
    // Keeps the unread input and appends more from the file; false at the end of the file.
    bool refillInput();
    // After a member's end: true when another member follows, false at the end of the file.
    bool startNextMember();
    // Inflates into the output space set in m_stream; returns what is wrong with the stream,
    // or an empty text.
    std::string inflateInto();

    FileDescriptor m_file;
    z_stream m_stream{};
    std::unique_ptr<unsigned char[]> m_input;
    bool m_fileEnded = false;
    bool m_finished = false;
    std::string m_damage;  // raised by the next read once the data before it is out
};

}  // namespace orbxmps
