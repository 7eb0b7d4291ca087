#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "LeasedFileMapping.h"
#include "OrbChecksum.h"
#include "PageWarmer.h"
#include "PodVector.h"

namespace orbxmps::orb {

// An ORB file opened for reading: the raw header, then the payload through a buffer that never
// hands out a byte past the payload's end, keeping account of the payload's CRC-32. Open and
// read failures throw ORB_ExcpFileError; a file that ends early throws the truncation message.
class OrbInput {
public:
    explicit OrbInput(const std::string& path);
    ~OrbInput();
    OrbInput(const OrbInput&) = delete;
    OrbInput& operator=(const OrbInput&) = delete;

    const std::string& path() const { return m_path; }
    std::uint64_t fileSize() const { return m_fileSize; }

    // Reads up to size bytes from the start of the file; returns how many there were.
    std::size_t readHeader(unsigned char* header, std::size_t size);

    // Starts handing out the size payload bytes that follow the header.
    void beginPayload(std::uint64_t size, std::uint32_t expectedChecksum);
    std::uint64_t remaining() const { return m_payloadSize - m_consumed; }
    std::uint64_t consumed() const { return m_consumed; }

    // The caller has checked that n does not exceed remaining().
    void read(void* out, std::size_t n);
    void skip(std::uint64_t n);
    // Replaces out with the next bytes of the payload, bytes being a multiple of sizeof(T).
    // Section data starts 8-aligned in the payload and every refill ends 8-aligned, so the
    // items handed out are aligned; an item split by a refill (a 24-byte one) is copied alone.
    // The array grows with what was read, never by the length alone: a sparse file or a lying
    // length could otherwise reserve far more than the file can fill. When the file is mapped,
    // a large array is the mapping's bytes themselves, shared with the mapping.
    template <typename T>
    void readArray(PodVector<T>& out, std::uint64_t bytes) {
        out.clear();
        if (bytes >= kMappedFrom) {
            if (unsigned char* mapped = takeMapped(bytes, alignof(T))) {
                out.adoptShared(m_mapping, reinterpret_cast<T*>(mapped),
                                static_cast<std::size_t>(bytes / sizeof(T)));
                m_checksum.addLater(mapped, bytes);
                return;
            }
        }
        const auto total = static_cast<std::size_t>(bytes / sizeof(T));
        std::size_t reserved = 0;
        // Faults in the pages ahead of direct reads on another core, so the kernel's clearing
        // of fresh pages is not all on this one.
        PageWarmer warmer;
        const auto makeRoom = [&](std::size_t more) {
            if (out.size() + more <= reserved) return;
            warmer.stop();  // before the array may move
            reserved = std::min(total, std::max({out.size() + more, 2 * reserved,
                                                 kFirstReservation / sizeof(T)}));
            out.reserve(reserved);
        };
        while (bytes > 0) {
            if (m_begin == m_end && bytes >= kDirectFrom) {
                // Whole items straight from the file into the array: the buffer would only
                // add a copy of every byte.
                const std::uint64_t piece = std::min<std::uint64_t>(bytes, kDirectPiece);
                const auto items = static_cast<std::size_t>(piece / sizeof(T));
                makeRoom(items);
                if (!warmer.running()) warmer.start({{out.data(), reserved, sizeof(T)}});
                readDirect(out.appendUninitialised(items), items * sizeof(T));
                bytes -= items * sizeof(T);
                warmer.reached(out.size());
                continue;
            }
            if (m_begin == m_end) fill();
            std::uint64_t ready = m_end - m_begin;
            if (ready > bytes) ready = bytes;
            const std::size_t items = static_cast<std::size_t>(ready / sizeof(T));
            if (items == 0) {
                T item;
                copy(&item, sizeof(T));
                makeRoom(1);
                out.push_back(item);
                bytes -= sizeof(T);
                continue;
            }
            makeRoom(items);
            out.append(reinterpret_cast<const T*>(m_window + m_begin), items);
            m_begin += items * sizeof(T);
            m_consumed += items * sizeof(T);
            bytes -= items * sizeof(T);
        }
        warmer.stop();
        // Summed once the array stopped moving, as one piece in file order.
        m_checksum.addLater(out.data(), out.size() * sizeof(T));
    }

    // Starts summing what was read into arrays, which must stay put until payloadMatches().
    // Nothing more may be read after it.
    void startChecksum() { m_checksum.start(); }
    // Whether the payload's CRC matches the header's. When the payload was not read to its end
    // (its structure failed first), it is read again on its own for this.
    bool payloadMatches();

private:
    // What a growing array first reserves, before doubling.
    static constexpr std::size_t kFirstReservation = 64 << 20;

    // Arrays this large, or what is left of them, bypass the buffer, in pieces so that
    // progress is reported and the array grows only with what was read.
    static constexpr std::uint64_t kDirectFrom = 1 << 20;
    // Arrays this large are taken from the mapping, when there is one: a copy would cost more
    // than the page table entries for them.
    static constexpr std::uint64_t kMappedFrom = 64 << 10;
    static constexpr std::uint64_t kDirectPiece = 1 << 20;

    // Where the next bytes of the payload lie in the mapping, which they are then taken from;
    // null when there is no mapping or they would not be aligned.
    unsigned char* takeMapped(std::uint64_t bytes, std::size_t alignment);
    void fill();
    // Reads the next n payload bytes into out, the buffer being empty.
    void readDirect(void* out, std::size_t n);
    // read() without the checksum, for bytes that are summed later.
    void copy(void* out, std::size_t n);
    std::size_t readFully(unsigned char* out, std::size_t n, std::uint64_t offset);
    bool rereadPayloadMatches();

    std::string m_path;
    int m_fd = -1;
    std::uint64_t m_fileSize = 0;
    std::uint64_t m_payloadSize = 0;
    std::uint64_t m_consumed = 0;  // payload bytes handed out
    std::uint64_t m_loaded = 0;    // payload bytes read into the buffer so far
    std::uint32_t m_expectedChecksum = 0;
    PayloadChecksum m_checksum;
    std::unique_ptr<unsigned char[]> m_buffer;
    // Where the bytes from m_begin to m_end lie: the buffer, or the mapping when there is one.
    const unsigned char* m_window = nullptr;
    // The file mapped, when that is safe: big arrays are then used where they lie.
    std::shared_ptr<LeasedFileMapping> m_mapping;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
};

}  // namespace orbxmps::orb
