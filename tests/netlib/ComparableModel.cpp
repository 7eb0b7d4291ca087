#include "ComparableModel.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "MatrixStore.h"

namespace netlib {

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();

std::string text(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

std::string text(const Interval& interval) {
    return "[" + text(interval.lower) + ", " + text(interval.upper) + "]";
}

bool sameInterval(const Interval& a, const Interval& b) {
    return sameValue(a.lower, b.lower) && sameValue(a.upper, b.upper);
}

// Collects difference lines up to a limit and counts the rest.
class Report {
public:
    explicit Report(std::size_t limit) : m_limit(limit) {}

    void add(std::string line) {
        if (m_lines.size() < m_limit) {
            m_lines.push_back(std::move(line));
        } else {
            ++m_dropped;
        }
    }

    std::vector<std::string> finish() {
        if (m_dropped != 0) m_lines.push_back("... and " + std::to_string(m_dropped) + " more");
        return std::move(m_lines);
    }

private:
    std::size_t m_limit;
    std::size_t m_dropped = 0;
    std::vector<std::string> m_lines;
};

// Reports keys present on one side only and calls same(key, a, b) for keys on both.
template <typename Map, typename Same>
void compareKeys(const Map& expected, const Map& actual, const std::string& what, Report& report,
                 Same same) {
    for (const auto& [key, value] : expected) {
        const auto found = actual.find(key);
        if (found == actual.end()) {
            report.add(what + " " + key + " missing");
        } else {
            same(key, value, found->second);
        }
    }
    for (const auto& [key, value] : actual) {
        if (!expected.contains(key)) report.add(what + " " + key + " unexpected");
    }
}

void compareColumn(const std::string& name, const ComparableModel::Column& expected,
                   const ComparableModel::Column& actual, Report& report) {
    if (!sameInterval(expected.bounds, actual.bounds)) {
        report.add("column " + name + " bounds: expected " + text(expected.bounds) + ", got " +
                   text(actual.bounds));
    }
    if (!sameValue(expected.objective, actual.objective)) {
        report.add("column " + name + " objective: expected " + text(expected.objective) +
                   ", got " + text(actual.objective));
    }
    compareKeys(expected.coefficients, actual.coefficients, "column " + name + " row", report,
                [&](const std::string& row, double a, double b) {
                    if (sameValue(a, b)) return;
                    report.add("column " + name + " row " + row + ": expected " + text(a) +
                               ", got " + text(b));
                });
}

}  // namespace

std::string nameKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    for (char c : name) {
        if (c != ' ') key += c;
    }
    return key;
}

double normaliseInfinity(double value) {
    if (value >= orbxmps::kInfinity) return kInfinite;
    if (value <= -orbxmps::kInfinity) return -kInfinite;
    return value;
}

Interval rowBounds(std::int16_t typeCode, double rhs, double range) {
    const double width = std::fabs(range);
    Interval bounds{-kInfinite, kInfinite};
    switch (typeCode) {
        case orbxmps::kRowEqual:
            bounds = {range < 0 ? rhs - width : rhs, range > 0 ? rhs + width : rhs};
            break;
        case orbxmps::kRowLessEqual:
            bounds = {range != 0 ? rhs - width : -kInfinite, rhs};
            break;
        case orbxmps::kRowGreaterEqual:
            bounds = {rhs, range != 0 ? rhs + width : kInfinite};
            break;
        default:
            break;
    }
    return {normaliseInfinity(bounds.lower), normaliseInfinity(bounds.upper)};
}

bool sameValue(double a, double b) {
    if (a == b) return true;
    if (std::isinf(a) || std::isinf(b) || std::isnan(a) || std::isnan(b)) return false;
    const double scale = std::fmax(std::fabs(a), std::fabs(b));
    return std::fabs(a - b) <= 2 * std::numeric_limits<double>::epsilon() * scale;
}

std::vector<std::string> differences(const ComparableModel& expected, const ComparableModel& actual,
                                     std::size_t maxReported) {
    Report report(maxReported);
    for (const std::string& clash : expected.keyClashes) report.add("expected model: " + clash);
    for (const std::string& clash : actual.keyClashes) report.add("actual model: " + clash);
    auto count = [&](const char* what, std::size_t a, std::size_t b) {
        if (a != b) {
            report.add(std::string(what) + ": expected " + std::to_string(a) + ", got " +
                       std::to_string(b));
        }
    };
    count("rows", expected.rows.size(), actual.rows.size());
    count("columns", expected.columns.size(), actual.columns.size());
    count("coefficients", expected.coefficientCount, actual.coefficientCount);
    if (!sameValue(expected.objectiveConstant, actual.objectiveConstant)) {
        report.add("objective constant: expected " + text(expected.objectiveConstant) + ", got " +
                   text(actual.objectiveConstant));
    }
    compareKeys(expected.rows, actual.rows, "row", report,
                [&](const std::string& name, const Interval& a, const Interval& b) {
                    if (sameInterval(a, b)) return;
                    report.add("row " + name + " bounds: expected " + text(a) + ", got " + text(b));
                });
    compareKeys(expected.columns, actual.columns, "column", report,
                [&](const std::string& name, const ComparableModel::Column& a,
                    const ComparableModel::Column& b) { compareColumn(name, a, b, report); });
    return report.finish();
}

}  // namespace netlib
