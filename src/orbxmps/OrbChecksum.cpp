#include "OrbChecksum.h"

#include <zlib.h>
#ifdef NORVA_HAVE_ISAL
#include <isa-l/crc.h>
#endif

#include <system_error>

#include "ParallelWork.h"

namespace orbxmps::orb {

namespace {

// Below this a thread costs more than it saves.
constexpr std::uint64_t kThreadThreshold = 1 << 20;

// ISA-L's CRC-32 is zlib's, several times faster.
std::uint32_t crcOf(const unsigned char* data, std::uint64_t length, std::uint32_t crc = 0) {
#ifdef NORVA_HAVE_ISAL
    while (length > 0) {
        const std::uint64_t piece = length < (1u << 30) ? length : (1u << 30);
        crc = crc32_gzip_refl(crc, data, piece);
        data += piece;
        length -= piece;
    }
    return crc;
#else
    return static_cast<std::uint32_t>(crc32_z(crc, data, static_cast<z_size_t>(length)));
#endif
}

}  // namespace

PayloadChecksum::~PayloadChecksum() {
    if (m_worker.joinable()) m_worker.join();
}

void PayloadChecksum::addNow(const void* data, std::size_t n) {
    if (n == 0) return;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (!m_pieces.empty() && m_pieces.back().data == nullptr) {
        Piece& last = m_pieces.back();
        last.crc = crcOf(bytes, n, last.crc);
        last.length += n;
        return;
    }
    m_pieces.push_back({nullptr, n, crcOf(bytes, n)});
}

void PayloadChecksum::addLater(const void* data, std::size_t n) {
    if (n == 0) return;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (!m_pieces.empty() && m_pieces.back().data != nullptr &&
        m_pieces.back().data + m_pieces.back().length == bytes) {
        m_pieces.back().length += n;
        return;
    }
    m_pieces.push_back({bytes, n, 0});
}

void PayloadChecksum::sumLaterPieces() {
    for (Piece& piece : m_pieces) {
        if (piece.data == nullptr) continue;
        piece.crc = crcOf(piece.data, piece.length);
        piece.data = nullptr;
    }
}

void PayloadChecksum::start() {
    std::uint64_t later = 0;
    for (const Piece& piece : m_pieces) later += piece.data != nullptr ? piece.length : 0;
    if (later < kThreadThreshold || m_worker.joinable() || !parallelWorkAllowed()) return;
    try {
        m_worker = std::thread([this] { sumLaterPieces(); });
    } catch (const std::system_error&) {
        // No thread to be had: result() sums them on this one.
    }
}

std::uint32_t PayloadChecksum::result() {
    if (m_worker.joinable()) m_worker.join();
    sumLaterPieces();
    std::uint32_t crc = 0;
    for (const Piece& piece : m_pieces)
        crc = static_cast<std::uint32_t>(
            crc32_combine(crc, piece.crc, static_cast<z_off_t>(piece.length)));
    return crc;
}

}  // namespace orbxmps::orb
