#include "NameOrdersAside.h"

#include <system_error>

#include "NameOrder.h"
#include "ParallelWork.h"

namespace orbxmps {

NameOrdersAside::~NameOrdersAside() {
    if (m_thread.valid()) m_thread.wait();
}

void NameOrdersAside::start(MatrixStore& store) {
    if (!parallelWorkAllowed()) return;
    m_store = &store;
    try {
        m_thread = std::async(std::launch::async, [this] { sortUnclaimed(); });
    } catch (const std::system_error&) {
        // No thread to be had: finish() finds none to wait for.
    }
}

void NameOrdersAside::finish() {
    if (!m_thread.valid()) return;
    sortUnclaimed();
    m_thread.get();
}

// The larger first: the thread begins it well before the reader is done, and the reader then
// takes the smaller.
void NameOrdersAside::sortUnclaimed() {
    const bool columnsFirst = m_store->columnNames.size() > m_store->rowNames.size();
    for (const Sort sort : {columnsFirst ? kColumns : kRows, columnsFirst ? kRows : kColumns}) {
        if (m_claimed[sort].exchange(true)) continue;
        if (sort == kRows)
            m_store->rowNameOrder = sortedNameOrder(m_store->rowNames);
        else
            m_store->columnNameOrder = sortedNameOrder(m_store->columnNames);
    }
}

}  // namespace orbxmps
