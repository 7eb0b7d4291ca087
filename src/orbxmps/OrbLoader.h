#pragma once

#include <string>

#include "MatrixStore.h"
#include "OrbFormat.h"
#include "OrbInput.h"

namespace orbxmps::orb {

// Reads one ORB file into an empty store, trusting nothing before it is checked: the header
// against the file's size, each section's length against what is left and against the
// dimensions (so no allocation exceeds the file), the checksum, and then how the arrays fit
// together. Failures throw as readOrbFile documents; the store is then partly filled.
class OrbLoader {
public:
    OrbLoader(const std::string& path, MatrixStore& store) : m_store(store), m_in(path) {}
    void load();

private:
    void readHeader();
    void readSections();
    void readSection(std::size_t index, std::uint64_t length);
    void readDimensions();
    PodVector<double>* valueArray(Tag tag);
    void checkLength(const SectionInfo& section, std::uint64_t length);
    void checkPresence();
    void checkContent();
    // Reports structural damage, unless the payload's checksum shows the file was damaged
    // after it was written, which is then the message.
    [[noreturn]] void damaged(const std::string& what);

    MatrixStore& m_store;
    Dimensions m_dimensions;
    bool m_solutionFlag = false;
    bool m_seen[kSectionCount] = {};
    PodVector<char> m_rowCharacters;
    PodVector<NameOffset> m_rowOffsets;
    PodVector<char> m_columnCharacters;
    PodVector<NameOffset> m_columnOffsets;
    // Last, so that it is destroyed first: its checksum thread may still read the arrays above.
    OrbInput m_in;
};

}  // namespace orbxmps::orb
