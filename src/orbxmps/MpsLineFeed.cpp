#include "MpsLineFeed.h"

#include <atomic>

#include "ParallelWork.h"
#include "ReadProgress.h"

namespace orbxmps {

namespace {

constexpr int kBlocksInFlight = 4;

std::atomic<ValueParsing>& valueParsing() {
    static std::atomic<ValueParsing> parsing{ValueParsing::kBalanced};
    return parsing;
}

}  // namespace

void setValueParsing(ValueParsing parsing) { valueParsing().store(parsing); }

MpsLineFeed::MpsLineFeed(const std::string& path, MpsFormat format)
    : m_filler(path, format), m_source(m_filler.source()), m_threaded(parallelWorkAllowed()) {
    const int count = m_threaded ? kBlocksInFlight : 1;
    for (int i = 0; i < count; ++i) m_blocks.push_back(std::make_unique<MpsLineBlock>());
    // An empty, unfinished block to start from: the first next() asks for a filled one.
    m_current = m_blocks[0].get();
    if (!m_threaded) return;
    m_filled.reserve(count);
    m_free.reserve(count);
    for (int i = 1; i < count; ++i) m_free.push_back(m_blocks[i].get());
    m_thread = std::thread([this] { fillAhead(); });
}

MpsLineFeed::~MpsLineFeed() { stopThread(); }

void MpsLineFeed::stopThread() {
    if (!m_thread.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void MpsLineFeed::fillAhead() {
    const ValueParsing parsing = valueParsing().load();
    for (;;) {
        MpsLineBlock* block = nullptr;
        bool parseValues = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || !m_free.empty(); });
            if (m_stop) return;
            block = m_free.back();
            m_free.pop_back();
            // Two filled blocks waiting mean the parser is the slower: this thread takes the
            // values' parsing off it. With one or none waiting the two keep pace, or this one
            // is the slower, and the parser keeps them.
            parseValues = m_filled.size() >= 2;
            if (parsing != ValueParsing::kBalanced)
                parseValues = parsing == ValueParsing::kOnFeedThread;
        }
        m_filler.fill(*block, parseValues);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_filled.push_back(block);
        }
        m_changed.notify_all();
        if (block->endOfFile) return;
    }
}

const MpsLineRecord* MpsLineFeed::nextBlock() {
    checkReadProgress();
    for (;;) {
        if (m_current->error) std::rethrow_exception(m_current->error);
        if (m_current->endOfFile) return nullptr;
        if (!m_threaded) {
            m_filler.fill(*m_current);
        } else {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_free.push_back(m_current);
            m_changed.notify_all();
            // Rather than wait, read the file ahead for the filling thread while it can be.
            while (m_filled.empty()) {
                lock.unlock();
                const bool readAhead = m_source.readAhead();
                lock.lock();
                if (!readAhead) m_changed.wait(lock, [this] { return !m_filled.empty(); });
            }
            m_current = m_filled.front();
            m_filled.erase(m_filled.begin());
        }
        m_next = 0;
        if (!m_current->records.empty()) return &m_current->records[m_next++];
    }
}

void MpsLineFeed::checkRest() {
    stopThread();
    m_filler.checkRest();
}

}  // namespace orbxmps
