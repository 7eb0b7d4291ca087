#include "FileDialogFilter.h"

#include <vector>

namespace {

std::vector<std::string> splitAtBars(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', start)) {
        parts.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

// The description without the pattern list it repeats in parentheses.
std::string bareDescription(const std::string& description) {
    const std::size_t open = description.rfind(" (");
    if (open == std::string::npos || description.empty() || description.back() != ')')
        return description;
    return description.substr(0, open);
}

std::string qtPatterns(const std::string& patterns) {
    std::string result;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::string pattern = patterns.substr(start, end - start);
        if (pattern == "*.*") pattern = "*";
        if (!pattern.empty()) result += (result.empty() ? "" : " ") + pattern;
        start = end + 1;
    }
    return result;
}

}  // namespace

std::string qtFileDialogFilter(const std::string& resourceFilter) {
    const std::vector<std::string> parts = splitAtBars(resourceFilter);
    std::string result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) break;
        const std::string patterns = qtPatterns(parts[i + 1]);
        if (patterns.empty()) continue;
        if (!result.empty()) result += ";;";
        result += bareDescription(parts[i]) + " (" + patterns + ")";
    }
    return result;
}
