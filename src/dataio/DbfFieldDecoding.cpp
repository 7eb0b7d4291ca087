#include "DbfFieldDecoding.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "DbfHeader.h"
#include "IoDateTime.h"

namespace {

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view skipSpace(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isCSpace(text[start])) ++start;
    return text.substr(start);
}

// Characters from..from+count of text, as many as there are.
std::string_view piece(std::string_view text, std::size_t from, std::size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string_view{};
}

IoDateTime decodeDate(std::string_view text) {
    return makeIoDateTime(parseDbfInteger(piece(text, 0, 4)), parseDbfInteger(piece(text, 4, 2)),
                          parseDbfInteger(piece(text, 6, 2)));
}

}  // namespace

std::string_view dbfFieldText(std::string_view bytes) {
    std::string_view text = bytes.substr(0, bytes.find('\0'));
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

double parseDbfNumber(std::string_view text) {
    text = skipSpace(text);
    // fast_float takes a leading "-" but no "+"; atof takes either, once.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return 0.0;
    }
    double value = 0.0;
    const auto result = fast_float::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

int parseDbfInteger(std::string_view text) {
    text = skipSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Clamped rather than overflowing: a damaged field must not be undefined behaviour.
    constexpr int64_t kLimit = std::numeric_limits<int>::max();
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min(value * 10 + (c - '0'), kLimit + 1);
    }
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(std::min(value, kLimit));
}

std::unique_ptr<CIoCell> decodeDbfField(char type, std::string_view bytes) {
    const std::string_view text = dbfFieldText(bytes);
    std::unique_ptr<CIoCell> cell = makeEmptyCell(dbfSqlType(type));
    if (text.empty()) return cell;
    switch (type) {
        case 'L':
            cell->SetNumber(text.front() == 'T' ? 1.0 : 0.0);
            break;
        case 'N':
        case 'F':
            cell->SetNumber(parseDbfNumber(text));
            break;
        case 'D':
            cell->SetDateTime(decodeDate(text));
            break;
        default:
            cell->SetText(std::string(text).c_str());
            break;
    }
    cell->SetNull(false);
    return cell;
}
