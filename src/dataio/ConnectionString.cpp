#include "ConnectionString.h"

#include <algorithm>

#include "AsciiCase.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Reads a value opened by open at text[pos] up to its close; a doubled close stands for
// itself. pos ends after the close (or at the end of an unterminated value).
std::string readEnclosed(std::string_view text, std::size_t& pos, char close) {
    std::string value;
    for (++pos; pos < text.size(); ++pos) {
        if (text[pos] != close) {
            value += text[pos];
            continue;
        }
        if (pos + 1 < text.size() && text[pos + 1] == close) {
            value += close;
            ++pos;
            continue;
        }
        ++pos;
        break;
    }
    return value;
}

// Reads the value that begins at pos (after "="); pos ends at the ";" that ends the pair.
std::string readValue(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    if (pos < text.size() && (text[pos] == '{' || text[pos] == '"' || text[pos] == '\'')) {
        const char close = text[pos] == '{' ? '}' : text[pos];
        std::string value = readEnclosed(text, pos, close);
        while (pos < text.size() && text[pos] != ';') ++pos;
        return value;
    }
    const std::size_t end = std::min(text.find(';', pos), text.size());
    std::string value(trim(text.substr(pos, end - pos)));
    pos = end;
    return value;
}

bool needsBraces(const std::string& value) {
    if (value.empty()) return false;
    if (isBlank(value.front()) || isBlank(value.back())) return true;
    const char first = value.front();
    if (first == '"' || first == '\'') return true;
    return value.find_first_of(";{}") != std::string::npos;
}

}  // namespace

ConnectionString ConnectionString::parse(std::string_view text) {
    ConnectionString result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t pieceEnd = std::min(text.find(';', pos), text.size());
        const std::size_t equals = text.find('=', pos);
        if (equals == std::string_view::npos || equals > pieceEnd) {
            const std::string_view piece = trim(text.substr(pos, pieceEnd - pos));
            if (!piece.empty()) result.m_entries.emplace_back(std::string(piece), std::string());
            pos = pieceEnd + 1;
            continue;
        }
        std::string key(trim(text.substr(pos, equals - pos)));
        pos = equals + 1;
        std::string value = readValue(text, pos);
        ++pos;  // the ";"
        if (!key.empty()) result.m_entries.emplace_back(std::move(key), std::move(value));
    }
    return result;
}

std::string ConnectionString::write() const {
    std::string text;
    for (const auto& [key, value] : m_entries) {
        if (!text.empty()) text += ';';
        text += key;
        text += '=';
        if (!needsBraces(value)) {
            text += value;
            continue;
        }
        text += '{';
        for (char c : value) {
            text += c;
            if (c == '}') text += '}';
        }
        text += '}';
    }
    return text;
}

std::optional<std::string> ConnectionString::find(std::string_view key) const {
    for (const auto& entry : m_entries)
        if (equalsIgnoreAsciiCase(entry.first, key)) return entry.second;
    return std::nullopt;
}

std::optional<std::string> ConnectionString::findAny(
    std::initializer_list<std::string_view> keys) const {
    for (std::string_view key : keys)
        if (auto value = find(key)) return value;
    return std::nullopt;
}

void ConnectionString::set(std::string_view key, std::string value) {
    for (auto& entry : m_entries) {
        if (!equalsIgnoreAsciiCase(entry.first, key)) continue;
        entry.second = std::move(value);
        return;
    }
    m_entries.emplace_back(std::string(key), std::move(value));
}

void ConnectionString::erase(std::string_view key) {
    std::erase_if(m_entries,
                  [key](const Entry& entry) { return equalsIgnoreAsciiCase(entry.first, key); });
}
