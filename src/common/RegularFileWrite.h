#pragma once

#include <string>
#include <string_view>

// Writes content as the whole of the file at path, creating it or replacing what a regular
// file held. Never writes through a symbolic link and never onto a device, FIFO or folder:
// those are refused and left as they were. Returns an empty string on success, otherwise why
// the file could not be written ("not a regular file", or the system's error text).
std::string WriteRegularFile(const std::string& path, std::string_view content);
