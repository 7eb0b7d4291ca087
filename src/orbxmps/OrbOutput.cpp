#include "OrbOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "OrbErrors.h"
#include "OrbFormat.h"

namespace orbxmps::orb {

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;
constexpr int kNameAttempts = 100;

std::atomic<unsigned> g_temporaryCounter{0};

// Opens a new file beside path under a name no other writer uses; returns its descriptor.
int createTemporary(const std::string& path, std::string& temporaryPath) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporaryPath = path + ".tmp" + std::to_string(::getpid()) + "-" +
                        std::to_string(g_temporaryCounter.fetch_add(1));
        // 0666 lets the umask decide, as for any file the user saves.
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) throwFileError(kWriteRoutine, path, "open", errno);
    }
    throwFileError(kWriteRoutine, path, "open", EEXIST);
}

const char* kindOf(mode_t mode) {
    if (S_ISLNK(mode)) return "a symbolic link";
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

// The rename that puts the file in place would replace a link, FIFO or device node as
// readily as a file, so anything but a regular file under the target's name is refused.
void refuseNonRegularTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return;
    throw ORB_ExcpFileError(kWriteRoutine, path + ": cannot write: it exists and is " +
                                               kindOf(info.st_mode) + ", not a regular file");
}

}  // namespace

OrbOutput::OrbOutput(const std::string& path) : m_path(path) {
    refuseNonRegularTarget(path);
    m_fd = createTemporary(path, m_temporaryPath);
    m_buffer = std::make_unique<unsigned char[]>(kBufferSize);
    m_checksum = static_cast<std::uint32_t>(crc32_z(0, Z_NULL, 0));
    // The header goes in last, once the payload's size and checksum are known.
    if (::lseek(m_fd, static_cast<off_t>(kHeaderSize), SEEK_SET) < 0) {
        const int error = errno;
        ::close(m_fd);
        ::unlink(m_temporaryPath.c_str());
        throwFileError(kWriteRoutine, path, "write", error);
    }
}

OrbOutput::~OrbOutput() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed) ::unlink(m_temporaryPath.c_str());
}

void OrbOutput::writeAll(const unsigned char* data, std::size_t n) {
    while (n > 0) {
        const ssize_t done = ::write(m_fd, data, n);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) throwFileError(kWriteRoutine, m_path, "write", errno);
        data += done;
        n -= static_cast<std::size_t>(done);
    }
}

void OrbOutput::checksumAndWrite(const unsigned char* data, std::size_t n) {
    m_checksum = static_cast<std::uint32_t>(crc32_z(m_checksum, data, n));
    writeAll(data, n);
    m_payloadSize += n;
}

void OrbOutput::flush() {
    checksumAndWrite(m_buffer.get(), m_used);
    m_used = 0;
}

void OrbOutput::write(const void* data, std::size_t n) {
    if (n == 0) return;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (m_used + n <= kBufferSize) {
        std::memcpy(m_buffer.get() + m_used, bytes, n);
        m_used += n;
        return;
    }
    flush();
    // Large arrays go straight from the caller's memory, a cache-sized piece at a time.
    while (n >= kBufferSize) {
        checksumAndWrite(bytes, kBufferSize);
        bytes += kBufferSize;
        n -= kBufferSize;
    }
    std::memcpy(m_buffer.get(), bytes, n);
    m_used = n;
}

void OrbOutput::commit(std::uint32_t headerFlags) {
    flush();
    unsigned char header[kHeaderSize] = {};
    std::memcpy(header, kMagic, sizeof(kMagic));
    storeLittle<std::uint32_t>(header + kVersionOffset, kVersion);
    storeLittle<std::uint32_t>(header + kFlagsOffset, headerFlags);
    storeLittle<std::uint64_t>(header + kPayloadSizeOffset, m_payloadSize);
    storeLittle<std::uint32_t>(header + kChecksumOffset, m_checksum);
    const ssize_t written = ::pwrite(m_fd, header, kHeaderSize, 0);
    if (written != static_cast<ssize_t>(kHeaderSize))
        throwFileError(kWriteRoutine, m_path, "write", written < 0 ? errno : EIO);
    // Durable before it replaces the old file, or a crash could leave neither.
    if (::fsync(m_fd) != 0) throwFileError(kWriteRoutine, m_path, "write", errno);
    const int closeResult = ::close(m_fd);
    m_fd = -1;
    if (closeResult != 0) throwFileError(kWriteRoutine, m_path, "write", errno);
    // Again, as something may have been put there while the file was written.
    refuseNonRegularTarget(m_path);
    if (::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0)
        throwFileError(kWriteRoutine, m_path, "write", errno);
    m_committed = true;
}

}  // namespace orbxmps::orb
