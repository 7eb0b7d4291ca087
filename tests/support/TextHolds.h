#pragma once

#include <gtest/gtest.h>

#include <string_view>

// Whether text holds part; a failure shows both. Every area's checks call it unqualified.
inline testing::AssertionResult holds(std::string_view text, std::string_view part) {
    if (text.find(part) != std::string_view::npos) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\"" << part << "\" is not in:\n" << text;
}
