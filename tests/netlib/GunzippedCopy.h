#pragma once

#include <string>

namespace netlib {

// The uncompressed content of a gzip file, written to a file of its own in the temporary
// folder and removed again with this object. Throws std::runtime_error when the source
// cannot be read or the copy cannot be written.
class GunzippedCopy {
public:
    explicit GunzippedCopy(const std::string& gzipPath);
    ~GunzippedCopy();
    GunzippedCopy(const GunzippedCopy&) = delete;
    GunzippedCopy& operator=(const GunzippedCopy&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace netlib
