#include "RowsSectionScan.h"

#include <cstring>
#include <memory>
#include <string_view>

#include "ByteMasks.h"

namespace orbxmps {

namespace {

constexpr std::size_t kPadding = 64;  // mask windows may read past the bytes read
// A ROWS header comes after a few lines (NAME, OBJSENSE, comments): a file without one in its
// first megabyte is not read further for it.
constexpr std::uint64_t kMostBeforeRows = std::uint64_t{1} << 20;

bool isHeaderNamed(std::string_view line, std::string_view keyword) {
    if (line.substr(0, keyword.size()) != keyword) return false;
    return line.size() == keyword.size() || line[keyword.size()] == ' ' ||
           line[keyword.size()] == '\t' || line[keyword.size()] == '\r';
}

// Counts the row lines of the complete lines in [begin, end), which starts at a line start;
// true once a header ends the section. A row line starts with a blank and holds more than
// blanks; comments, empty lines, lines of blanks and of a lone CR neither count nor end it
// (counted, a file of blank lines could ask for an index of any size).
bool countRowLines(const char* begin, const char* end, std::size_t& count) {
    std::uint64_t lineStartCarried = 1;
    std::uint64_t runCarried = 0;  // a line's leading blanks run on into the next window
    for (const char* window = begin; window < end; window += 64) {
        const auto left = static_cast<std::size_t>(end - window);
        const std::uint64_t inRange = left >= 64 ? ~0ull : (1ull << left) - 1;
        const std::uint64_t newlines = bytesEqualMask64(window, '\n');
        const std::uint64_t starts = ((newlines << 1) | lineStartCarried) & inRange;
        lineStartCarried = newlines >> 63;
        const std::uint64_t blanks = bytesEqualMask64(window, ' ') | bytesEqualMask64(window, '\t');
        const std::uint64_t lineEnds = newlines | bytesEqualMask64(window, '\r');
        const std::uint64_t neither = lineEnds | bytesEqualMask64(window, '*');
        const std::uint64_t headers = starts & ~blanks & ~neither;
        // Adding a run's first bit to the blanks carries to the byte after the run: the first
        // byte after a line's leading blanks, a row's type unless it ends the line.
        const std::uint64_t runStarts = (starts & blanks) | runCarried;
        std::uint64_t afterRuns = 0;
        runCarried = __builtin_add_overflow(runStarts, blanks, &afterRuns) ? 1 : 0;
        const std::uint64_t rows = afterRuns & ~blanks & ~lineEnds & inRange;
        if (headers != 0) {
            const std::uint64_t before = (headers & (~headers + 1)) - 1;
            count += static_cast<std::size_t>(__builtin_popcountll(rows & before));
            return true;
        }
        count += static_cast<std::size_t>(__builtin_popcountll(rows));
    }
    return false;
}

}  // namespace

std::size_t countRowsSectionLines(ByteSource& source, std::size_t chunkBytes,
                                  std::uint64_t mostScanned) {
    const std::unique_ptr<char[]> buffer(new char[chunkBytes + kPadding]);
    std::uint64_t offset = 0;  // always at a line start
    bool inRows = false;
    std::size_t count = 0;
    while (offset < mostScanned && (inRows || offset < kMostBeforeRows)) {
        const std::optional<std::size_t> got = source.readAt(offset, buffer.get(), chunkBytes);
        if (!got || *got == 0) break;
        std::memset(buffer.get() + *got, '\n', kPadding);
        const char* const data = buffer.get();
        const bool atEnd = *got < chunkBytes;
        // Whole lines only; at the end of the file the last one, which needs no newline.
        const char* end = data + *got;
        if (!atEnd) {
            const char* lastNewline = data + *got;
            while (lastNewline > data && lastNewline[-1] != '\n') --lastNewline;
            if (lastNewline == data) break;  // a line longer than a chunk: no row line
            end = lastNewline;
        }
        const char* line = data;
        while (!inRows && line < end) {
            const auto* newline = static_cast<const char*>(std::memchr(line, '\n', end - line));
            const char* lineEnd = newline != nullptr ? newline : end;
            inRows = isHeaderNamed({line, static_cast<std::size_t>(lineEnd - line)}, "ROWS");
            line = newline != nullptr ? newline + 1 : end;
        }
        if (inRows && countRowLines(line, end, count)) return count;
        if (atEnd) break;
        offset += static_cast<std::uint64_t>(end - data);
    }
    return inRows ? count : 0;
}

}  // namespace orbxmps
