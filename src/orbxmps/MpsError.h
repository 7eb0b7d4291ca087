#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "OrbExceptions.h"

namespace orbxmps {

inline constexpr const char* kMpsRoutine = "LoadProblemFromXMPS";

// Bad MPS content at a known line. The line lets the automatic format choice report the
// reading that got further; input damage that no format can read (binary bytes, overlong
// lines) is marked so that the second reading is skipped.
class MpsContentError : public CMF_Exception {
public:
    MpsContentError(std::string message, std::uint64_t line, bool formatIndependent)
        : CMF_Exception(kMpsRoutine, std::move(message)),
          m_line(line),
          m_formatIndependent(formatIndependent) {}

    std::uint64_t line() const { return m_line; }
    bool formatIndependent() const { return m_formatIndependent; }

private:
    std::uint64_t m_line;
    bool m_formatIndependent;
};

// Builds `<path>:<line>: <what>: "<text, cut at 80 characters>"`, control bytes in the text
// shown as '?' so that the message itself stays printable.
std::string contentMessage(std::string_view path, std::uint64_t line, std::string_view what,
                           std::string_view text);

[[noreturn]] void throwContentError(std::string_view path, std::uint64_t line,
                                    std::string_view what, std::string_view text,
                                    bool formatIndependent = false);

// Builds `<path>: <what>` for a file that cannot be opened or read and throws it.
[[noreturn]] void throwFileError(std::string_view path, std::string_view what);

}  // namespace orbxmps
