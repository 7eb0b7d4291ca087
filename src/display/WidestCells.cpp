#include "WidestCells.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "DetailEntries.h"
#include "ValueExtremes.h"

namespace {

// Among values of one sign that are all written fixed, or all scientific, the longest text
// belongs to the largest magnitude, or (scientific only: a three-digit exponent) to the
// magnitude nearest 0. Zero is never longer than either. Equal magnitudes of one sign are
// equal values, so the values stand for their entries.
struct Band {
    std::optional<double> largest;
    std::optional<double> nearest;
    double largestMagnitude = 0;
    double nearestMagnitude = 0;

    void offer(double value, double magnitude) {
        if (!largest || magnitude > largestMagnitude) largest = value, largestMagnitude = magnitude;
        if (magnitude > 0 && (!nearest || magnitude < nearestMagnitude))
            nearest = value, nearestMagnitude = magnitude;
    }
};

// Calls visit(value) for every value column (1, 2 or 3) shows.
template <typename Visit>
void forEachValue(const DetailContent& content, int column, Visit visit) {
    if (content.entries.empty()) return content.rowEntries.forEachValue(column, visit);
    for (const CNorvaRow& entry : content.entries)
        if (const double* value = entryCellValue(entry, column, content.rowDisplay)) visit(*value);
}

// Sorts every value into its band in order: the values' own order decides where a value that
// is not a number ranks.
std::vector<std::string> textsByBands(const DetailContent& content, int column,
                                      const ValueExtremes& extremes) {
    Band bands[2][2];  // [negative][scientific]
    const double limits[2] = {extremes.scientificFrom(false), extremes.scientificFrom(true)};
    forEachValue(content, column, [&bands, &limits](double value) {
        const bool negative = std::signbit(value);
        const double magnitude = std::fabs(value);
        bands[negative][!(magnitude < limits[negative])].offer(value, magnitude);
    });
    std::vector<std::string> texts;
    for (const auto& sign : bands)
        for (const Band& band : sign)
            for (const std::optional<double>& value : {band.largest, band.nearest})
                if (value) texts.push_back(formatNumber(*value, content.format));
    return texts;
}

// A dense row's summary holds the extremes already; otherwise one pass gathers them.
std::vector<std::string> numberTexts(const DetailContent& content, int column) {
    const ValueExtremes* extremes =
        content.entries.empty() ? content.rowEntries.extremesOf(column) : nullptr;
    std::optional<ValueExtremes> gathered;
    if (extremes == nullptr || !extremes->madeFor(content.format)) {
        gathered.emplace(content.format);
        forEachValue(content, column, [&gathered](double value) { gathered->offer(value); });
        extremes = &*gathered;
    }
    const std::optional<std::vector<double>> values = extremes->candidates();
    if (!values) return textsByBands(content, column, *extremes);
    std::vector<std::string> texts;
    texts.reserve(values->size());
    for (const double value : *values) texts.push_back(formatNumber(value, content.format));
    return texts;
}

std::vector<std::string> lastColumnTexts(const DetailContent& content) {
    const auto& entries = content.entries;
    if (content.rowDisplay) {
        std::int32_t most = entries.empty() ? content.rowEntries.largestTermNumber() : 0;
        for (const CNorvaRow& entry : entries) most = std::max(most, entry.termNumber);
        if (most <= 0) return {};
        return {std::to_string(most)};
    }
    std::vector<std::string> marks;
    for (const char mark : {'L', 'N'})
        if (std::any_of(entries.begin(), entries.end(),
                        [mark](const CNorvaRow& e) { return e.linearityMark == mark; }))
            marks.emplace_back(1, mark);
    return marks;
}

}  // namespace

std::vector<std::string> widestCellTexts(const DetailContent& content, int column) {
    if (column == 0) {
        if (content.entryCount() == 0) return {};
        return {std::string(content.longestEntryName())};
    }
    if (column >= 1 && column <= 3) return numberTexts(content, column);
    if (column == 4) return lastColumnTexts(content);
    return {};
}
