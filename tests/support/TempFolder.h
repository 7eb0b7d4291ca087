#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace testsupport {

// A fresh folder under the test temporary directory, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = testing::TempDir() + "norva_XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make " << pattern;
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing '/'.
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

    // Writes bytes to name inside the folder and returns the file's path.
    std::string write(const std::string& name, std::string_view bytes) const {
        const std::string path = *this / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) ADD_FAILURE() << "cannot write " << path;
        return path;
    }

private:
    std::string m_path;
};

}  // namespace testsupport
