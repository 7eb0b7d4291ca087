#include "AnalysisWriters.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <vector>

#include "JsonText.h"

namespace {

template <typename Number>
std::string shortest(Number value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

template <typename Number>
std::string figure(Number value, bool known) {
    return known ? shortestNumber(value) : "null";
}

std::string spanJson(const MagnitudeSpan& span) {
    return "{\"name\": " + jsonString(span.name) + ", \"count\": " + std::to_string(span.count) +
           ", \"min\": " + shortestNumber(span.min) + ", \"max\": " + shortestNumber(span.max) +
           ", \"ratio\": " + shortestNumber(span.ratio()) + "}";
}

std::string listJson(const std::vector<MagnitudeSpan>& spans, std::size_t top) {
    std::string text = "[";
    const std::size_t shown = std::min(top, spans.size());
    for (std::size_t i = 0; i < shown; ++i) {
        text += i == 0 ? "\n    " : ",\n    ";
        text += spanJson(spans[i]);
    }
    return text + (shown == 0 ? "]" : "\n  ]");
}

std::string decadesJson(const std::vector<DecadeCount>& counts) {
    std::string text = "[";
    for (std::size_t i = 0; i < counts.size(); ++i) {
        text += i == 0 ? "\n    " : ",\n    ";
        text += "{\"decade\": " + std::to_string(counts[i].decade) +
                ", \"count\": " + std::to_string(counts[i].count) + "}";
    }
    return text + (counts.empty() ? "]" : "\n  ]");
}

std::string padded(std::string_view text, std::size_t width, bool right) {
    const std::size_t fill = width > text.size() ? width - text.size() : 0;
    return right ? std::string(fill, ' ') + std::string(text)
                 : std::string(text) + std::string(fill, ' ');
}

std::string ratioText(double ratio) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", ratio);
    return buffer;
}

std::string listText(const char* title, const std::vector<MagnitudeSpan>& spans, std::size_t top,
                     const ScalingThresholds& thresholds) {
    const std::size_t shown = std::min(top, spans.size());
    std::string text = std::string(title) + " (" + std::to_string(shown) + " of " +
                       std::to_string(spans.size()) + ", largest ratio first)\n";
    std::size_t nameWidth = 4;
    for (std::size_t i = 0; i < shown; ++i) nameWidth = std::max(nameWidth, spans[i].name.size());
    text += "  " + padded("name", nameWidth, false) + "  " + padded("count", 9, true) + "  " +
            padded("min", 13, true) + "  " + padded("max", 13, true) + "  " +
            padded("ratio", 12, true) + "  level\n";
    for (std::size_t i = 0; i < shown; ++i) {
        const MagnitudeSpan& span = spans[i];
        const char* level = scalingLevelText(scalingLevel(span.ratio(), thresholds));
        std::string line = "  " + padded(span.name, nameWidth, false) + "  " +
                           padded(std::to_string(span.count), 9, true) + "  " +
                           padded(shortestNumber(span.min), 13, true) + "  " +
                           padded(shortestNumber(span.max), 13, true) + "  " +
                           padded(ratioText(span.ratio()), 12, true) + "  " + level;
        while (!line.empty() && line.back() == ' ') line.pop_back();
        text += line + '\n';
    }
    return text;
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string decadeBand(int decade) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "1e%+03d <= |v| < 1e%+03d", decade, decade + 1);
    return buffer;
}

std::string decadesText(const char* title, const std::vector<DecadeCount>& counts) {
    std::size_t total = 0;
    for (const DecadeCount& count : counts) total += count.count;
    std::string text = std::string(title) + " (" + std::to_string(total) + ")\n";
    for (const DecadeCount& count : counts)
        text += "  " + padded(std::to_string(count.decade), 4, true) + "  " +
                decadeBand(count.decade) + "  " + padded(std::to_string(count.count), 10, true) +
                '\n';
    return text;
}

}  // namespace

std::string shortestNumber(float value) { return shortest(value); }
std::string shortestNumber(double value) { return shortest(value); }

std::string scalingReportJson(const ScalingReport& report, std::size_t top) {
    const MagnitudeSpan& matrix = report.matrix;
    const bool known = matrix.count != 0;
    return "{\n  \"matrix\": {\"min\": " + figure(matrix.min, known) +
           ", \"max\": " + figure(matrix.max, known) +
           ", \"ratio\": " + figure(matrix.ratio(), known) +
           ", \"ratio_after_scaling\": " + figure(report.ratioAfterScaling, known) +
           "},\n  \"rows\": " + listJson(report.rows, top) +
           ",\n  \"columns\": " + listJson(report.columns, top) +
           ",\n  \"stems\": " + listJson(report.stems, top) + "\n}\n";
}

std::string scalingReportText(const ScalingReport& report, std::size_t top,
                              const ScalingThresholds& thresholds) {
    const MagnitudeSpan& matrix = report.matrix;
    std::string text;
    if (matrix.count == 0) {
        text = "matrix: no coefficients\n";
    } else {
        text = "matrix: " + std::to_string(matrix.count) + " coefficients, min " +
               shortestNumber(matrix.min) + ", max " + shortestNumber(matrix.max) + ", ratio " +
               ratioText(matrix.ratio()) + ", after geometric scaling " +
               ratioText(report.ratioAfterScaling) + '\n';
    }
    text += '\n' + listText("rows", report.rows, top, thresholds);
    text += '\n' + listText("columns", report.columns, top, thresholds);
    text += '\n' + listText("stems", report.stems, top, thresholds);
    return text;
}

std::string scalingReportCsv(const ScalingReport& report, const ScalingThresholds& thresholds) {
    std::string text = "list,name,count,min,max,ratio,level\n";
    const auto addList = [&](const char* list, const std::vector<MagnitudeSpan>& spans) {
        for (const MagnitudeSpan& span : spans)
            text += std::string(list) + ',' + csvField(span.name) + ',' +
                    std::to_string(span.count) + ',' + shortestNumber(span.min) + ',' +
                    shortestNumber(span.max) + ',' + shortestNumber(span.ratio()) + ',' +
                    scalingLevelText(scalingLevel(span.ratio(), thresholds)) + '\n';
    };
    addList("row", report.rows);
    addList("column", report.columns);
    addList("stem", report.stems);
    return text;
}

std::string histogramJson(const MagnitudeHistogram& histogram) {
    return "{\n  \"coefficients\": " + decadesJson(histogram.coefficients) +
           ",\n  \"rhs\": " + decadesJson(histogram.rhs) +
           ",\n  \"bounds\": " + decadesJson(histogram.bounds) + "\n}\n";
}

std::string histogramText(const MagnitudeHistogram& histogram) {
    return decadesText("coefficients", histogram.coefficients) + '\n' +
           decadesText("rhs", histogram.rhs) + '\n' + decadesText("bounds", histogram.bounds);
}
