#pragma once

#include <string>
#include <string_view>

// text as a JSON string literal. Names are bytes: valid UTF-8 passes through, any other byte
// is taken as Latin-1, so that the output is always valid JSON and no name is lost.
std::string jsonString(std::string_view text);
