#pragma once

#include <optional>
#include <string>
#include <string_view>

// The dialog framework's field exchange and validation for the Options sheet: a field whose
// text does not parse or lies outside its range gets the framework's standard message and
// keeps the focus.
struct FieldError {
    int controlId;
    std::string message;
};

// An integer field from minimum to maximum: "Enter an integer." when the text is no integer,
// "Enter an integer between MIN and MAX." when out of range.
std::optional<int> parseIntegerField(std::string_view text, int minimum, int maximum,
                                     std::string& message);
// A number field: "Enter a number." or "Enter a number between MIN and MAX.", the bounds as
// "%.15g" writes them (so 1e20 reads "1e+20").
std::optional<double> parseNumberField(std::string_view text, double minimum, double maximum,
                                       std::string& message);
// A text field of at most maxChars characters: "Enter no more than N characters." otherwise.
bool checkTextLength(std::string_view text, std::size_t maxChars, std::string& message);

// How a number field shows a double ("%.15g", "." whatever the locale).
std::string numberFieldText(double value);
