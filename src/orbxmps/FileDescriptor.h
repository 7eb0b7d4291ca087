#pragma once

#include <unistd.h>

#include <cstddef>
#include <utility>

namespace orbxmps {

// Owns a POSIX file descriptor; reads retry on EINTR.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }

    int get() const { return m_fd; }
    // Reads until capacity bytes or the end of the file. Throws ByteSourceError.
    std::size_t readFully(char* destination, std::size_t capacity);

private:
    int m_fd;
};

}  // namespace orbxmps
