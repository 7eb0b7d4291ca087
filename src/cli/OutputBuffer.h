#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

// Collects output in one large block and hands it to the stream in few writes, so that a dump
// of millions of lines costs little more than formatting them.
class OutputBuffer {
public:
    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 20;

    explicit OutputBuffer(std::FILE* out, std::size_t capacity = kDefaultCapacity);
    ~OutputBuffer();
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void write(std::string_view text);
    void put(char c);
    // A stored 32-bit value as "%.9g" prints it, whatever the process locale; -0 as 0.
    void writeFloat(float value);
    void writeInteger(long long value);
    // Writes out what is held. False once any write to the stream failed.
    bool flush();

private:
    void makeRoom(std::size_t bytes);

    std::FILE* m_out;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity;
    std::size_t m_used = 0;
    bool m_failed = false;
};
