#pragma once

// Constants of the ORB file layout described at the top of OrbFile.h, shared by the reader, the
// writer and the tests that craft damaged files.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "NonlinearTermStore.h"

namespace orbxmps::orb {

// Arrays are stored as the machine holds them, which is what makes loading close to a memcpy.
static_assert(std::endian::native == std::endian::little, "ORB files are little-endian");

inline constexpr unsigned char kMagic[8] = {'O', 'R', 'B', 'X', '\r', '\n', 0x1A, '\n'};
// Version 2 lays each block of names out in their name order, so that an open checks the order
// in one pass through the characters instead of a fetch per name; version 1 files still load.
inline constexpr std::uint32_t kVersion = 2;
inline constexpr std::uint32_t kOldestVersion = 1;

inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kVersionOffset = 8;
inline constexpr std::size_t kFlagsOffset = 12;
inline constexpr std::size_t kPayloadSizeOffset = 16;
inline constexpr std::size_t kChecksumOffset = 24;
inline constexpr std::size_t kReservedOffset = 28;

inline constexpr std::size_t kSectionHeaderSize = 16;
inline constexpr std::size_t kAlignment = 8;
inline constexpr std::size_t kDimensionsSize = 48;
inline constexpr std::size_t kTermRecordSize = 24;

// Counts above this cannot be indexed by the store's 32-bit positions.
inline constexpr std::uint64_t kMaxCount = 0xFFFFFFFEull;

enum HeaderFlag : std::uint32_t {
    kHeaderHasSolution = 1,
};

enum ModelOption : std::uint32_t {
    kOptionMaximise = 1,
    kOptionSolutionFromColumnValues = 2,
};

// Section tags. The numbers are stored in files: never reuse or renumber one.
enum class Tag : std::uint32_t {
    kDimensions = 1,
    kProblemName = 2,
    kRowNameCharacters = 3,
    kRowNameOffsets = 4,
    kRowTypes = 5,
    kRightHandSides = 6,
    kRanges = 7,
    kColumnNameCharacters = 8,
    kColumnNameOffsets = 9,
    kLowerBounds = 10,
    kUpperBounds = 11,
    kColumnFlags = 12,
    kColumnStarts = 13,
    kElementRows = 14,
    kElementValues = 15,
    kNonlinearTerms = 16,
    kTermValues = 17,
    kColumnActivities = 20,
    kReducedCosts = 21,
    kColumnStatuses = 22,
    kRowActivities = 23,
    kDualValues = 24,
    kExtensions = 25,
    kRowNameOrder = 26,
    kColumnNameOrder = 27,
};

// What a section's length must be a multiple of.
enum class Extent { kAny, kFixed, kRows, kColumns, kColumnsPlusOne, kElements, kTerms };

enum class Presence { kRequired, kOptional, kSolution };

struct SectionInfo {
    Tag tag;
    const char* name;
    Extent extent;
    std::uint32_t itemSize;
    Presence presence;
};

inline constexpr SectionInfo kSections[] = {
    {Tag::kDimensions, "dimensions", Extent::kFixed, kDimensionsSize, Presence::kRequired},
    {Tag::kProblemName, "problem name", Extent::kAny, 1, Presence::kRequired},
    {Tag::kRowNameCharacters, "row names", Extent::kAny, 1, Presence::kRequired},
    {Tag::kRowNameOffsets, "row name offsets", Extent::kRows, 4, Presence::kRequired},
    {Tag::kRowTypes, "row types", Extent::kRows, 2, Presence::kRequired},
    {Tag::kRightHandSides, "right-hand sides", Extent::kRows, 8, Presence::kRequired},
    {Tag::kRanges, "ranges", Extent::kRows, 8, Presence::kRequired},
    {Tag::kColumnNameCharacters, "column names", Extent::kAny, 1, Presence::kRequired},
    {Tag::kColumnNameOffsets, "column name offsets", Extent::kColumns, 4, Presence::kRequired},
    {Tag::kLowerBounds, "lower bounds", Extent::kColumns, 8, Presence::kRequired},
    {Tag::kUpperBounds, "upper bounds", Extent::kColumns, 8, Presence::kRequired},
    {Tag::kColumnFlags, "column flags", Extent::kColumns, 1, Presence::kRequired},
    {Tag::kColumnStarts, "column starts", Extent::kColumnsPlusOne, 4, Presence::kRequired},
    {Tag::kElementRows, "element rows", Extent::kElements, 4, Presence::kRequired},
    {Tag::kElementValues, "element values", Extent::kElements, 8, Presence::kRequired},
    {Tag::kNonlinearTerms, "nonlinear terms", Extent::kTerms, kTermRecordSize, Presence::kRequired},
    {Tag::kTermValues, "term values", Extent::kTerms, 8, Presence::kOptional},
    {Tag::kExtensions, "sets, cones and indicators", Extent::kAny, 1, Presence::kOptional},
    {Tag::kRowNameOrder, "row name order", Extent::kRows, 4, Presence::kOptional},
    {Tag::kColumnNameOrder, "column name order", Extent::kColumns, 4, Presence::kOptional},
    {Tag::kColumnActivities, "column activities", Extent::kColumns, 8, Presence::kSolution},
    {Tag::kReducedCosts, "reduced costs", Extent::kColumns, 8, Presence::kSolution},
    {Tag::kColumnStatuses, "column statuses", Extent::kColumns, 1, Presence::kSolution},
    {Tag::kRowActivities, "row activities", Extent::kRows, 8, Presence::kSolution},
    {Tag::kDualValues, "dual values", Extent::kRows, 8, Presence::kSolution},
};
inline constexpr std::size_t kSectionCount = sizeof(kSections) / sizeof(kSections[0]);

// The section's position in kSections, or kSectionCount for a tag this version does not know.
constexpr std::size_t sectionIndex(std::uint32_t tag) {
    for (std::size_t i = 0; i < kSectionCount; ++i)
        if (static_cast<std::uint32_t>(kSections[i].tag) == tag) return i;
    return kSectionCount;
}

constexpr std::uint64_t paddingOf(std::uint64_t length) {
    return (kAlignment - length % kAlignment) % kAlignment;
}

// The term record has the in-memory layout of NonlinearTerm, so terms load as one block.
static_assert(sizeof(NonlinearTerm) == kTermRecordSize);
static_assert(offsetof(NonlinearTerm, coefficient) == 16);

// The payload's first section: the counts every array section's length follows from.
struct Dimensions {
    std::uint64_t rows = 0;
    std::uint64_t columns = 0;
    std::uint64_t elements = 0;
    std::uint64_t terms = 0;
    std::int64_t objectiveRow = -1;
    std::uint32_t options = 0;  // ModelOption bits
    std::uint32_t reserved = 0;
};
static_assert(sizeof(Dimensions) == kDimensionsSize);

template <typename T>
T loadLittle(const unsigned char* p) {
    T value;
    std::memcpy(&value, p, sizeof(T));
    return value;
}

template <typename T>
void storeLittle(unsigned char* p, T value) {
    std::memcpy(p, &value, sizeof(T));
}

}  // namespace orbxmps::orb
