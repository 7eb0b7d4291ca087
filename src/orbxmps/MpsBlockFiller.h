#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "MpsLineBlock.h"
#include "MpsLineReader.h"
#include "orbxmps.h"

namespace orbxmps {

// Fills line blocks from a file: copies the significant lines, follows the section headers
// and prepares the data lines: split (with the type field in ROWS and BOUNDS), the names of
// ROWS and COLUMNS lines hashed, the values of COLUMNS lines parsed. It stops after ENDATA,
// as the parser does. Errors of reading end a block and are stored in it, so that they
// surface after the lines read before them.
class MpsBlockFiller {
public:
    MpsBlockFiller(const std::string& path, MpsFormat format);

    // parseValues: COLUMNS values too, when the thread that stores them is the slower.
    void fill(MpsLineBlock& block, bool parseValues = false);
    // Reads what follows ENDATA: blank and comment lines only, and not much of them, so
    // that a compressed stream is inflated no further than to check its trailer. Throws
    // MpsContentError at the first other text.
    void checkRest();
    ByteSource& source() { return m_reader.source(); }

private:
    void fillLines(MpsLineBlock& block);
    // False when the line does not fit in the block.
    bool add(MpsLineBlock& block, std::string_view line, std::uint64_t number);

    MpsLineReader m_reader;
    const MpsFormat m_format;
    bool m_inColumns = false;
    bool m_inRows = false;
    bool m_codeField = false;  // in ROWS or BOUNDS
    MpsFields m_fields;        // the line being added, split
    bool m_ended = false;
    bool m_parseValues = false;
    bool m_havePending = false;  // a line read that did not fit in the last block
    std::string_view m_pending;
    std::string_view m_lastLine;
    std::uint64_t m_pendingNumber = 0;
};

}  // namespace orbxmps
