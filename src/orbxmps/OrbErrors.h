#pragma once

// The messages of ORB reading and writing failures, in one place so that they stay alike.

#include <cstdint>
#include <cstring>
#include <string>

#include "OrbExceptions.h"

namespace orbxmps::orb {

inline constexpr const char* kReadRoutine = "RestoreFromFile";
inline constexpr const char* kWriteRoutine = "SaveToFile";

// action is "open", "read" or "write"; error is an errno value.
[[noreturn]] inline void throwFileError(const char* routine, const std::string& path,
                                        const char* action, int error) {
    throw ORB_ExcpFileError(routine, path + ": cannot " + action + ": " + std::strerror(error));
}

[[noreturn]] inline void throwNotOrb(const std::string& path) {
    throw ORB_Exception(kReadRoutine, path + ": not an ORB file");
}

[[noreturn]] inline void throwUnsupportedVersion(const std::string& path, std::uint32_t version) {
    throw ORB_Exception(kReadRoutine,
                        path + ": ORB version " + std::to_string(version) + " is not supported");
}

[[noreturn]] inline void throwTruncated(const std::string& path, std::uint64_t expected,
                                        std::uint64_t found) {
    throw ORB_Exception(kReadRoutine, path + ": truncated ORB file (expected " +
                                          std::to_string(expected) + " bytes, found " +
                                          std::to_string(found) + ")");
}

[[noreturn]] inline void throwChecksumMismatch(const std::string& path) {
    throw ORB_Exception(kReadRoutine, path + ": ORB checksum mismatch: the file is damaged");
}

[[noreturn]] inline void throwDamaged(const std::string& path, const std::string& what) {
    throw ORB_Exception(kReadRoutine, path + ": damaged ORB file: " + what);
}

}  // namespace orbxmps::orb
