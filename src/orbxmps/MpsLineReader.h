#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ByteMasks.h"
#include "ByteSource.h"

namespace orbxmps {

// Splits a file's content into lines, without copying them, and rejects what cannot be MPS
// text: control bytes other than tab (and CR before LF) and lines over kMaxLineLength. Memory
// stays one buffer whatever the input.
class MpsLineReader {
public:
    static constexpr std::size_t kMaxLineLength = 65536;
    // Bytes that may be read past a line's end, and so from a short line's start (for
    // word-wise loads).
    static constexpr std::size_t kReadablePastLine = 64;

    // Throws CMF_ExcpFileError when the file cannot be opened.
    explicit MpsLineReader(const std::string& path);

    // The next line without its end; false at the end of the file. The view stays valid until
    // the next call, and past the call that finds the end. Throws MpsContentError on binary
    // data or an overlong line, CMF_ExcpFileError when the file cannot be read.
    bool next(std::string_view& line) { return nextBuffered(line) || nextAfterRefill(line); }

    std::uint64_t lineNumber() const { return m_lineNumber; }
    ByteSource& source() { return *m_source; }
    const std::string& path() const { return m_path; }

    // Once parsing stopped (at ENDATA or at bad content): reads the rest of a compressed
    // file, whose damage shows only at its end and explains bad content better than the
    // content does. Throws CMF_ExcpFileError when the rest is damaged; returns otherwise.
    void checkRest();

private:
    // The next line if it lies whole in the buffer already.
    bool nextBuffered(std::string_view& line) {
        while (m_newlines == 0) {
            if (m_end - m_window <= static_cast<std::ptrdiff_t>(kWindow)) return false;
            m_window += kWindow;
            m_newlines = newlinesAt(m_window);
        }
        const char* newline = m_window + __builtin_ctzll(m_newlines);
        if (newline >= m_end) return false;
        m_newlines &= m_newlines - 1;
        line = {m_position, static_cast<std::size_t>(newline - m_position)};
        m_position = newline + 1;
        ++m_lineNumber;
        if (m_suspect || line.size() > kMaxLineLength) checkLine(line);
        return true;
    }
    // Line ends are found a window of 64 bytes at a time, one bit each: most lines are shorter,
    // and a call to find each one's end cost more than finding it.
    static constexpr std::size_t kWindow = 64;
    static_assert(kWindow <= kReadablePastLine);
    static std::uint64_t newlinesAt(const char* window);
    void startWindowAtPosition() {
        m_window = m_position;
        m_newlines = newlinesAt(m_window);
    }
    bool nextAfterRefill(std::string_view& line);
    // Moves the unfinished line to the front and reads more; false when nothing more came.
    bool refill();
    [[noreturn]] void throwReadError(const ByteSourceError& error) const;
    void checkLine(std::string_view& line) const;

    const std::string& m_path;
    std::unique_ptr<ByteSource> m_source;
    bool m_lending = false;  // the lines lie in the source's buffers, not in m_buffer
    std::unique_ptr<char[]> m_buffer;
    const char* m_position;
    const char* m_end;
    // The window that m_newlines covers; its bits for bytes before m_position are cleared.
    const char* m_window;
    std::uint64_t m_newlines = 0;
    std::uint64_t m_lineNumber = 0;
    bool m_suspect = false;  // the buffer holds a byte below blank other than tab and LF
};

// Bytes past the buffer's end are readable (kReadablePastLine); a bit found there is passed over
// by the caller, which compares with the end.
inline std::uint64_t MpsLineReader::newlinesAt(const char* window) {
    static_assert(kWindow == 64);
    return bytesEqualMask64(window, '\n');
}

}  // namespace orbxmps
