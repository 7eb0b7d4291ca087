#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "MpsBlockFiller.h"
#include "MpsLineBlock.h"

namespace orbxmps {

// Which thread parses the COLUMNS values. The feed balances them by how far the parser lags,
// which a test cannot steer: the other two settings pin them to one side.
enum class ValueParsing { kBalanced, kOnFeedThread, kOnParserThread };
void setValueParsing(ValueParsing parsing);

// Hands the parser the significant lines of a file, block by block. The blocks are filled on
// a second thread, a few ahead, so that splitting and number parsing overlap the building of
// the model. A gzip file is inflated by the filling thread, and ahead of it by the parser's
// thread whenever that would wait for lines: the filling is the longer of the two, and a
// third thread would take turns with it on two cores.
class MpsLineFeed {
public:
    // Throws CMF_ExcpFileError when the file cannot be opened.
    MpsLineFeed(const std::string& path, MpsFormat format);
    ~MpsLineFeed();
    MpsLineFeed(const MpsLineFeed&) = delete;
    MpsLineFeed& operator=(const MpsLineFeed&) = delete;

    // The next line, or nullptr at the end of the file. Valid while the block lasts: until
    // next() passes to another block. Throws what reading the file threw, in line order.
    const MpsLineRecord* next() {
        if (m_next < m_current->records.size()) return &m_current->records[m_next++];
        return nextBlock();
    }
    // The next line if it is in the current block, else nullptr (then call next()).
    const MpsLineRecord* nextInBlock() {
        return m_next < m_current->records.size() ? &m_current->records[m_next++] : nullptr;
    }

    // The line ahead lines after the one next() returned last, if it is in the current
    // block, else nullptr; for prefetching what that line will need.
    const MpsLineRecord* peek(std::size_t ahead) const {
        const std::size_t at = m_next - 1 + ahead;
        return at < m_current->records.size() ? &m_current->records[at] : nullptr;
    }

    // Once next() has returned nullptr: the file's last line (comment or not) and its number.
    std::string_view finalLine() const { return m_current->finalLine; }
    std::uint64_t finalLineNumber() const { return m_current->finalLineNumber; }

    // The file's bytes, for reading ahead at a place of one's own (ByteSource::readAt) only:
    // the stream is the filling thread's.
    ByteSource& source() { return m_source; }
    // See MpsLineReader::checkRest; stops the filling thread first.
    void checkRest();

private:
    const MpsLineRecord* nextBlock();
    void stopThread();
    void fillAhead();

    MpsBlockFiller m_filler;
    ByteSource& m_source;  // the filler's, which this thread may only read ahead
    MpsLineBlock* m_current;
    std::size_t m_next = 0;
    std::vector<std::unique_ptr<MpsLineBlock>> m_blocks;

    bool m_threaded;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<MpsLineBlock*> m_free;
    std::vector<MpsLineBlock*> m_filled;  // oldest first; reserved, so no allocation on the thread
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace orbxmps
