#include "FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "ByteSource.h"
#include "ReadProgress.h"

namespace orbxmps {

std::size_t FileDescriptor::readFully(char* destination, std::size_t capacity) {
    std::size_t done = 0;
    while (done < capacity) {
        const ssize_t got = ::read(m_fd, destination + done, capacity - done);
        if (got > 0) {
            done += static_cast<std::size_t>(got);
            continue;
        }
        if (got == 0) break;
        if (errno == EINTR) continue;
        throw ByteSourceError(std::string("cannot read: ") + std::strerror(errno));
    }
    countReadBytes(done);
    return done;
}

}  // namespace orbxmps
