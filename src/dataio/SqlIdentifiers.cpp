#include "SqlIdentifiers.h"

#include <cstdio>

#include "AsciiCase.h"

namespace {

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

std::string unquotableNameReason(std::string_view name, const std::string& quote) {
    // A blank is how a driver says that it has no quote.
    if (quote.size() != 1 || isControl(quote.front()) || quote.front() == ' ')
        return "The database driver reports no identifier quote character, so the name \"" +
               printableName(name) + "\" cannot be written into a statement safely.";
    if (name.empty()) return "A table or column name is empty.";
    for (const char c : name)
        if (isControl(c))
            return "The name \"" + printableName(name) +
                   "\" holds a control character and cannot be written into a statement safely.";
    return {};
}

std::string quotedIdentifier(std::string_view name, const std::string& quote) {
    const char mark = quote.front();
    std::string result(1, mark);
    for (const char c : name) {
        result += c;
        if (c == mark) result += c;
    }
    result += mark;
    return result;
}

std::optional<std::string> catalogSpelling(std::string_view requested,
                                           const std::vector<std::string>& catalog) {
    for (const std::string& name : catalog)
        if (name == requested) return name;
    std::optional<std::string> found;
    for (const std::string& name : catalog) {
        if (!equalsIgnoreAsciiCase(name, requested)) continue;
        if (found && *found != name) return std::nullopt;
        found = name;
    }
    return found;
}

std::string printableName(std::string_view name) {
    std::string shown;
    for (const char c : name) {
        if (!isControl(c)) {
            shown += c;
            continue;
        }
        char code[8];
        std::snprintf(code, sizeof code, "\\x%02X",
                      static_cast<unsigned>(static_cast<unsigned char>(c)));
        shown += code;
    }
    return shown;
}
