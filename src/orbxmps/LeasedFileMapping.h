#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace orbxmps {

// A file's bytes mapped copy-on-write, so that big arrays are used where the page cache holds
// them instead of being copied into fresh memory, which the kernel must clear first.
//
// A mapped file that another program cuts short kills the process on the next read, and one
// rewritten in place changes what the arrays hold. So the mapping is made only under a read
// lease: before another program may open the file for writing or truncate it, the kernel
// signals us and makes it wait; the mapped bytes are then moved into memory of our own, at the
// same addresses, and the lease let go. Where no lease can be had (another owner's file, a
// network file system, the file open for writing elsewhere), there is no mapping.
class LeasedFileMapping {
public:
    // The whole file open on fd, expected to hold size bytes, or null when it cannot be mapped
    // safely. fd stays the caller's; the mapping keeps a descriptor of its own.
    static std::shared_ptr<LeasedFileMapping> map(int fd, std::uint64_t size);

    ~LeasedFileMapping();
    LeasedFileMapping(const LeasedFileMapping&) = delete;
    LeasedFileMapping& operator=(const LeasedFileMapping&) = delete;

    unsigned char* data() const { return m_data; }

private:
    LeasedFileMapping(int slot, unsigned char* data, std::size_t size)
        : m_slot(slot), m_data(data), m_size(size) {}

    int m_slot;
    unsigned char* m_data;
    std::size_t m_size;
};

// Whether ORB files may be mapped at all; on by default. Lets tests compare both ways.
void allowFileMapping(bool allowed);
bool fileMappingAllowed();

}  // namespace orbxmps
