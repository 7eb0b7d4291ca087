#include "ToleranceSettings.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr const char* kSection = "Options";
constexpr const char* kAbsoluteKey = "CheckAbsoluteTolerance";
constexpr const char* kRelativeKey = "CheckRelativeTolerance";

double readOne(const ISettingsStore& store, const char* key, double fallback) {
    const std::optional<std::string> stored =
        store.readString(SettingsScope::kProfile, kSection, key);
    if (!stored) return fallback;
    return parseTolerance(*stored).value_or(fallback);
}

void writeOne(ISettingsStore& store, const char* key, double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    store.writeString(SettingsScope::kProfile, kSection, key, text);
}

}  // namespace

std::optional<double> parseTolerance(const std::string& text) {
    std::size_t begin = text.find_first_not_of(' ');
    std::size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos) return std::nullopt;
    double value = 0.0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    const auto [stop, error] = std::from_chars(first, last, value);
    if (error != std::errc() || stop != last || !(value >= 0.0) || std::isinf(value))
        return std::nullopt;
    return value;
}

Tolerances readTolerances(const ISettingsStore& store) {
    const Tolerances defaults;
    return {readOne(store, kAbsoluteKey, defaults.absolute),
            readOne(store, kRelativeKey, defaults.relative)};
}

void writeTolerances(ISettingsStore& store, const Tolerances& tolerances) {
    writeOne(store, kAbsoluteKey, tolerances.absolute);
    writeOne(store, kRelativeKey, tolerances.relative);
}
