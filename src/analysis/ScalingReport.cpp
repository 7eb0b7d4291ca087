#include "ScalingReport.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "GeometricScaling.h"
#include "NameStem.h"

namespace {

void rank(std::vector<MagnitudeSpan>& spans) {
    std::sort(spans.begin(), spans.end(), [](const MagnitudeSpan& a, const MagnitudeSpan& b) {
        const double ra = a.ratio();
        const double rb = b.ratio();
        if (ra != rb) return ra > rb;
        return a.name < b.name;
    });
}

std::vector<MagnitudeSpan> withoutEmpty(std::vector<MagnitudeSpan> spans) {
    std::erase_if(spans, [](const MagnitudeSpan& span) { return span.count == 0; });
    return spans;
}

// Blocks of rows by stem, in the file order of their first rows.
void addStems(const MatrixModel& model, const std::vector<MagnitudeSpan>& rows,
              ScalingReport& report) {
    std::unordered_map<std::string_view, std::size_t> blockOf;
    std::vector<MagnitudeSpan> stems;
    std::vector<std::string_view> firstRows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string_view name = model.rowNameTable[i];
        const std::string_view stem = nameStem(name);
        const auto [place, added] = blockOf.try_emplace(stem, stems.size());
        if (added) {
            stems.push_back({stem, 0, 0.0f, 0.0f});
            firstRows.push_back(name);
        }
        stems[place->second].merge(rows[i]);
    }
    // Rank the blocks and carry each one's first row along.
    std::vector<std::size_t> order(stems.size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const double ra = stems[a].ratio();
        const double rb = stems[b].ratio();
        if (ra != rb) return ra > rb;
        return stems[a].name < stems[b].name;
    });
    for (const std::size_t k : order) {
        if (stems[k].count == 0) continue;
        report.stems.push_back(stems[k]);
        report.stemFirstRows.push_back(firstRows[k]);
    }
}

}  // namespace

ScalingReport computeScalingReport(const MatrixModel& model) {
    ScalingReport report;
    std::vector<MagnitudeSpan> rows(model.rowNameTable.size());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i].name = model.rowNameTable[i];
    std::vector<MagnitudeSpan> columns;
    columns.reserve(model.columns.size());
    for (const CCol& column : model.columns) {
        MagnitudeSpan& span = columns.emplace_back();
        span.name = column.name();
        for (const ColumnEntry& entry : column.entries()) {
            span.add(entry.value);
            rows[entry.row].add(entry.value);
        }
        report.matrix.merge(span);
    }
    report.ratioAfterScaling = ratioAfterGeometricScaling(model, kScalingPasses);
    addStems(model, rows, report);
    report.rows = withoutEmpty(std::move(rows));
    rank(report.rows);
    report.columns = withoutEmpty(std::move(columns));
    rank(report.columns);
    return report;
}

ScalingLevel scalingLevel(double ratio, const ScalingThresholds& thresholds) {
    if (ratio >= thresholds.bad) return ScalingLevel::kBad;
    if (ratio >= thresholds.attention) return ScalingLevel::kAttention;
    return ScalingLevel::kFine;
}

const char* scalingLevelText(ScalingLevel level) {
    switch (level) {
        case ScalingLevel::kBad:
            return "bad";
        case ScalingLevel::kAttention:
            return "attention";
        default:
            return "";
    }
}
