#pragma once

#include <string>

#include "MatrixStore.h"

namespace orbxmps {

// Writes store as an ORB file. Throws ORB_ExcpFileError when the file cannot be written.
void writeOrbFile(const std::string& path, const MatrixStore& store);

// Reads an ORB file into store (cleared first, left empty on failure). Throws
// ORB_ExcpFileError when it cannot be read and ORB_Exception when it is damaged.
void readOrbFile(const std::string& path, MatrixStore& store);

}  // namespace orbxmps
