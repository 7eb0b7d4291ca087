#pragma once

#include <string>
#include <vector>

#include "MatrixStore.h"
#include "OrbFormat.h"
#include "OrbInput.h"

namespace orbxmps::orb {

// Reads one ORB file into an empty store, trusting nothing before it is checked: the header
// against the file's size, the dimensions against the payload's size, each section's length
// against what is left and against the dimensions, the checksum, and then how the arrays fit
// together and whether their values are ones an MPS file could give. Memory grows with the
// bytes actually read, so a sparse file's size promises nothing. Duplicate names are kept
// with a warning each. Failures throw as readOrbFile documents; the store is then partly filled.
class OrbLoader {
public:
    OrbLoader(const std::string& path, MatrixStore& store) : m_store(store), m_in(path) {}
    void load();

private:
    void readHeader();
    void readSections();
    void readSection(std::size_t index, std::uint64_t length);
    void readDimensions();
    void readProblemName(std::uint64_t length);
    PodVector<double>* valueArray(Tag tag);
    // What the checks of one kind of names found.
    struct NameCheck {
        std::string blockDamage;  // in the characters and offsets
        std::string orderDamage;  // in the stored order, read once the block is sound
        std::vector<std::uint32_t> repeats;
    };
    NameCheck checkNames(const char* kind, PodVector<char>& characters,
                         PodVector<NameOffset>& offsets, const PodVector<std::uint32_t>& order,
                         NameTable& names) const;
    void checkLength(const SectionInfo& section, std::uint64_t length);
    void checkPresence();
    void checkContentAndNames();
    // Reports structural damage, unless the payload's checksum shows the file was damaged
    // after it was written, which is then the message.
    [[noreturn]] void damaged(const std::string& what);
    // The same, but asks the checksum only of a file small enough to read again at once: the
    // damage it reports is a size that the file's content may not back (a sparse file's).
    [[noreturn]] void damagedBySize(const std::string& what);
    static constexpr std::uint64_t kCheapChecksum = 64 << 20;

    MatrixStore& m_store;
    Dimensions m_dimensions;
    bool m_solutionFlag = false;
    std::uint32_t m_version = kVersion;
    bool m_seen[kSectionCount] = {};
    PodVector<char> m_rowCharacters;
    PodVector<NameOffset> m_rowOffsets;
    PodVector<char> m_columnCharacters;
    PodVector<NameOffset> m_columnOffsets;
    PodVector<char> m_extensionBytes;
    // Last, so that it is destroyed first: its checksum thread may still read the arrays above.
    OrbInput m_in;
};

}  // namespace orbxmps::orb
