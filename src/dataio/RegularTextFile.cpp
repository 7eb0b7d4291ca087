#include "RegularTextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

FilePointer openRegularFile(const std::string& path, std::string& reason, bool* missing) {
    if (missing != nullptr) *missing = false;
    // O_NONBLOCK lets a FIFO open without a writer, so that it can be refused instead of
    // waited on; it is cleared again for the regular file that is read.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        if (missing != nullptr) *missing = errno == ENOENT;
        reason = std::strerror(errno);
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        reason = S_ISDIR(status.st_mode) ? "It is a folder, not a regular file."
                                         : "It is not a regular file (a device, pipe or socket).";
        ::close(descriptor);
        return nullptr;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    FilePointer file(::fdopen(descriptor, "rb"));
    if (!file) {
        reason = std::strerror(errno);
        ::close(descriptor);
    }
    return file;
}

LineRead readBoundedLine(std::FILE* file, std::string& line, std::size_t maxBytes) {
    line.clear();
    // Byte by byte, so that a NUL inside a line cannot hide its end.
    for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
        if (c == '\n') return LineRead::kLine;
        if (line.size() == maxBytes) return LineRead::kTooLong;
        line += static_cast<char>(c);
    }
    return line.empty() ? LineRead::kEnd : LineRead::kLine;
}

std::string lineTooLongReason(long long lineNumber, std::size_t maxBytes) {
    return "line " + std::to_string(lineNumber) + " is longer than " + std::to_string(maxBytes) +
           " bytes";
}
