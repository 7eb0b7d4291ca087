#pragma once

#include <cstddef>
#include <string_view>

// Case-insensitive comparisons of ASCII letters, for file extensions and fixed prefixes; bytes
// outside A-Z/a-z compare as they are, whatever the process locale says.
inline char toLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (toLowerAscii(a[i]) != toLowerAscii(b[i])) return false;
    return true;
}

inline bool startsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}
