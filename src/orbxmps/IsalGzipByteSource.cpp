#include "IsalGzipByteSource.h"

#include <cstring>
#include <string>

namespace orbxmps {

namespace {

constexpr std::size_t kInputSize = 256 * 1024;
constexpr std::size_t kMaxOutput = 1u << 30;  // fits the decoder's 32-bit counters

// zlib's words for the same faults, so that either decoder reports a file alike.
const char* reasonOf(int rc) {
    switch (rc) {
        case ISAL_INCORRECT_CHECKSUM:
            return "incorrect data check";
        case ISAL_INVALID_WRAPPER:
        case ISAL_UNSUPPORTED_METHOD:
            return "incorrect header check";
        default:
            return "invalid data";
    }
}

}  // namespace

IsalGzipByteSource::IsalGzipByteSource(FileDescriptor file, std::string_view head)
    : m_file(std::move(file)),
      m_state(std::make_unique<inflate_state>()),
      m_input(new unsigned char[kInputSize]) {
    std::memcpy(m_input.get(), head.data(), head.size());
    isal_inflate_init(m_state.get());
    m_state->crc_flag = ISAL_GZIP;
    m_state->next_in = m_input.get();
    m_state->avail_in = static_cast<std::uint32_t>(head.size());
}

bool IsalGzipByteSource::refillInput() {
    if (m_fileEnded) return false;
    inflate_state& s = *m_state;
    if (s.avail_in > 0) std::memmove(m_input.get(), s.next_in, s.avail_in);
    s.next_in = m_input.get();
    const std::size_t got = m_file.readFully(reinterpret_cast<char*>(m_input.get()) + s.avail_in,
                                             kInputSize - s.avail_in);
    if (got == 0) m_fileEnded = true;
    s.avail_in += static_cast<std::uint32_t>(got);
    return got > 0;
}

bool IsalGzipByteSource::startNextMember() {
    inflate_state& s = *m_state;
    while (s.avail_in < 2 && refillInput()) {
    }
    if (s.avail_in == 0) return false;
    if (s.avail_in < 2 || s.next_in[0] != 0x1F || s.next_in[1] != 0x8B)
        throw ByteSourceError("damaged gzip stream: unexpected bytes after its end");
    unsigned char* const nextIn = s.next_in;
    const std::uint32_t availIn = s.avail_in;
    isal_inflate_reset(&s);
    s.crc_flag = ISAL_GZIP;
    s.next_in = nextIn;
    s.avail_in = availIn;
    return true;
}

std::size_t IsalGzipByteSource::read(char* destination, std::size_t capacity) {
    if (!m_damage.empty()) throw ByteSourceError(m_damage);
    if (capacity > kMaxOutput) capacity = kMaxOutput;
    m_state->next_out = reinterpret_cast<unsigned char*>(destination);
    m_state->avail_out = static_cast<std::uint32_t>(capacity);
    try {
        m_damage = inflateInto();
    } catch (const ByteSourceError& error) {
        m_damage = error.what();
    }
    const std::size_t produced = capacity - m_state->avail_out;
    // As with zlib: what inflated before the damage is handed out first.
    if (!m_damage.empty() && produced == 0) throw ByteSourceError(m_damage);
    return produced;
}

std::string IsalGzipByteSource::inflateInto() {
    inflate_state& s = *m_state;
    while (!m_finished && s.avail_out > 0) {
        if (s.avail_in == 0 && !refillInput())
            return "truncated gzip stream: the file ends inside compressed data";
        const int rc = isal_inflate(&s);
        if (rc < 0 || rc == ISAL_NEED_DICT)
            return std::string("damaged gzip stream: ") + reasonOf(rc);
        if (s.block_state == ISAL_BLOCK_FINISH) m_finished = !startNextMember();
        // Otherwise the input ran out (refilled at the top) or the output is full.
    }
    return {};
}

void IsalGzipByteSource::checkRest() {
    const auto scratch = std::make_unique<char[]>(kInputSize);
    while (read(scratch.get(), kInputSize) > 0) {
    }
}

}  // namespace orbxmps
