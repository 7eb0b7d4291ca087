#pragma once

#include <isa-l/igzip_lib.h>

#include <memory>
#include <string>
#include <string_view>

#include "ByteSource.h"
#include "FileDescriptor.h"

namespace orbxmps {

// The same as GzipByteSource (members in sequence, the same errors), inflated with ISA-L, which
// inflates several times faster than zlib: a gzipped model then opens near plain-text speed.
class IsalGzipByteSource : public ByteSource {
public:
    // head: bytes already read from the start of the file.
    IsalGzipByteSource(FileDescriptor file, std::string_view head);
    IsalGzipByteSource(const IsalGzipByteSource&) = delete;
    IsalGzipByteSource& operator=(const IsalGzipByteSource&) = delete;

    std::size_t read(char* destination, std::size_t capacity) override;
    void checkRest() override;

private:
    bool refillInput();
    bool startNextMember();
    std::string inflateInto();

    FileDescriptor m_file;
    // About 100 kB of tables and window: on the heap, not in the object.
    std::unique_ptr<inflate_state> m_state;
    std::unique_ptr<unsigned char[]> m_input;
    bool m_fileEnded = false;
    bool m_finished = false;
    std::string m_damage;  // raised by the next read once the data before it is out
};

}  // namespace orbxmps
