#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "LargeBlocks.h"
#include "PodVector.h"

namespace {

using orbxmps::PodVector;
namespace largeblock = orbxmps::largeblock;

constexpr std::size_t kLargeCount = largeblock::kFrom / sizeof(std::uint32_t);

bool holdsSequence(const std::uint32_t* data, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (data[i] != static_cast<std::uint32_t>(i * 7)) return false;
    return true;
}

// The lines of /proc/self/maps that overlap the bytes at block.
int mappingsOver(const void* block, std::size_t bytes) {
    const auto begin = reinterpret_cast<std::uintptr_t>(block);
    std::ifstream maps("/proc/self/maps");
    int count = 0;
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    char dash = 0;
    for (std::string line; std::getline(maps, line);) {
        std::istringstream(line) >> std::hex >> start >> dash >> end;
        count += start < begin + bytes && begin < end;
    }
    return count;
}

// Every way an array crosses from malloc's memory to a mapping of its own and back: grown one
// value at a time past the threshold and far beyond it, shrunk, shared, then grown again.
TEST(LargeBlocksTest, ArraysKeepTheirValuesWhereverTheirMemoryComesFrom) {
    PodVector<std::uint32_t> values;
    const std::size_t count = 3 * kLargeCount + 5;
    for (std::size_t i = 0; i < count; ++i) values.push_back(static_cast<std::uint32_t>(i * 7));
    ASSERT_TRUE(holdsSequence(values.data(), count));

    values.resize(kLargeCount / 2);
    values.shrinkToFit();
    values.resize(kLargeCount + 10);  // grown part reads as zero
    EXPECT_TRUE(holdsSequence(values.data(), kLargeCount / 2));
    EXPECT_EQ(values[kLargeCount + 9], 0u);

    std::shared_ptr<const void> shared = values.shareStorage();
    const auto* sharedData = static_cast<const std::uint32_t*>(shared.get());
    values.resize(4 * kLargeCount);  // beyond its capacity: carries on in a block of its own
    values[0] = 99;
    values = PodVector<std::uint32_t>();
    EXPECT_TRUE(holdsSequence(sharedData, kLargeCount / 2));  // the reader's copy outlives it

    PodVector<std::uint32_t> zeroed;
    zeroed.resize(kLargeCount + 1);
    EXPECT_EQ(std::pair(zeroed[0], zeroed[kLargeCount]), std::pair(0u, 0u));
    // Scratch in whole 2 MB pages reads as zero and grows on from its rounded capacity.
    PodVector<std::uint32_t> scratch;
    const std::size_t scratchCount = largeblock::kLargePagesFrom / sizeof(std::uint32_t) + 3;
    scratch.resizeInLargePages(scratchCount);
    EXPECT_EQ(std::pair(scratch[0], scratch[scratchCount - 1]), std::pair(0u, 0u));
    for (std::size_t i = 0; i < scratchCount; ++i) scratch[i] = static_cast<std::uint32_t>(i * 7);
    scratch.resize(3 * kLargeCount);
    EXPECT_TRUE(holdsSequence(scratch.data(), scratchCount));
}

// With the address space behind a block taken, growing must move the pages elsewhere and keep
// them; the block is still 2 MB aligned afterwards, and one mapping (whatever its 2 MB pages'
// advice), which older kernels can grow again.
TEST(LargeBlocksTest, GrowingMovesTheBlockWhenItsNeighbourIsTaken) {
    const std::size_t bytes = largeblock::mappedBytes(largeblock::kFrom);
    auto* block = static_cast<std::uint32_t*>(largeblock::allocate(bytes));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(mappingsOver(block, bytes), 1);
    for (std::size_t i = 0; i < bytes / sizeof(std::uint32_t); ++i)
        block[i] = static_cast<std::uint32_t>(i * 7);
    void* neighbour = ::mmap(reinterpret_cast<char*>(block) + bytes, 4096, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    if (neighbour == MAP_FAILED) GTEST_SKIP() << "the address behind the block is in use";

    auto* grown = static_cast<std::uint32_t*>(largeblock::reallocate(block, bytes, 3 * bytes));
    ASSERT_NE(grown, nullptr);
    EXPECT_NE(grown, block);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(grown) % (std::uintptr_t{2} << 20), 0u);
    EXPECT_TRUE(holdsSequence(grown, bytes / sizeof(std::uint32_t)));
    EXPECT_EQ(grown[3 * bytes / sizeof(std::uint32_t) - 1], 0u);
    EXPECT_EQ(mappingsOver(grown, 3 * bytes), 1);
    auto* again = static_cast<std::uint32_t*>(largeblock::reallocate(grown, 3 * bytes, 6 * bytes));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(holdsSequence(again, bytes / sizeof(std::uint32_t)));
    largeblock::release(again, 6 * bytes);
    ::munmap(neighbour, 4096);
}

}  // namespace
