#include "GunzippedCopy.h"

#include <unistd.h>
#include <zlib.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace netlib {

namespace {

std::string uniqueTemporaryPath(const std::string& source) {
    static std::atomic<int> counter{0};
    const std::string stem = std::filesystem::path(source).stem().string();  // drops ".gz"
    const std::string unique =
        "norva-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + stem;
    return (std::filesystem::temp_directory_path() / unique).string();
}

struct GzCloser {
    void operator()(gzFile file) const { gzclose(file); }
};

}  // namespace

GunzippedCopy::GunzippedCopy(const std::string& gzipPath) : m_path(uniqueTemporaryPath(gzipPath)) {
    std::unique_ptr<gzFile_s, GzCloser> in(gzopen(gzipPath.c_str(), "rb"));
    if (!in) throw std::runtime_error("cannot open " + gzipPath);
    std::ofstream out(m_path, std::ios::binary);
    if (!out) throw std::runtime_error("cannot create " + m_path);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const int got = gzread(in.get(), buffer.data(), static_cast<unsigned>(buffer.size()));
        if (got < 0) throw std::runtime_error("cannot inflate " + gzipPath);
        if (got == 0) break;
        out.write(buffer.data(), got);
    }
    if (!out.flush()) throw std::runtime_error("cannot write " + m_path);
}

GunzippedCopy::~GunzippedCopy() {
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
}

}  // namespace netlib
