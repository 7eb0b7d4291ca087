#include "InflatingByteSource.h"

#include <cstring>

namespace orbxmps {

namespace {

constexpr std::size_t kInputSize = 256 * 1024;
constexpr std::size_t kMaxOutput = 1u << 30;  // fits the decoders' 32-bit counters

}  // namespace

InflatingByteSource::InflatingByteSource(FileDescriptor file, std::string_view head)
    : m_file(std::move(file)), m_input(new unsigned char[kInputSize]) {
    std::memcpy(m_input.get(), head.data(), head.size());
}

bool InflatingByteSource::refillInput() {
    if (m_fileEnded) return false;
    unsigned char*& next = nextIn();
    std::uint32_t& available = availableIn();
    if (available > 0) std::memmove(m_input.get(), next, available);
    next = m_input.get();
    const std::size_t got =
        m_file.readFully(reinterpret_cast<char*>(m_input.get()) + available, kInputSize - available);
    if (got == 0) m_fileEnded = true;
    available += static_cast<std::uint32_t>(got);
    return got > 0;
}

bool InflatingByteSource::startNextMember() {
    while (availableIn() < 2 && refillInput()) {
    }
    if (availableIn() == 0) return false;
    if (availableIn() < 2 || nextIn()[0] != 0x1F || nextIn()[1] != 0x8B)
        throw ByteSourceError("damaged gzip stream: unexpected bytes after its end");
    restartMember();
    return true;
}

std::size_t InflatingByteSource::read(char* destination, std::size_t capacity) {
    if (!m_damage.empty()) throw ByteSourceError(m_damage);
    if (capacity > kMaxOutput) capacity = kMaxOutput;
    setOutput(reinterpret_cast<unsigned char*>(destination), static_cast<std::uint32_t>(capacity));
    try {
        m_damage = inflateInto();
    } catch (const ByteSourceError& error) {
        m_damage = error.what();
    }
    const std::size_t produced = capacity - outputLeft();
    // What inflated before the damage is handed out first, so that the reader gets as far
    // into the file as it can and names the line it reached.
    if (!m_damage.empty() && produced == 0) throw ByteSourceError(m_damage);
    return produced;
}

std::string InflatingByteSource::inflateInto() {
    while (!m_finished && outputLeft() > 0) {
        if (availableIn() == 0 && !refillInput())
            return "truncated gzip stream: the file ends inside compressed data";
        const Step step = inflateSome();
        if (step.damage != nullptr) return std::string("damaged gzip stream: ") + step.damage;
        if (step.memberEnded) m_finished = !startNextMember();
        // Otherwise the input ran out (refilled at the top) or the output is full.
    }
    return {};
}

void InflatingByteSource::checkRest() {
    const auto scratch = std::make_unique<char[]>(kInputSize);
    while (read(scratch.get(), kInputSize) > 0) {
    }
}

}  // namespace orbxmps
