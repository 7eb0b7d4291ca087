#include "OutputBuffer.h"

#include <charconv>
#include <cstring>

namespace {

// Room for the longest "%.9g" of a float or any 64-bit integer.
constexpr std::size_t kNumberRoom = 32;
constexpr int kFloatDigits = 9;

}  // namespace

OutputBuffer::OutputBuffer(std::FILE* out, std::size_t capacity)
    : m_out(out),
      m_buffer(new char[capacity < kNumberRoom ? kNumberRoom : capacity]),
      m_capacity(capacity < kNumberRoom ? kNumberRoom : capacity) {}

OutputBuffer::~OutputBuffer() { flush(); }

void OutputBuffer::makeRoom(std::size_t bytes) {
    if (m_capacity - m_used < bytes) flush();
}

void OutputBuffer::write(std::string_view text) {
    makeRoom(text.size());
    if (text.size() > m_capacity) {
        if (std::fwrite(text.data(), 1, text.size(), m_out) != text.size()) m_failed = true;
        return;
    }
    std::memcpy(m_buffer.get() + m_used, text.data(), text.size());
    m_used += text.size();
}

void OutputBuffer::put(char c) {
    makeRoom(1);
    m_buffer[m_used++] = c;
}

// to_chars with general format and a precision is defined as printf's %.*g in the "C" locale.
void OutputBuffer::writeFloat(float value) {
    if (value == 0.0f) value = 0.0f;  // -0 is written as 0, as the views show it
    makeRoom(kNumberRoom);
    char* begin = m_buffer.get() + m_used;
    const auto result = std::to_chars(begin, begin + kNumberRoom, static_cast<double>(value),
                                      std::chars_format::general, kFloatDigits);
    m_used += static_cast<std::size_t>(result.ptr - begin);
}

void OutputBuffer::writeInteger(long long value) {
    makeRoom(kNumberRoom);
    char* begin = m_buffer.get() + m_used;
    const auto result = std::to_chars(begin, begin + kNumberRoom, value);
    m_used += static_cast<std::size_t>(result.ptr - begin);
}

bool OutputBuffer::flush() {
    if (m_used > 0 && std::fwrite(m_buffer.get(), 1, m_used, m_out) != m_used) m_failed = true;
    m_used = 0;
    if (std::fflush(m_out) != 0) m_failed = true;
    return !m_failed;
}
