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

inline const char* plantedName(Planted kind) {
    switch (kind) {
        case Planted::kSymlink:
            return "symbolic link";
        case Planted::kFifo:
            return "FIFO";
        case Planted::kFolder:
            return "folder";
    }
    return "?";
}

class PlantedFile {
public:
    static constexpr const char* kTargetContent = "TARGET CONTENT THAT MUST SURVIVE\n";

    PlantedFile(Planted kind, const std::string& path) : m_kind(kind), m_path(path) {
        switch (kind) {
            case Planted::kSymlink: {
                std::ofstream(target()) << kTargetContent;
                std::filesystem::create_symlink(target(), path);
                break;
            }
            case Planted::kFifo:
                if (::mkfifo(path.c_str(), 0600) != 0) ADD_FAILURE() << "cannot make " << path;
                break;
            case Planted::kFolder:
                std::filesystem::create_directory(path);
                break;
        }
    }

    // Checks that the planted thing is still what it was, and the link's target unchanged.
    void expectUntouched() const {
        SCOPED_TRACE(plantedName(m_kind));
        const auto status = std::filesystem::symlink_status(m_path);
        switch (m_kind) {
            case Planted::kSymlink: {
                EXPECT_TRUE(std::filesystem::is_symlink(status));
                std::ifstream in(target());
                const std::string content{std::istreambuf_iterator<char>(in), {}};
                EXPECT_EQ(content, kTargetContent);
                break;
            }
            case Planted::kFifo:
                EXPECT_TRUE(std::filesystem::is_fifo(status));
                break;
            case Planted::kFolder:
                EXPECT_TRUE(std::filesystem::is_directory(status));
                EXPECT_TRUE(std::filesystem::is_empty(m_path));
                break;
        }
    }

private:
    std::string target() const { return m_path + ".target"; }

    Planted m_kind;
    std::string m_path;
};

inline constexpr Planted kAllPlanted[] = {Planted::kSymlink, Planted::kFifo, Planted::kFolder};

}  // namespace testsupport
