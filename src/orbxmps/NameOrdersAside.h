#pragma once

#include <atomic>
#include <future>

#include "MatrixStore.h"

namespace orbxmps {

// Sorts the row and the column names' orders on a thread of their own while the sections after
// COLUMNS are read. The reader, once done, takes whichever sort has not begun rather than wait
// for it: the second core would otherwise idle while one thread sorts both. The orders are the
// same whichever thread sorts them.
class NameOrdersAside {
public:
    NameOrdersAside() = default;
    NameOrdersAside(const NameOrdersAside&) = delete;
    NameOrdersAside& operator=(const NameOrdersAside&) = delete;
    // Waits for the thread: it reads the store.
    ~NameOrdersAside();

    // No sorting starts where parallel work is barred or no thread can be had: the model
    // sorts the orders when it needs them.
    void start(MatrixStore& store);
    // Sorts what the thread has not begun, waits for the rest and rethrows what it threw.
    void finish();

private:
    enum Sort { kRows, kColumns, kSortCount };
    void sortUnclaimed();

    MatrixStore* m_store = nullptr;
    std::atomic<bool> m_claimed[kSortCount] = {false, false};
    std::future<void> m_thread;
};

}  // namespace orbxmps
