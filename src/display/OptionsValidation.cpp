#include "OptionsValidation.h"

#include <charconv>
#include <system_error>

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// from_chars takes no leading '+'; a field does.
std::string_view withoutPlus(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') return text.substr(1);
    return text;
}

template <typename Number>
std::optional<Number> parseWhole(std::string_view text) {
    text = withoutPlus(trimmed(text));
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

std::string numberFieldText(double value) {
    char buffer[40];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (error != std::errc()) return {};
    std::string text(buffer, end);
    // printf's "%g" writes at least two exponent digits ("1e+20", "1e-07"); to_chars does not.
    const std::size_t e = text.find('e');
    if (e != std::string::npos && text.size() - e == 3) text.insert(e + 2, 1, '0');
    return text;
}

std::optional<int> parseIntegerField(std::string_view text, int minimum, int maximum,
                                     std::string& message) {
    const std::optional<int> value = parseWhole<int>(text);
    if (!value) {
        message = "Enter an integer.";
        return std::nullopt;
    }
    if (*value < minimum || *value > maximum) {
        message = "Enter an integer between " + std::to_string(minimum) + " and " +
                  std::to_string(maximum) + ".";
        return std::nullopt;
    }
    return value;
}

std::optional<double> parseNumberField(std::string_view text, double minimum, double maximum,
                                       std::string& message) {
    const std::optional<double> value = parseWhole<double>(text);
    if (!value) {
        message = "Enter a number.";
        return std::nullopt;
    }
    if (!(*value >= minimum && *value <= maximum)) {
        message = "Enter a number between " + numberFieldText(minimum) + " and " +
                  numberFieldText(maximum) + ".";
        return std::nullopt;
    }
    return value;
}

bool checkTextLength(std::string_view text, std::size_t maxChars, std::string& message) {
    if (text.size() <= maxChars) return true;
    message = "Enter no more than " + std::to_string(maxChars) + " characters.";
    return false;
}
