#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orbxmps {

// Failure to read the bytes of a file (I/O error, damaged compressed stream); the reader turns
// it into the library's file error with the path and the line reached.
class ByteSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bytes that a source lends out of a buffer of its own.
struct LentBytes {
    const char* data = nullptr;
    std::size_t size = 0;
};

// A file's content as a stream of bytes, decompressed when needed.
class ByteSource {
public:
    // Most bytes that lend() puts before the new ones, and bytes readable after a lending.
    static constexpr std::size_t kMostCarried = 65536;
    static constexpr std::size_t kLentPadding = 64;

    virtual ~ByteSource() = default;
    // Copies up to capacity bytes into destination; returns 0 only at the end of the content.
    // Throws ByteSourceError.
    virtual std::size_t read(char* destination, std::size_t capacity) = 0;
    // Whether lend() may be called instead of read(), saving the copy.
    virtual bool lends() const { return false; }
    // The next bytes, preceded by carry (at most kMostCarried bytes, which may lie in the
    // last lending), with kLentPadding readable bytes after them. They stay lent until the
    // next call. At the end of the content returns nothing and the last lending stays.
    // Throws ByteSourceError.
    virtual LentBytes lend(std::string_view carry);
    // From a thread other than the reader's, that has time: reads ahead if the source can;
    // true when it did, and may be called again.
    virtual bool readAhead() { return false; }
    // For a plain regular file: copies up to capacity bytes of the file from offset, without
    // moving the stream, and returns how many (0 at the end). nullopt for any other source,
    // and when the file cannot be read there: what it says is a hint, the stream the truth.
    virtual std::optional<std::size_t> readAt(std::uint64_t offset, char* destination,
                                              std::size_t capacity) {
        (void)offset, (void)destination, (void)capacity;
        return std::nullopt;
    }
    // Reads what is left when the reading stopped early, for sources that can tell damage
    // only at their end (a gzip stream's check sum). Throws ByteSourceError.
    virtual void checkRest() {}
};

// Of a gzip file, the size of its content as its trailer states it (the last member's,
// modulo 4 GiB); 0 for other files and when it cannot be read. A hint for reserving memory
// ahead, never a limit.
std::uintmax_t gzipContentSizeHint(const std::string& path);

// Opens path and picks plain or gzip reading by the file's first bytes, not its name; gzip
// may be inflated ahead by another thread (readAhead()), so that decompression overlaps
// parsing. Throws CMF_ExcpFileError when the file cannot be opened.
std::unique_ptr<ByteSource> openByteSource(const std::string& path);

}  // namespace orbxmps
