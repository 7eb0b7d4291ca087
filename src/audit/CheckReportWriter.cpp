#include "CheckReportWriter.h"

#include "JsonText.h"
#include "NumberText.h"

namespace {

constexpr CheckKind kKinds[] = {CheckKind::kRowActivity, CheckKind::kRowBound,
                                CheckKind::kColumnBound, CheckKind::kRowMarginal,
                                CheckKind::kColumnMarginal};

void appendCount(std::string& out, const char* label, std::size_t count) {
    out += label;
    out += std::to_string(count);
}

void appendFindingLine(std::string& out, CheckKind kind, const Finding& finding) {
    out += "  " + finding.name;
    if (!finding.detail.empty()) out += " (" + finding.detail + ")";
    out += std::string("  ") + checkValueLabel(kind, false) + " " + numberText(finding.first);
    if (kind != CheckKind::kRowMarginal && kind != CheckKind::kColumnMarginal)
        out += std::string("  ") + checkValueLabel(kind, true) + " " + numberText(finding.second);
    out += "  by " + numberText(finding.magnitude) + "\n";
}

}  // namespace

const char* checkValueLabel(CheckKind kind, bool second) {
    switch (kind) {
        case CheckKind::kRowActivity:
            return second ? "recomputed" : "reported";
        case CheckKind::kRowBound:
        case CheckKind::kColumnBound:
            return second ? "limit" : "activity";
        default:
            return second ? "" : "marginal";
    }
}

std::string checkReportText(const CheckReport& report, const std::string& matrix) {
    std::string out = "Solution check of " + matrix + ": ";
    out += std::to_string(report.rows) + " rows, " + std::to_string(report.columns) + " columns; " +
           std::to_string(report.rowRecords) + " row and " + std::to_string(report.columnRecords) +
           " column records\n";
    const Tolerances& tolerances = report.options.tolerances;
    out += "Tolerances: absolute " + numberText(tolerances.absolute) + ", relative " +
           numberText(tolerances.relative) +
           (report.options.maximise ? "; maximising\n" : "; minimising\n");
    appendCount(out, "Rows without a record: ", report.rowsWithoutRecord);
    appendCount(out, ", columns without a record: ", report.columnsWithoutRecord);
    appendCount(out, ", rows not recomputed: ", report.rowsNotRecomputed);
    appendCount(out, ", records naming nothing: ", report.strayRecords);
    out += "\n";
    for (const CheckKind kind : kKinds) {
        const FindingRanking& ranking = report.of(kind);
        out += std::string(checkKindName(kind)) + ": " + std::to_string(ranking.count()) + "\n";
        for (const Finding& finding : ranking.ranked()) appendFindingLine(out, kind, finding);
    }
    const std::size_t total = report.violationCount();
    out += total == 0 ? "No violation beyond the tolerances.\n"
                      : "Violations: " + std::to_string(total) + "\n";
    return out;
}

std::string checkReportJson(const CheckReport& report, const std::string& matrix) {
    std::string out = "{";
    appendJsonKey(out, "matrix", true);
    appendJsonString(out, matrix);
    appendJsonTolerances(out, report.options.tolerances);
    appendJsonKey(out, "sense");
    appendJsonString(out, report.options.maximise ? "max" : "min");
    const std::pair<const char*, std::size_t> counts[] = {
        {"rows", report.rows},
        {"columns", report.columns},
        {"rowRecords", report.rowRecords},
        {"columnRecords", report.columnRecords},
        {"rowsWithoutRecord", report.rowsWithoutRecord},
        {"columnsWithoutRecord", report.columnsWithoutRecord},
        {"rowsNotRecomputed", report.rowsNotRecomputed},
        {"strayRecords", report.strayRecords},
        {"violations", report.violationCount()}};
    for (const auto& [key, count] : counts) {
        appendJsonKey(out, key);
        out += std::to_string(count);
    }
    appendJsonKey(out, "kinds");
    out += "[";
    for (const CheckKind kind : kKinds) {
        appendJsonFindingKind(out, kind == kKinds[0], checkKindName(kind), report.of(kind),
                              "status", [](std::string& text, const Finding& finding) {
                                  appendJsonKey(text, "value");
                                  appendJsonNumber(text, finding.first);
                                  appendJsonKey(text, "reference");
                                  appendJsonNumber(text, finding.second);
                                  appendJsonKey(text, "size");
                                  appendJsonNumber(text, finding.magnitude);
                              });
    }
    out += "]}\n";
    return out;
}
