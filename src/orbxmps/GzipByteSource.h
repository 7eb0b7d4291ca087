#pragma once

#include <zlib.h>

#include "InflatingByteSource.h"

namespace orbxmps {

// Inflates a gzip file with zlib while reading it.
class GzipByteSource final : public InflatingByteSource {
public:
    GzipByteSource(FileDescriptor file, std::string_view head);
    ~GzipByteSource() override;

private:
    unsigned char*& nextIn() override { return m_stream.next_in; }
    std::uint32_t& availableIn() override { return m_stream.avail_in; }
    void setOutput(unsigned char* destination, std::uint32_t capacity) override;
    std::uint32_t outputLeft() const override { return m_stream.avail_out; }
    Step inflateSome() override;
    void restartMember() override;

    z_stream m_stream{};
};

}  // namespace orbxmps
