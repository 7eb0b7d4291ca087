#include "RequestResolution.h"

#include "AsciiCase.h"
#include "DataMessages.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool hasWildcard(std::string_view text) { return text.find_first_of("*?") != text.npos; }

bool sameChar(char a, char b, bool ignoreCase) {
    return ignoreCase ? toLowerAscii(a) == toLowerAscii(b) : a == b;
}

// The columns that match any piece of a pattern list, in table order.
std::vector<int> matchingColumns(const ColumnDescriptionList& columns,
                                 const std::vector<std::string>& patterns) {
    std::vector<int> found;
    for (std::size_t index = 0; index < columns.size(); ++index) {
        for (const std::string& pattern : patterns) {
            if (!matchesPattern(columns[index].name, pattern, true)) continue;
            found.push_back(static_cast<int>(index));
            break;
        }
    }
    return found;
}

bool resolveColumns(const ColumnDescriptionList& columns, std::string_view columnList,
                    TableReporter& reporter, std::vector<int>& out) {
    if (trimBlanks(columnList).empty()) {
        reporter.error(datamsg::text(datamsg::kNoExtractColumns));
        return false;
    }
    const std::vector<std::string> names = splitList(columnList);
    if (hasWildcard(columnList)) {
        out = matchingColumns(columns, names);
        if (!out.empty()) return true;
        reporter.error(datamsg::format(datamsg::kExtractColumnNotFound, std::string(columnList)));
        return false;
    }
    for (const std::string& name : names) {
        const int index = findColumn(columns, name);
        if (index < 0) {
            reporter.error(datamsg::format(datamsg::kExtractColumnNotFound, name));
            return false;
        }
        out.push_back(index);
    }
    return true;
}

bool resolveKeyColumns(const ColumnDescriptionList& columns, std::string_view keyColumns,
                       TableReporter& reporter, std::vector<CIoKeyCell>& out) {
    const std::vector<std::string> names = splitList(keyColumns);
    if (hasWildcard(keyColumns)) {
        for (int index : matchingColumns(columns, names))
            out.emplace_back(columns[index].name, index);
        if (!out.empty()) return true;
        reporter.error(datamsg::format(datamsg::kKeyFieldNotFound, std::string(keyColumns)));
        return false;
    }
    for (const std::string& name : names) {
        if (name.empty()) {
            out.emplace_back(std::string(), -1);
            continue;
        }
        const int index = findColumn(columns, name);
        if (index < 0) {
            reporter.error(datamsg::format(datamsg::kKeyFieldNotFound, name));
            return false;
        }
        out.emplace_back(columns[index].name, index);
    }
    return true;
}

bool resolveKeys(const ColumnDescriptionList& columns, std::string_view keyColumns,
                 std::string_view keyValues, TableReporter& reporter, ResolvedRequest& out) {
    if (!resolveKeyColumns(columns, keyColumns, reporter, out.keys)) {
        reporter.error(datamsg::text(datamsg::kKeysIncorrect));
        return false;
    }
    if (trimBlanks(keyValues).empty()) {
        reporter.error(datamsg::text(datamsg::kNoKeyValues));
        reporter.error(datamsg::text(datamsg::kKeysIncorrect));
        return false;
    }
    out.keyValues = splitList(keyValues);
    if (out.keyValues.size() != out.keys.size()) {
        reporter.error(datamsg::text(datamsg::kKeyCountMismatch));
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> splitList(std::string_view list) {
    std::vector<std::string> pieces;
    if (trimBlanks(list).empty()) return pieces;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = list.find(',', from);
        pieces.emplace_back(trimBlanks(list.substr(from, comma - from)));
        if (comma == list.npos) return pieces;
        from = comma + 1;
    }
}

bool matchesPattern(std::string_view text, std::string_view pattern, bool ignoreCase) {
    // Greedy matching that remembers only the last "*": on a mismatch the star takes one more
    // character and matching resumes after it. Time is bounded by text x pattern length.
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t starAt = pattern.npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starText = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || sameChar(pattern[p], text[t], ignoreCase))) {
            ++p;
            ++t;
        } else if (starAt != pattern.npos) {
            p = starAt + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

int findColumn(const ColumnDescriptionList& columns, std::string_view name) {
    for (std::size_t index = 0; index < columns.size(); ++index)
        if (equalsIgnoreAsciiCase(columns[index].name, name)) return static_cast<int>(index);
    return -1;
}

bool resolveRequest(const ColumnDescriptionList& columns, std::string_view keyColumns,
                    std::string_view keyValues, std::string_view columnList,
                    TableReporter& reporter, ResolvedRequest& out) {
    out = ResolvedRequest{};
    if (!resolveColumns(columns, columnList, reporter, out.valueColumns)) return false;
    // No key columns: the whole table, whatever the value list says.
    if (trimBlanks(keyColumns).empty()) return true;
    return resolveKeys(columns, keyColumns, keyValues, reporter, out);
}
