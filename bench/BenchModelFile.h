#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

// The model a benchmark opens: the existing file that pathVariable names, or one generated
// with generate-mps (seed 1, sizeVariable non-zeros, default 5000000) in a temporary folder
// that the object removes again.
class BenchModelFile {
public:
    BenchModelFile(const char* pathVariable, const char* sizeVariable) {
        if (const char* given = std::getenv(pathVariable)) {
            m_path = given;
            return;
        }
        char pattern[] = "/tmp/norva_bench_XXXXXX";
        if (::mkdtemp(pattern) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        m_folder = pattern;
        m_path = m_folder + "/model.mps";
        const char* size = std::getenv(sizeVariable);
        const std::string command = std::string(NORVA_GENERATE_MPS_PATH) + " --nonzeros " +
                                    (size != nullptr ? size : "5000000") + " --seed 1 " + m_path;
        if (std::system(command.c_str()) != 0) {
            remove();
            throw std::runtime_error("generate-mps failed");
        }
    }
    ~BenchModelFile() { remove(); }
    BenchModelFile(const BenchModelFile&) = delete;
    BenchModelFile& operator=(const BenchModelFile&) = delete;

    const std::string& path() const { return m_path; }

    // Drops a generated model (once it is loaded, its 100-odd MB need not wait for the end).
    void remove() {
        if (m_folder.empty()) return;
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
        m_folder.clear();
    }

private:
    std::string m_folder;
    std::string m_path;
};
