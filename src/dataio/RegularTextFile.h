#pragma once

#include <cstdio>
#include <memory>
#include <string>

// Text readers take only regular files: a FIFO would block them, a device such as /dev/zero
// would never end, a folder holds no text. Lines are bounded for the same reason.

inline constexpr std::size_t kMaxTextLineBytes = std::size_t{1} << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

// path opened for reading when it is a regular file, without waiting on a FIFO; null with
// reason set (the system's words, or why the kind of file is refused) otherwise, and missing
// set when there is no such file.
FilePointer openRegularFile(const std::string& path, std::string& reason, bool* missing = nullptr);

enum class LineRead { kLine, kEnd, kTooLong };

// The next line of file without its line end, when it has at most maxBytes bytes; kTooLong
// (reading stops there) for a longer one.
LineRead readBoundedLine(std::FILE* file, std::string& line,
                         std::size_t maxBytes = kMaxTextLineBytes);

// "line N is longer than M bytes", for messages.
std::string lineTooLongReason(long long lineNumber, std::size_t maxBytes = kMaxTextLineBytes);
