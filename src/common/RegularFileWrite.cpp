#include "RegularFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string systemError(int error) { return std::strerror(error); }

std::string writeAll(int fd, std::string_view content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t done = ::write(fd, data, left);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) return systemError(errno);
        data += done;
        left -= static_cast<std::size_t>(done);
    }
    return {};
}

// Truncation waits until the descriptor is known to be a regular file: O_TRUNC on open would
// already have emptied whatever the path named. O_NONBLOCK keeps a FIFO from blocking the open.
std::string writeOpened(int fd, std::string_view content) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return systemError(errno);
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if (::ftruncate(fd, 0) != 0) return systemError(errno);
    return writeAll(fd, content);
}

}  // namespace

std::string WriteRegularFile(const std::string& path, std::string_view content) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        // The errors that stand for what the path is read as nonsense to a user: O_NOFOLLOW
        // reports a link as ELOOP, and O_NONBLOCK a FIFO without a reader as ENXIO.
        if (errno == ELOOP) return "a symbolic link, not a regular file";
        if (errno == ENXIO) return "a FIFO or device, not a regular file";
        return systemError(errno);
    }
    std::string error = writeOpened(fd, content);
    if (::close(fd) != 0 && error.empty()) error = systemError(errno);
    return error;
}
