#include "MpsLineReader.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstring>

#include "MpsError.h"

namespace orbxmps {

namespace {

constexpr std::size_t kBufferSize = 1024 * 1024 + MpsLineReader::kMaxLineLength;

bool isBadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t' && c != '\n') || byte == 0x7F;
}

// Lines are checked byte by byte only in buffers where this finds something (CR included).
bool hasSuspectBytes(const char* begin, const char* end) {
    const char* p = begin;
#if defined(__SSE2__)
    const __m128i lastControl = _mm_set1_epi8(0x1F);
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i newline = _mm_set1_epi8('\n');
    const __m128i del = _mm_set1_epi8(0x7F);
    __m128i found = _mm_setzero_si128();
    for (; end - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(v, lastControl), v);
        const __m128i allowed = _mm_or_si128(_mm_cmpeq_epi8(v, tab), _mm_cmpeq_epi8(v, newline));
        found = _mm_or_si128(found, _mm_andnot_si128(allowed, control));
        found = _mm_or_si128(found, _mm_cmpeq_epi8(v, del));
    }
    if (_mm_movemask_epi8(found) != 0) return true;
#endif
    for (; p < end; ++p)
        if (isBadByte(*p)) return true;
    return false;
}

}  // namespace

static_assert(MpsLineReader::kMaxLineLength <= ByteSource::kMostCarried);
static_assert(MpsLineReader::kReadablePastLine <= ByteSource::kLentPadding);

MpsLineReader::MpsLineReader(const std::string& path) : m_path(path) {
    try {
        m_source = openByteSource(path);
    } catch (const ByteSourceError& error) {
        throwFileError(m_path, error.what());
    }
    m_lending = m_source->lends();
    // A lending source's buffers serve instead; this one stays empty. Left uncleared: a small
    // file touches only the pages it fills, and clearing a megabyte of fresh pages was most of
    // the time to open one.
    m_buffer.reset(new char[m_lending ? kReadablePastLine : kBufferSize + kReadablePastLine]);
    m_position = m_end = m_window = m_buffer.get();
    std::memset(m_buffer.get(), 0, kReadablePastLine);
}

void MpsLineReader::throwReadError(const ByteSourceError& error) const {
    throwFileError(
        m_path, std::string(error.what()) + " (after line " + std::to_string(m_lineNumber) + ")");
}

void MpsLineReader::checkRest() {
    try {
        m_source->checkRest();
    } catch (const ByteSourceError& error) {
        throwReadError(error);
    }
}

bool MpsLineReader::refill() {
    const auto remainder = static_cast<std::size_t>(m_end - m_position);
    if (remainder > kMaxLineLength)
        throwContentError(m_path, m_lineNumber + 1, "line longer than 65536 characters",
                          {m_position, remainder}, true);
    std::size_t got = 0;
    try {
        if (m_lending) {
            const LentBytes lent = m_source->lend({m_position, remainder});
            if (lent.size == 0) return false;  // the last view stays valid
            got = lent.size - remainder;
            m_position = lent.data;
            m_end = lent.data + lent.size;
        } else {
            std::memmove(m_buffer.get(), m_position, remainder);
            got = m_source->read(m_buffer.get() + remainder, kBufferSize - remainder);
            m_position = m_buffer.get();
            m_end = m_position + remainder + got;
            // Read by word loads past the last line.
            std::memset(m_buffer.get() + remainder + got, 0, kReadablePastLine);
        }
    } catch (const ByteSourceError& error) {
        throwReadError(error);
    }
    m_suspect = hasSuspectBytes(m_position, m_end);
    startWindowAtPosition();
    return got > 0;
}

bool MpsLineReader::nextAfterRefill(std::string_view& line) {
    while (refill()) {
        if (std::memchr(m_position, '\n', m_end - m_position) != nullptr) return next(line);
    }
    if (m_position == m_end) return false;
    // The last line has no line end.
    line = {m_position, static_cast<std::size_t>(m_end - m_position)};
    m_position = m_end;
    ++m_lineNumber;
    checkLine(line);
    return true;
}

void MpsLineReader::checkLine(std::string_view& line) const {
    if (line.size() > kMaxLineLength)
        throwContentError(m_path, m_lineNumber, "line longer than 65536 characters", line, true);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    for (const char c : line) {
        if (isBadByte(c))
            throwContentError(m_path, m_lineNumber, "binary data (control byte) in MPS text", line,
                              true);
    }
}

}  // namespace orbxmps
