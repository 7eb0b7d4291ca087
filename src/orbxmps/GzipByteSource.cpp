#include "GzipByteSource.h"

#include <cstring>
#include <new>
#include <string>

namespace orbxmps {

namespace {

constexpr std::size_t kInputSize = 256 * 1024;
constexpr int kGzipWindow = 15 + 16;          // gzip wrapper only
constexpr std::size_t kMaxOutput = 1u << 30;  // fits zlib's 32-bit counters

}  // namespace

GzipByteSource::GzipByteSource(FileDescriptor file, std::string_view head)
    : m_file(std::move(file)), m_input(new unsigned char[kInputSize]) {
    std::memcpy(m_input.get(), head.data(), head.size());
    m_stream.next_in = m_input.get();
    m_stream.avail_in = static_cast<uInt>(head.size());
    const int rc = inflateInit2(&m_stream, kGzipWindow);
    if (rc == Z_MEM_ERROR) throw std::bad_alloc();
    if (rc != Z_OK) throw ByteSourceError("cannot read: gzip decoder failed to start");
}

GzipByteSource::~GzipByteSource() { inflateEnd(&m_stream); }

bool GzipByteSource::refillInput() {
    if (m_fileEnded) return false;
    if (m_stream.avail_in > 0) std::memmove(m_input.get(), m_stream.next_in, m_stream.avail_in);
    m_stream.next_in = m_input.get();
    const std::size_t got = m_file.readFully(
        reinterpret_cast<char*>(m_input.get()) + m_stream.avail_in, kInputSize - m_stream.avail_in);
    if (got == 0) m_fileEnded = true;
    m_stream.avail_in += static_cast<uInt>(got);
    return got > 0;
}

bool GzipByteSource::startNextMember() {
    while (m_stream.avail_in < 2 && refillInput()) {
    }
    if (m_stream.avail_in == 0) return false;
    if (m_stream.avail_in < 2 || m_stream.next_in[0] != 0x1F || m_stream.next_in[1] != 0x8B)
        throw ByteSourceError("damaged gzip stream: unexpected bytes after its end");
    if (inflateReset(&m_stream) != Z_OK)
        throw ByteSourceError("damaged gzip stream: cannot restart the decoder");
    return true;
}

std::size_t GzipByteSource::read(char* destination, std::size_t capacity) {
    if (!m_damage.empty()) throw ByteSourceError(m_damage);
    if (capacity > kMaxOutput) capacity = kMaxOutput;
    m_stream.next_out = reinterpret_cast<unsigned char*>(destination);
    m_stream.avail_out = static_cast<uInt>(capacity);
    try {
        m_damage = inflateInto();
    } catch (const ByteSourceError& error) {
        m_damage = error.what();
    }
    const std::size_t produced = capacity - m_stream.avail_out;
    // What inflated before the damage is handed out first, so that the reader gets as far
    // into the file as it can and names the line it reached.
    if (!m_damage.empty() && produced == 0) throw ByteSourceError(m_damage);
    return produced;
}

std::string GzipByteSource::inflateInto() {
    while (!m_finished && m_stream.avail_out > 0) {
        if (m_stream.avail_in == 0 && !refillInput())
            return "truncated gzip stream: the file ends inside compressed data";
        const int rc = inflate(&m_stream, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) {
            m_finished = !startNextMember();
            continue;
        }
        if (rc == Z_MEM_ERROR) throw std::bad_alloc();
        if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_STREAM_ERROR) {
            const char* reason = m_stream.msg != nullptr ? m_stream.msg : "invalid data";
            return std::string("damaged gzip stream: ") + reason;
        }
        // Z_BUF_ERROR means no progress without more input, which the loop's top provides.
    }
    return {};
}

}  // namespace orbxmps

namespace orbxmps {

void GzipByteSource::checkRest() {
    const auto scratch = std::make_unique<char[]>(kInputSize);
    while (read(scratch.get(), kInputSize) > 0) {
    }
}

}  // namespace orbxmps
