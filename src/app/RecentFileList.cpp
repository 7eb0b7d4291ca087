#include "RecentFileList.h"

#include <algorithm>

#include "AsciiCase.h"
#include "OpenPath.h"

namespace {

constexpr const char* kSection = "Recent File List";

std::string entryKey(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

void RecentFileList::load(const ISettingsStore& store) {
    m_entries.clear();
    for (std::size_t i = 0; i < kSize; ++i) {
        const std::string path =
            store.getString(SettingsScope::kProfile, kSection, entryKey(i), "");
        if (!path.empty()) m_entries.push_back(path);
    }
}

void RecentFileList::save(ISettingsStore& store) const {
    for (std::size_t i = 0; i < kSize; ++i)
        store.writeString(SettingsScope::kProfile, kSection, entryKey(i),
                          i < m_entries.size() ? m_entries[i] : std::string());
}

void RecentFileList::add(const std::string& path) {
    if (path.empty()) return;
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kSize) m_entries.resize(kSize);
}

void RecentFileList::remove(std::size_t index) {
    if (index < m_entries.size()) m_entries.erase(m_entries.begin() + static_cast<long>(index));
}

bool isMatrixFileName(const std::string& path) {
    const OpenPath parts = SplitOpenPath(path);
    const std::string& extension = parts.extension;
    // A gzipped MPS file is opened by File Open too, so it is reopened as a matrix.
    const bool gzippedMps = equalsIgnoreAsciiCase(extension, "gz") &&
                            equalsIgnoreAsciiCase(SplitOpenPath(parts.fileTitle).extension, "mps");
    return gzippedMps || equalsIgnoreAsciiCase(extension, "mps") ||
           equalsIgnoreAsciiCase(extension, "orb") || equalsIgnoreAsciiCase(extension, "cas");
}
