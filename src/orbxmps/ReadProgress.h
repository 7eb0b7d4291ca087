#pragma once

#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orbxmps {

// A read given up because its watcher asked to stop; the library releases what it built.
class ReadCancelled : public std::runtime_error {
public:
    ReadCancelled() : std::runtime_error("reading cancelled") {}
};

// Watches the reading of matrix files: the readers count the bytes they take from the file
// (on whichever thread reads them) and name the section they enter, and between blocks of
// input ask, on the thread that called the library, whether to go on. A desktop program
// keeps its window alive from proceed().
class ReadProgress {
public:
    virtual ~ReadProgress() = default;
    // False stops the read with ReadCancelled.
    virtual bool proceed() = 0;

    std::uint64_t bytesRead() const { return m_bytes.load(std::memory_order_relaxed); }
    // Set and read on the calling thread only.
    const std::string& section() const { return m_section; }

    void countBytes(std::uint64_t bytes) { m_bytes.fetch_add(bytes, std::memory_order_relaxed); }
    void enterSection(std::string_view name) { m_section.assign(name); }

private:
    std::atomic<std::uint64_t> m_bytes{0};
    std::string m_section;
};

// The watcher of the reads of this process; null (the default) for none. The caller keeps it
// alive until it sets another.
void setReadProgress(ReadProgress* progress);

// The readers' hooks; each does nothing without a watcher.
void countReadBytes(std::uint64_t bytes);        // any thread
void noteReadSection(std::string_view section);  // calling thread
void checkReadProgress();                        // calling thread; throws ReadCancelled

}  // namespace orbxmps
