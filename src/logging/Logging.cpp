#include "Logging.h"

#include <algorithm>
#include <ctime>

namespace {

std::string localTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return {};
    char text[128];
    const std::size_t length = std::strftime(text, sizeof(text), "%c", &local);
    return std::string(text, length);
}

}  // namespace

Logging::~Logging() { Close(); }

void Logging::SetFolder(const std::string& folder) {
    m_folder = folder;
    if (m_folder.empty() || m_folder.back() != '/') m_folder += '/';
}

void Logging::open() {
    m_stream.open(filePath(), std::ios::out | std::ios::app);
    // Open even when the file could not be: the failed stream drops lines until Close.
    m_open = 1;
}

void Logging::Write(const std::string& text) {
    if (!m_enabled) return;
    if (m_open == 0 && !m_folder.empty() && !m_fileName.empty()) open();
    if (m_open != 1) return;
    m_pending += localTimeStamp();
    m_pending += "   ";
    m_pending += text;
    m_unflushed +=
        static_cast<std::int32_t>(std::min<std::size_t>(text.size(), kFlushThreshold + 1));
    if (m_unflushed > kFlushThreshold) {
        flush();
        m_unflushed = 0;
    }
}

void Logging::flush() {
    m_stream << m_pending;
    m_stream.flush();
    m_pending.clear();
}

void Logging::Close() {
    if (m_open == 0) return;
    flush();
    m_stream.close();
    m_stream.clear();
    m_open = 0;
    // A reopened file starts with an empty buffer, so its count starts again too.
    m_unflushed = 0;
}
