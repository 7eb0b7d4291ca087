#include "OrbInput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cassert>
#include <cerrno>
#include <cstring>

#include "OrbErrors.h"
#include "OrbFormat.h"
#include "ReadProgress.h"

namespace orbxmps::orb {

namespace {

// Small enough that copying out of it reads from cache, large enough to keep system calls out
// of the profile.
constexpr std::size_t kBufferSize = 256 * 1024;
static_assert(kBufferSize % kAlignment == 0);

}  // namespace

OrbInput::OrbInput(const std::string& path) : m_path(path) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) throwFileError(kReadRoutine, path, "open", errno);
    struct stat info {};
    const int statError = ::fstat(m_fd, &info) != 0 ? errno : (S_ISDIR(info.st_mode) ? EISDIR : 0);
    if (statError != 0) {
        ::close(m_fd);
        throwFileError(kReadRoutine, path, "read", statError);
    }
    m_fileSize = static_cast<std::uint64_t>(info.st_size);
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    m_buffer = std::make_unique<unsigned char[]>(kBufferSize);
}

OrbInput::~OrbInput() { ::close(m_fd); }

std::size_t OrbInput::readFully(unsigned char* out, std::size_t n, std::uint64_t offset) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(m_fd, out + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throwFileError(kReadRoutine, m_path, "read", errno);
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    countReadBytes(done);
    return done;
}

std::size_t OrbInput::readHeader(unsigned char* header, std::size_t size) {
    return readFully(header, size, 0);
}

void OrbInput::beginPayload(std::uint64_t size, std::uint32_t expectedChecksum) {
    m_payloadSize = size;
    m_expectedChecksum = expectedChecksum;
    m_consumed = m_loaded = 0;
    m_begin = m_end = 0;
    // A file too small for a direct read is read through the buffer at once: the mapping's
    // system calls would cost more than they spare.
    if (m_fileSize >= kDirectFrom) m_mapping = LeasedFileMapping::map(m_fd, m_fileSize);
}

unsigned char* OrbInput::takeMapped(std::uint64_t bytes, std::size_t alignment) {
    if (m_mapping == nullptr) return nullptr;
    unsigned char* at = m_mapping->data() + kHeaderSize + m_consumed;
    if (reinterpret_cast<std::uintptr_t>(at) % alignment != 0) return nullptr;
    // What the window held ahead is let go: the next bytes are taken from where this array
    // ends.
    m_consumed += bytes;
    m_loaded = m_consumed;
    m_begin = m_end = 0;
    return at;
}

void OrbInput::fill() {
    checkReadProgress();
    const std::uint64_t left = m_payloadSize - m_loaded;
    assert(left > 0 && "payload read past its end");
    // A direct read may have ended off the alignment; the buffer ends on it again, so that no
    // item is split by a refill and an array can go on straight into place.
    const std::size_t room = kBufferSize - static_cast<std::size_t>(m_loaded % kAlignment);
    const std::size_t want = left < room ? static_cast<std::size_t>(left) : room;
    std::size_t got = want;
    if (m_mapping != nullptr) {
        // The bytes are in the mapping already: a read would copy them for nothing.
        m_window = m_mapping->data() + kHeaderSize + m_loaded;
        countReadBytes(want);
    } else {
        got = readFully(m_buffer.get(), want, kHeaderSize + m_loaded);
        m_window = m_buffer.get();
    }
    // The size was checked against the file before; only a file shrinking under us gets here.
    if (got < want)
        throwTruncated(m_path, kHeaderSize + m_payloadSize, kHeaderSize + m_loaded + got);
    m_loaded += got;
    m_begin = 0;
    m_end = got;
}

void OrbInput::readDirect(void* out, std::size_t n) {
    checkReadProgress();
    assert(m_begin == m_end && n <= m_payloadSize - m_loaded && "direct read past the payload");
    const std::size_t got = readFully(static_cast<unsigned char*>(out), n, kHeaderSize + m_loaded);
    if (got < n) throwTruncated(m_path, kHeaderSize + m_payloadSize, kHeaderSize + m_loaded + got);
    m_loaded += got;
    m_consumed += got;
}

void OrbInput::read(void* out, std::size_t n) {
    copy(out, n);
    m_checksum.addNow(out, n);
}

void OrbInput::copy(void* out, std::size_t n) {
    auto* target = static_cast<unsigned char*>(out);
    while (n > 0) {
        if (m_begin == m_end) fill();
        std::size_t step = m_end - m_begin;
        if (step > n) step = n;
        std::memcpy(target, m_window + m_begin, step);
        target += step;
        m_begin += step;
        m_consumed += step;
        n -= step;
    }
}

void OrbInput::skip(std::uint64_t n) {
    while (n > 0) {
        if (m_begin == m_end) fill();
        std::uint64_t step = m_end - m_begin;
        if (step > n) step = n;
        m_checksum.addNow(m_window + m_begin, static_cast<std::size_t>(step));
        m_begin += static_cast<std::size_t>(step);
        m_consumed += step;
        n -= step;
    }
}

bool OrbInput::payloadMatches() {
    if (m_consumed == m_payloadSize) return m_checksum.result() == m_expectedChecksum;
    return rereadPayloadMatches();
}

bool OrbInput::rereadPayloadMatches() {
    auto chunk = std::make_unique<unsigned char[]>(kBufferSize);
    auto checksum = crc32_z(0, Z_NULL, 0);
    for (std::uint64_t done = 0; done < m_payloadSize;) {
        const std::uint64_t left = m_payloadSize - done;
        const std::size_t want = left < kBufferSize ? static_cast<std::size_t>(left) : kBufferSize;
        if (readFully(chunk.get(), want, kHeaderSize + done) != want) return false;
        checksum = crc32_z(checksum, chunk.get(), want);
        done += want;
    }
    return static_cast<std::uint32_t>(checksum) == m_expectedChecksum;
}

}  // namespace orbxmps::orb
