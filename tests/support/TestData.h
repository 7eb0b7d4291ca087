#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

// A file's bytes; empty when it cannot be read, which the comparison that follows reports.
inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A file under tests/data, named relative to it.
inline std::string testData(const std::string& name) {
    return fileText(NORVA_TEST_DATA_DIR "/" + name);
}

}  // namespace testsupport
