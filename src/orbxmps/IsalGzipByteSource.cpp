#include "IsalGzipByteSource.h"

namespace orbxmps {

namespace {

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
    : InflatingByteSource(std::move(file), head), m_state(std::make_unique<inflate_state>()) {
    isal_inflate_init(m_state.get());
    m_state->crc_flag = ISAL_GZIP;
    m_state->next_in = inputStart();
    m_state->avail_in = static_cast<std::uint32_t>(head.size());
}

void IsalGzipByteSource::setOutput(unsigned char* destination, std::uint32_t capacity) {
    m_state->next_out = destination;
    m_state->avail_out = capacity;
}

InflatingByteSource::Step IsalGzipByteSource::inflateSome() {
    const int rc = isal_inflate(m_state.get());
    if (rc < 0 || rc == ISAL_NEED_DICT) return {false, reasonOf(rc)};
    return {m_state->block_state == ISAL_BLOCK_FINISH, nullptr};
}

void IsalGzipByteSource::restartMember() {
    inflate_state& s = *m_state;
    unsigned char* const nextIn = s.next_in;
    const std::uint32_t availIn = s.avail_in;
    isal_inflate_reset(&s);
    s.crc_flag = ISAL_GZIP;
    s.next_in = nextIn;
    s.avail_in = availIn;
}

}  // namespace orbxmps
