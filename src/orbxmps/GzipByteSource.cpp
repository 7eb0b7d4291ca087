#include "GzipByteSource.h"

#include <new>

namespace orbxmps {

namespace {

constexpr int kGzipWindow = 15 + 16;  // gzip wrapper only

}  // namespace

GzipByteSource::GzipByteSource(FileDescriptor file, std::string_view head)
    : InflatingByteSource(std::move(file), head) {
    m_stream.next_in = inputStart();
    m_stream.avail_in = static_cast<uInt>(head.size());
    const int rc = inflateInit2(&m_stream, kGzipWindow);
    if (rc == Z_MEM_ERROR) throw std::bad_alloc();
    if (rc != Z_OK) throw ByteSourceError("cannot read: gzip decoder failed to start");
}

GzipByteSource::~GzipByteSource() { inflateEnd(&m_stream); }

void GzipByteSource::setOutput(unsigned char* destination, std::uint32_t capacity) {
    m_stream.next_out = destination;
    m_stream.avail_out = capacity;
}

InflatingByteSource::Step GzipByteSource::inflateSome() {
    const int rc = inflate(&m_stream, Z_NO_FLUSH);
    if (rc == Z_STREAM_END) return {true, nullptr};
    if (rc == Z_MEM_ERROR) throw std::bad_alloc();
    if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_STREAM_ERROR)
        return {false, m_stream.msg != nullptr ? m_stream.msg : "invalid data"};
    // Z_BUF_ERROR means no progress without more input, which the caller provides.
    return {};
}

void GzipByteSource::restartMember() {
    if (inflateReset(&m_stream) != Z_OK)
        throw ByteSourceError("damaged gzip stream: cannot restart the decoder");
}

}  // namespace orbxmps
