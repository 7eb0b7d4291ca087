#pragma once

#include <string>

#include "MatrixStore.h"

namespace orbxmps {

enum class MpsFormat;

// Reads an MPS file, plain or gzip-compressed, into store (which is cleared first and left
// empty on failure). Throws CMF_ExcpFileError when the file cannot be opened or read and
// CMF_Exception for bad content, with file, line and the offending text in the message.
void readMpsFile(const std::string& path, MpsFormat format, MatrixStore& store);

}  // namespace orbxmps
