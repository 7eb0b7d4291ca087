#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The readers under test take files: each input is written to a scratch file in a folder of
// this process's own, made at the first call and removed at exit.
std::string writeFuzzInput(const std::string& name, std::string_view bytes);

inline std::string_view fuzzBytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}
