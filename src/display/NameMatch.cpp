#include "NameMatch.h"

namespace {

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

void upperCaseAscii(std::string& text) {
    for (char& c : text) c = upperAscii(c);
}

// Greedy with one back-track point: on a mismatch after a "*", that star takes one character
// more. Linear in practice, never exponential.
bool wildcardMatch(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool NameMatcher::matches(std::string_view name) {
    if (m_ignoreCase) {
        m_upperName.assign(name);
        upperCaseAscii(m_upperName);
        name = m_upperName;
    }
    if (m_wholeWord) return name == m_text;
    return wildcardMatch(m_text, name) || name.find(m_text) != std::string_view::npos;
}
