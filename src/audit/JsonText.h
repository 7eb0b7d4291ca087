#pragma once

#include <string>
#include <string_view>

// Appends JSON pieces to a string: strings escaped, numbers as numberText writes them, infinities
// (which JSON lacks) as the strings "inf" and "-inf".
void appendJsonString(std::string& out, std::string_view text);
void appendJsonNumber(std::string& out, double value);
// "key": with a leading comma unless first.
void appendJsonKey(std::string& out, std::string_view key, bool first = false);
