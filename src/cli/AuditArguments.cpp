#include "AuditArguments.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

bool takeNumber(std::string_view option, const char* value, double& target, std::string& error) {
    const std::string_view text = value == nullptr ? std::string_view() : value;
    double number = 0.0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || failure != std::errc() || end != text.data() + text.size() ||
        !(number >= 0.0) || std::isinf(number)) {
        error = std::string(option) + " needs a number of 0 or more: " + std::string(text);
        return false;
    }
    target = number;
    return true;
}

bool takeText(std::string_view option, const char* value, std::string& target, std::string& error) {
    if (value == nullptr || *value == '\0') {
        error = std::string(option) + " needs a value";
        return false;
    }
    if (!target.empty()) {
        error = std::string(option) + " is given twice";
        return false;
    }
    target = value;
    return true;
}

class Parser {
public:
    explicit Parser(AuditArguments& result) : m_result(result) {}

    // False at the first unusable argument; sets usedValue when value was taken too.
    bool take(std::string_view argument, const char* value, bool& usedValue) {
        usedValue = false;
        if (argument == "--check" || argument == "--compare") {
            if (m_commandSeen) return fail("give only one of --check and --compare");
            m_commandSeen = true;
            m_result.compare = argument == "--compare";
            return true;
        }
        if (argument == "--json") return (m_result.json = true);
        usedValue = true;
        if (argument == "--abs-tol")
            return takeNumber(argument, value, m_result.tolerances.absolute, m_result.error);
        if (argument == "--rel-tol")
            return takeNumber(argument, value, m_result.tolerances.relative, m_result.error);
        if (argument == "--limit") return takeLimit(value);
        if (argument == "--solution" || argument == "--solution-a")
            return takeText(argument, value, m_result.solutions[0], m_result.error);
        if (argument == "--solution-b")
            return takeText(argument, value, m_result.solutions[1], m_result.error);
        usedValue = false;
        if (!argument.empty() && argument[0] == '-')
            return fail("unknown option with --check or --compare: " + std::string(argument));
        return takeFile(argument);
    }

    bool finish() {
        const std::size_t wanted = m_result.compare ? 2 : 1;
        if (m_fileCount != wanted)
            return fail(m_result.compare ? "--compare needs two matrix files"
                                         : "--check needs one matrix file");
        return true;
    }

private:
    bool takeLimit(const char* value) {
        double limit = 0.0;
        if (!takeNumber("--limit", value, limit, m_result.error)) return false;
        if (limit != std::floor(limit) || limit > 1e6)
            return fail("--limit needs a whole number up to 1000000");
        m_result.limit = static_cast<std::size_t>(limit);
        return true;
    }

    bool takeFile(std::string_view argument) {
        if (argument.empty()) return fail("an empty file name");
        if (m_fileCount == 2) return fail("more than two matrix files: " + std::string(argument));
        m_result.files[m_fileCount++] = argument;
        return true;
    }

    bool fail(std::string reason) {
        m_result.error = std::move(reason);
        return false;
    }

    AuditArguments& m_result;
    bool m_commandSeen = false;
    std::size_t m_fileCount = 0;
};

}  // namespace

AuditArguments parseAuditArguments(int argc, const char* const* argv) {
    AuditArguments result;
    Parser parser(result);
    for (int i = 1; i < argc; ++i) {
        bool usedValue = false;
        if (!parser.take(argv[i], i + 1 < argc ? argv[i + 1] : nullptr, usedValue)) return result;
        if (usedValue) ++i;
    }
    if (!parser.finish()) return result;
    if (!result.compare && !result.solutions[1].empty())
        result.error = "--solution-b goes with --compare";
    return result;
}
