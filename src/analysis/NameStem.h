#pragma once

#include <string_view>

// A name without its trailing digits and separators (anything not a letter), which is how
// generated models name the members of one block: "FLOW_12_3" and "FLOW(7)" have the stem
// "FLOW". A name with nothing before its trailing digits is its own stem.
std::string_view nameStem(std::string_view name);
