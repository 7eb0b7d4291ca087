#include "ScalingReport.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "GeometricScaling.h"
#include "NameStem.h"

namespace {

// Positions of spans ranked by ratio, largest first, ties by name. Sorting keys beside the
// positions keeps the division and the 32-byte records out of the comparisons.
std::vector<std::uint32_t> rankOrder(const std::vector<MagnitudeSpan>& spans) {
    std::vector<std::pair<double, std::uint32_t>> keys(spans.size());
    for (std::size_t i = 0; i < spans.size(); ++i)
        keys[i] = {spans[i].ratio(), static_cast<std::uint32_t>(i)};
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first > b.first;
        return spans[a.second].name < spans[b.second].name;
    });
    std::vector<std::uint32_t> order(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) order[k] = keys[k].second;
    return order;
}

void rank(std::vector<MagnitudeSpan>& spans) {
    std::vector<MagnitudeSpan> ranked;
    ranked.reserve(spans.size());
    for (const std::uint32_t i : rankOrder(spans)) ranked.push_back(spans[i]);
    spans.swap(ranked);
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
    const std::vector<std::uint32_t> order = rankOrder(stems);
    for (const std::uint32_t k : order) {
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
        for (const ColumnEntry& entry : model.entries.of(column)) {
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
