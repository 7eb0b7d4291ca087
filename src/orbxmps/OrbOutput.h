#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace orbxmps::orb {

// An ORB file being written. The bytes go to a temporary file beside the target, the payload
// through a buffer that keeps its CRC-32, the header last; commit() renames the temporary into
// place, so a write that fails part way never leaves a half file under the target's name. An
// output destroyed without commit removes its temporary. A target that exists and is not a
// regular file (a link, folder, FIFO or device) is refused, never replaced. Failures throw
// ORB_ExcpFileError.
class OrbOutput {
public:
    explicit OrbOutput(const std::string& path);
    ~OrbOutput();
    OrbOutput(const OrbOutput&) = delete;
    OrbOutput& operator=(const OrbOutput&) = delete;

    // Appends payload bytes.
    void write(const void* data, std::size_t n);
    // Writes the header, flushes the file to disk and renames it to the target.
    void commit(std::uint32_t headerFlags);

private:
    void flush();
    void writeAll(const unsigned char* data, std::size_t n);
    void checksumAndWrite(const unsigned char* data, std::size_t n);

    std::string m_path;
    std::string m_temporaryPath;
    int m_fd = -1;
    bool m_committed = false;
    std::uint64_t m_payloadSize = 0;
    std::uint32_t m_checksum = 0;
    std::unique_ptr<unsigned char[]> m_buffer;
    std::size_t m_used = 0;
};

}  // namespace orbxmps::orb
