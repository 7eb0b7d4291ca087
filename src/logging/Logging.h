#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "ILogging.h"

// The log as a file opened for appending on the first Write. A file that cannot be opened
// loses its lines silently until Close. Lines are flushed only once more than
// kFlushThreshold characters of text have been written since the last flush.
class Logging : public ILogging {
public:
    static constexpr std::int32_t kFlushThreshold = 10240;

    Logging() = default;
    ~Logging() override;
    Logging(const Logging&) = delete;
    Logging& operator=(const Logging&) = delete;

    void Enable(bool enabled) override { m_enabled = enabled; }
    void SetFileName(const std::string& name) override { m_fileName = name; }
    void SetFolder(const std::string& folder) override;
    void Write(const std::string& text) override;
    void Close() override;

    // Where the log goes once both parts are known.
    std::string filePath() const { return m_folder + m_fileName; }

private:
    void open();
    void flush();

    bool m_enabled = false;
    int m_open = 0;
    std::int32_t m_unflushed = 0;
    // Lines not yet handed to the stream: the stream's own buffer passes long texts straight
    // through, and the flush rule, not the stream, is to decide when lines reach the disk.
    std::string m_pending;
    std::ofstream m_stream;
    std::string m_fileName;
    std::string m_folder;
};
