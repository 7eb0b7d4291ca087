#include "CompareReportWriter.h"

#include "JsonText.h"
#include "NumberText.h"

namespace {

CompareKind kindAt(std::size_t i) { return static_cast<CompareKind>(i); }

bool isPresence(CompareKind kind) { return kind <= CompareKind::kColumnOnlyInB; }
bool isCode(CompareKind kind) {
    return kind == CompareKind::kRowType || kind == CompareKind::kRowStatus ||
           kind == CompareKind::kColumnStatus;
}

std::string codeText(CompareKind kind, double code) {
    if (kind == CompareKind::kRowType) return std::string(1, static_cast<char>(code));
    return std::to_string(static_cast<int>(code));
}

std::string sideText(double value, bool present) { return present ? numberText(value) : "-"; }

void appendSide(std::string& out, const char* key, CompareKind kind, double value, bool present) {
    appendJsonKey(out, key);
    if (!present) {
        out += "null";
    } else if (kind == CompareKind::kRowType) {
        appendJsonString(out, codeText(kind, value));
    } else {
        appendJsonNumber(out, value);
    }
}

void appendModelJson(std::string& out, const char* key, const std::string& file, std::size_t rows,
                     std::size_t columns, std::size_t coefficients, bool first) {
    appendJsonKey(out, key, first);
    out += "{";
    appendJsonKey(out, "file", true);
    appendJsonString(out, file);
    out += ",\"rows\":" + std::to_string(rows) + ",\"columns\":" + std::to_string(columns) +
           ",\"coefficients\":" + std::to_string(coefficients) + "}";
}

}  // namespace

bool compareKindIsRow(CompareKind kind) {
    switch (kind) {
        case CompareKind::kRowOnlyInA:
        case CompareKind::kRowOnlyInB:
        case CompareKind::kRowType:
        case CompareKind::kRhs:
        case CompareKind::kRange:
        case CompareKind::kRowActivity:
        case CompareKind::kRowMarginal:
        case CompareKind::kRowStatus:
            return true;
        default:
            return false;
    }
}

std::string compareFindingText(CompareKind kind, const Finding& finding) {
    std::string line = finding.name;
    if (!finding.detail.empty()) line += " in " + finding.detail;
    if (isPresence(kind)) return line;
    if (isCode(kind))
        return line + ": " + codeText(kind, finding.first) + " -> " +
               codeText(kind, finding.second);
    return line + ": " + sideText(finding.first, finding.firstPresent) + " -> " +
           sideText(finding.second, finding.secondPresent) + " (by " +
           numberText(finding.magnitude) + ")";
}

std::string compareReportText(const CompareReport& report, const std::string& a,
                              const std::string& b) {
    std::string out = "Compare A " + a + " with B " + b + "\n";
    out += "Rows " + std::to_string(report.rowsA) + " / " + std::to_string(report.rowsB) +
           ", columns " + std::to_string(report.columnsA) + " / " +
           std::to_string(report.columnsB) + ", coefficients " +
           std::to_string(report.coefficientsA) + " / " + std::to_string(report.coefficientsB) +
           "\n";
    out += "Tolerances: absolute " + numberText(report.options.tolerances.absolute) +
           ", relative " + numberText(report.options.tolerances.relative) + "\n";
    if (!report.solutions) out += "Solutions not compared: a side has no solution\n";
    for (std::size_t i = 0; i < kCompareKindCount; ++i) {
        const FindingRanking& ranking = report.findings[i];
        if (ranking.count() == 0) continue;
        out +=
            std::string(compareKindName(kindAt(i))) + ": " + std::to_string(ranking.count()) + "\n";
        for (const Finding& finding : ranking.ranked())
            out += "  " + compareFindingText(kindAt(i), finding) + "\n";
    }
    const std::size_t total = report.differenceCount();
    out += total == 0 ? "No difference beyond the tolerances.\n"
                      : "Differences: " + std::to_string(total) + "\n";
    return out;
}

std::string compareReportJson(const CompareReport& report, const std::string& a,
                              const std::string& b) {
    std::string out = "{";
    appendModelJson(out, "a", a, report.rowsA, report.columnsA, report.coefficientsA, true);
    appendModelJson(out, "b", b, report.rowsB, report.columnsB, report.coefficientsB, false);
    appendJsonTolerances(out, report.options.tolerances);
    appendJsonKey(out, "solutionsCompared");
    out += report.solutions ? "true" : "false";
    appendJsonKey(out, "differences");
    out += std::to_string(report.differenceCount());
    appendJsonKey(out, "kinds");
    out += "[";
    for (std::size_t i = 0; i < kCompareKindCount; ++i) {
        const CompareKind kind = kindAt(i);
        appendJsonFindingKind(out, i == 0, compareKindName(kind), report.findings[i], "row",
                              [kind](std::string& text, const Finding& finding) {
                                  if (isPresence(kind)) return;
                                  appendSide(text, "a", kind, finding.first, finding.firstPresent);
                                  appendSide(text, "b", kind, finding.second,
                                             finding.secondPresent);
                                  appendJsonKey(text, "size");
                                  appendJsonNumber(text, finding.magnitude);
                              });
    }
    out += "]}\n";
    return out;
}
