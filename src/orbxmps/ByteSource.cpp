#include "ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "FileDescriptor.h"
#include "GzipByteSource.h"
#ifdef NORVA_HAVE_ISAL
#include "IsalGzipByteSource.h"
#endif
#include "MpsError.h"
#include "ParallelWork.h"
#include "ReadAheadByteSource.h"

namespace orbxmps {

namespace {

// Plain files are read straight into the caller's buffer: one copy out of the page cache and
// no mapping that would count the whole file against the process's resident memory.
class PlainByteSource : public ByteSource {
public:
    PlainByteSource(FileDescriptor file, std::string_view head)
        : m_file(std::move(file)), m_head(head), m_regular(isRegularFile(m_file.get())) {}

    std::size_t read(char* destination, std::size_t capacity) override {
        std::size_t done = 0;
        if (!m_head.empty()) {
            done = std::min(capacity, m_head.size());
            std::memcpy(destination, m_head.data(), done);
            m_head.erase(0, done);
        }
        return done + m_file.readFully(destination + done, capacity - done);
    }

    // A pipe or device would lose what pread() took, or refuse it: regular files only.
    std::optional<std::size_t> readAt(std::uint64_t offset, char* destination,
                                      std::size_t capacity) override {
        if (!m_regular) return std::nullopt;
        for (;;) {
            const ssize_t got =
                ::pread(m_file.get(), destination, capacity, static_cast<off_t>(offset));
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) return std::nullopt;
        }
    }

private:
    static bool isRegularFile(int fd) {
        struct stat info {};
        return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    }

    FileDescriptor m_file;
    std::string m_head;
    bool m_regular;
};

bool isGzip(std::string_view head) {
    return head.size() == 2 && static_cast<unsigned char>(head[0]) == 0x1F &&
           static_cast<unsigned char>(head[1]) == 0x8B;
}

}  // namespace

std::uintmax_t gzipContentSizeHint(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) return 0;
    unsigned char head[2];
    unsigned char trailer[4];
    const off_t size = ::lseek(file.get(), 0, SEEK_END);
    if (size < 18 || ::pread(file.get(), head, sizeof head, 0) != sizeof head ||
        !isGzip({reinterpret_cast<const char*>(head), sizeof head}) ||
        ::pread(file.get(), trailer, sizeof trailer, size - 4) != sizeof trailer)
        return 0;
    return std::uintmax_t{trailer[0]} | std::uintmax_t{trailer[1]} << 8 |
           std::uintmax_t{trailer[2]} << 16 | std::uintmax_t{trailer[3]} << 24;
}

LentBytes ByteSource::lend(std::string_view) {
    throw std::logic_error("this byte source does not lend its buffers");
}

std::unique_ptr<ByteSource> openByteSource(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) throwFileError(path, std::string("cannot open: ") + std::strerror(errno));
    char head[2];
    const std::size_t got = file.readFully(head, sizeof head);
    const std::string_view headView(head, got);
    if (!isGzip(headView)) return std::make_unique<PlainByteSource>(std::move(file), headView);
#ifdef NORVA_HAVE_ISAL
    auto inflating = std::make_unique<IsalGzipByteSource>(std::move(file), headView);
#else
    auto inflating = std::make_unique<GzipByteSource>(std::move(file), headView);
#endif
    if (!parallelWorkAllowed()) return inflating;
    return std::make_unique<ReadAheadByteSource>(std::move(inflating));
}

}  // namespace orbxmps
