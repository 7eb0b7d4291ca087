#pragma once

#include <string>
#include <vector>

#include "ISettingsStore.h"

// The File menu's list of the last opened files, newest first, at most four, kept in the
// profile's "Recent File List" section as "File1" to "File4".
class RecentFileList {
public:
    static constexpr std::size_t kSize = 4;

    void load(const ISettingsStore& store);
    void save(ISettingsStore& store) const;

    // Puts path first, dropping an older entry of the same path and the oldest beyond four.
    void add(const std::string& path);
    void remove(std::size_t index);

    const std::vector<std::string>& entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
};

// Whether a recent entry names a matrix file: its extension is "mps", "orb" or "cas", or it
// ends in ".mps.gz", in any letter case. Anything else is reopened as a solution file.
bool isMatrixFileName(const std::string& path);
