#include "WidestCells.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "DetailEntries.h"

namespace {

// Among values of one sign that are all written fixed, or all scientific, the longest text
// belongs to the largest magnitude, or (scientific only: a three-digit exponent) to the
// magnitude nearest 0. Zero is never longer than either.
struct Band {
    const CNorvaRow* largest = nullptr;
    const CNorvaRow* nearest = nullptr;
    double largestMagnitude = 0;
    double nearestMagnitude = 0;

    void offer(const CNorvaRow& entry, double magnitude) {
        if (largest == nullptr || magnitude > largestMagnitude)
            largest = &entry, largestMagnitude = magnitude;
        if (magnitude > 0 && (nearest == nullptr || magnitude < nearestMagnitude))
            nearest = &entry, nearestMagnitude = magnitude;
    }
};

// The magnitude from which a value of the sign is written in scientific form: where its fixed
// text would pass 12 characters.
double scientificFrom(const NumberFormatOptions& format, bool negative) {
    if (format.alwaysScientific) return 0;
    const int decimals = std::clamp(format.decimals, 0, 12);
    const int integerDigits = 12 - (negative ? 1 : 0) - (decimals > 0 ? decimals + 1 : 0);
    return integerDigits < 1 ? 0 : std::pow(10.0, integerDigits);
}

std::vector<std::string> numberTexts(const DetailContent& content, int column) {
    Band bands[2][2];  // [negative][scientific]
    const double limits[2] = {scientificFrom(content.format, false),
                              scientificFrom(content.format, true)};
    for (const CNorvaRow& entry : content.entries) {
        const double* value = entryCellValue(entry, column, content.rowDisplay);
        if (value == nullptr) continue;
        const bool negative = std::signbit(*value);
        const double magnitude = std::fabs(*value);
        bands[negative][!(magnitude < limits[negative])].offer(entry, magnitude);
    }
    std::vector<std::string> texts;
    for (const auto& sign : bands)
        for (const Band& band : sign)
            for (const CNorvaRow* entry : {band.largest, band.nearest})
                if (entry != nullptr)
                    texts.push_back(entryCell(*entry, column, content.rowDisplay, content.format));
    return texts;
}

std::vector<std::string> lastColumnTexts(const DetailContent& content) {
    const auto& entries = content.entries;
    if (content.rowDisplay) {
        const auto most = std::max_element(
            entries.begin(), entries.end(),
            [](const CNorvaRow& a, const CNorvaRow& b) { return a.termNumber < b.termNumber; });
        if (most == entries.end() || most->termNumber <= 0) return {};
        return {std::to_string(most->termNumber)};
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
        std::string_view longest;
        for (const CNorvaRow& entry : content.entries)
            if (entry.name.size() > longest.size()) longest = entry.name;
        if (content.entries.empty()) return {};
        return {std::string(longest)};
    }
    if (column >= 1 && column <= 3) return numberTexts(content, column);
    if (column == 4) return lastColumnTexts(content);
    return {};
}
