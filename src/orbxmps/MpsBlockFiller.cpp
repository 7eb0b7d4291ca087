#include "MpsBlockFiller.h"

#include <algorithm>
#include <cstring>

#include "MpsError.h"
#include "MpsNumber.h"
#include "NameTable.h"

namespace orbxmps {

namespace {

std::string_view headerKeyword(std::string_view line) {
    return line.substr(0, line.find_first_of(" \t"));
}

bool isSignificant(std::string_view line) {
    if (line.empty() || line[0] == '*') return false;
    // A loop, not find_first_not_of, which looks each leading blank up in the set by a call.
    for (const char c : line)
        if (c != ' ' && c != '\t') return true;
    return false;
}

}  // namespace

MpsBlockFiller::MpsBlockFiller(const std::string& path, MpsFormat format)
    : m_reader(path), m_format(format) {}

void MpsBlockFiller::fill(MpsLineBlock& block, bool parseValues) {
    block.reset();
    m_parseValues = parseValues;
    if (m_ended) {
        block.endOfFile = true;
        return;
    }
    try {
        fillLines(block);
    } catch (...) {
        block.error = std::current_exception();
        block.endOfFile = true;
    }
    m_ended = block.endOfFile;
}

void MpsBlockFiller::fillLines(MpsLineBlock& block) {
    if (m_havePending) {
        m_havePending = false;
        add(block, m_pending, m_pendingNumber);  // fits: an empty block holds any line
    }
    std::string_view line;
    while (!block.endOfFile) {
        if (!m_reader.next(line)) {
            // The reader leaves its buffer alone at the end, so the last view still holds.
            block.finalLine.assign(m_lastLine);
            block.finalLineNumber = m_reader.lineNumber();
            block.endOfFile = true;
            return;
        }
        m_lastLine = line;
        if (!isSignificant(line)) continue;
        if (!add(block, line, m_reader.lineNumber())) {
            // The reader keeps the line's view valid until its next call.
            m_havePending = true;
            m_pending = line;
            m_pendingNumber = m_reader.lineNumber();
            return;
        }
    }
}

void MpsBlockFiller::checkRest() {
    constexpr std::uint64_t kMostBytesAfterEnd = 1 << 20;
    std::uint64_t bytes = 0;
    std::string_view line;
    while (m_reader.next(line)) {
        if (isSignificant(line))
            throwContentError(m_reader.path(), m_reader.lineNumber(), "text after ENDATA", line, true);
        bytes += line.size() + 1;
        if (bytes > kMostBytesAfterEnd)
            throwContentError(m_reader.path(), m_reader.lineNumber(),
                              "more than 1 MiB of blank lines after ENDATA", line, true);
    }
    m_reader.checkRest();
}

bool MpsBlockFiller::add(MpsLineBlock& block, std::string_view line, std::uint64_t number) {
    if (block.textUsed + line.size() > MpsLineBlock::kTextCapacity ||
        block.records.size() == MpsLineBlock::kRecordCapacity)
        return false;
    char* text = block.text.get() + block.textUsed;
    std::memcpy(text, line.data(), line.size());
    // Names are read two words at a time, past the last line too (the padding covers the end).
    static_assert(MpsLineBlock::kPadding >= 16);
    std::memset(text + line.size(), 0, 16);
    block.textUsed += line.size();
    PodVector<MpsLineRecord>& records = block.records;
    // Grown by doubling, kept from block to block.
    if ((records.size() + 1) * sizeof(MpsLineRecord) > records.capacityBytes())
        records.reserve(std::min(std::max<std::size_t>(1024, records.size() * 2),
                                 MpsLineBlock::kRecordCapacity));
    // Not zeroed: of the hashes, values and fields only those that its flags name are read.
    MpsLineRecord& record = *records.appendUninitialised(1);
    record.text = {text, line.size()};
    record.number = number;
    record.codeField = false;
    record.columnsLine = false;
    record.rowsLine = false;
    record.valueParsed[0] = record.valueParsed[1] = false;
    if (line[0] != ' ' && line[0] != '\t') {
        record.kind = MpsLineKind::kHeader;
        const std::string_view keyword = headerKeyword(line);
        m_inColumns = keyword == "COLUMNS";
        m_inRows = keyword == "ROWS";
        m_codeField = m_inRows || keyword == "BOUNDS";
        block.endOfFile = keyword == "ENDATA";
        return true;
    }
    record.kind = MpsLineKind::kData;
    record.codeField = m_codeField;
    // The work reads the line where the reader holds it, not the copy just written: word
    // loads over a fresh copy would wait for its stores.
    static_assert(MpsLineReader::kReadablePastLine >= 64);
    static_assert(MpsLineReader::kMaxLineLength <= MpsLineBlock::kTextCapacity);
    // The fields are read back from the spans: as views, written a moment before, their
    // loads waited for stores that could not be forwarded.
    MpsFieldSpans& spans = record.spans;
    if (m_format != MpsFormat::kFree || !spans.splitShortFree(line)) {
        // A scratch kept from line to line: only the first count fields are this line's.
        splitMpsFields(line, m_format, m_codeField, m_fields, true);
        spans.assign(m_fields, line);
    }
    const auto field = [&](int i) { return spans.field(line, i); };
    if (m_inColumns) {
        record.columnsLine = true;
        record.hash[0] = NameTable::hash(field(0));
        for (int k = 0; k < 2; ++k) {
            if (spans.count < 3 + 2 * k) continue;
            record.hash[1 + k] = NameTable::hash(field(1 + 2 * k));
            if (!m_parseValues) continue;
            double& value = record.value[k];
            record.valueParsed[k] =
                parsePaddedMpsNumber(field(2 + 2 * k), value) && fitsModelFloat(value);
        }
    }
    if (m_inRows && spans.count == 2) {
        record.rowsLine = true;
        record.hash[1] = NameTable::hash(field(1));
    }
    return true;
}

}  // namespace orbxmps
