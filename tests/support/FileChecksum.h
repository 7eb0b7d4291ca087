#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

// FNV-1a of a file's bytes, to show that reading a database left it as it was.
inline std::uint64_t fileChecksum(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::uint64_t hash = 14695981039346656037ull;
    for (std::istreambuf_iterator<char> at(in), end; at != end; ++at)
        hash = (hash ^ static_cast<unsigned char>(*at)) * 1099511628211ull;
    return hash;
}

}  // namespace testsupport
