#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

namespace orbxmps {

// Failure to read the bytes of a file (I/O error, damaged compressed stream); the reader turns
// it into the library's file error with the path and the line reached.
class ByteSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file's content as a stream of bytes, decompressed when needed.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to capacity bytes into destination; returns 0 only at the end of the content.
    // Throws ByteSourceError.
    virtual std::size_t read(char* destination, std::size_t capacity) = 0;
    // Reads what is left when the reading stopped early, for sources that can tell damage
    // only at their end (a gzip stream's check sum). Throws ByteSourceError.
    virtual void checkRest() {}
    // Whether the source works on a thread of its own (then the parser keeps to one).
    virtual bool runsOnItsOwnThread() const { return false; }
};

// Opens path and picks plain or gzip reading by the file's first bytes, not its name; gzip
// is inflated on a second thread so that decompression overlaps parsing. Throws
// CMF_ExcpFileError when the file cannot be opened.
std::unique_ptr<ByteSource> openByteSource(const std::string& path);

}  // namespace orbxmps
