#include "MpsError.h"

#include <cstddef>

namespace orbxmps {

namespace {

constexpr std::size_t kQuotedTextLimit = 80;

}  // namespace

std::string contentMessage(std::string_view path, std::uint64_t line, std::string_view what,
                           std::string_view text) {
    if (text.size() > kQuotedTextLimit) text = text.substr(0, kQuotedTextLimit);
    std::string message;
    message.reserve(path.size() + what.size() + text.size() + 32);
    message.append(path);
    message += ':';
    message += std::to_string(line);
    message += ": ";
    message.append(what);
    message += ": \"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        message += (byte < 0x20 && c != '\t') || byte == 0x7F ? '?' : c;
    }
    message += '"';
    return message;
}

void throwContentError(std::string_view path, std::uint64_t line, std::string_view what,
                       std::string_view text, bool formatIndependent) {
    throw MpsContentError(contentMessage(path, line, what, text), line, formatIndependent);
}

void throwFileError(std::string_view path, std::string_view what) {
    std::string message(path);
    message += ": ";
    message.append(what);
    throw CMF_ExcpFileError(kMpsRoutine, std::move(message));
}

}  // namespace orbxmps
