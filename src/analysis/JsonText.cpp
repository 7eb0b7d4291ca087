#include "JsonText.h"

#include <cstdio>

namespace {

// The length of the valid UTF-8 sequence that starts at text[at], or 0.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2, minimum = 0x80, code = lead & 0x1fu;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3, minimum = 0x800, code = lead & 0x0fu;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4, minimum = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(at + k) & 0xc0u) != 0x80u) return 0;
        code = (code << 6) | (byte(at + k) & 0x3fu);
    }
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    return code < minimum || code > 0x10ffff || surrogate ? 0 : length;
}

void appendEscape(std::string& out, unsigned code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", code);
    out += buffer;
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f) {
            appendEscape(out, c);
        } else if (c >= 0x80) {
            const std::size_t length = utf8Length(text, i);
            if (length == 0) {
                appendEscape(out, c);
            } else {
                out.append(text.substr(i, length));
                i += length;
                continue;
            }
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    return out + '"';
}
