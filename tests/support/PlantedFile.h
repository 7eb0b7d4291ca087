#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

// Something that is not a regular file, planted where a program is about to write, to check
// that it is refused and left as it was. A link points at a file whose content must survive.
enum class Planted { kSymlink, kFifo, kFolder };
inline constexpr Planted kAllPlanted[] = {Planted::kSymlink, Planted::kFifo, Planted::kFolder};

inline const char* plantedName(Planted kind) {
    return kind == Planted::kSymlink ? "symbolic link" : kind == Planted::kFifo ? "FIFO" : "folder";
}

class PlantedFile {
public:
    PlantedFile(Planted kind, const std::string& path) : m_kind(kind), m_path(path) {
        namespace fs = std::filesystem;
        if (kind == Planted::kSymlink) std::ofstream(target()) << kTargetContent;
        if (kind == Planted::kSymlink) fs::create_symlink(target(), path);
        if (kind == Planted::kFifo && ::mkfifo(path.c_str(), 0600) != 0) ADD_FAILURE() << path;
        if (kind == Planted::kFolder) fs::create_directory(path);
    }

    // Checks that the planted thing is still what it was, and the link's target unchanged.
    void expectUntouched() const {
        SCOPED_TRACE(plantedName(m_kind));
        const auto status = std::filesystem::symlink_status(m_path);
        const bool kept = m_kind == Planted::kSymlink ? std::filesystem::is_symlink(status)
                          : m_kind == Planted::kFifo  ? std::filesystem::is_fifo(status)
                                                      : std::filesystem::is_directory(status) &&
                                                           std::filesystem::is_empty(m_path);
        EXPECT_TRUE(kept) << m_path;
        if (m_kind != Planted::kSymlink) return;
        std::ifstream in(target());
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), kTargetContent);
    }

private:
    static constexpr const char* kTargetContent = "TARGET CONTENT THAT MUST SURVIVE\n";
    std::string target() const { return m_path + ".target"; }

    Planted m_kind;
    std::string m_path;
};

}  // namespace testsupport
