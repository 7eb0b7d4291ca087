#pragma once

#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

namespace orbxmps::orb {

// The CRC-32 of a payload taken in pieces, in file order. Small pieces are summed as they come;
// large ones, already copied into the store's arrays, are summed on a second thread while the
// loader checks and indexes the store, and all pieces are combined in order at the end.
class PayloadChecksum {
public:
    PayloadChecksum() = default;
    ~PayloadChecksum();
    PayloadChecksum(const PayloadChecksum&) = delete;
    PayloadChecksum& operator=(const PayloadChecksum&) = delete;

    void addNow(const void* data, std::size_t n);
    // data must stay where it is, unchanged, until result() returns.
    void addLater(const void* data, std::size_t n);
    // Starts summing the later pieces, on a second thread when they are large.
    void start();
    // Waits for the sum of every piece added.
    std::uint32_t result();

private:
    struct Piece {
        const unsigned char* data;  // null once summed
        std::uint64_t length;
        std::uint32_t crc;
    };
    void sumLaterPieces();

    std::vector<Piece> m_pieces;
    std::thread m_worker;
};

}  // namespace orbxmps::orb
