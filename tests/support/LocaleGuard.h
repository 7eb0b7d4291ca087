#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace testsupport {

// Switches the C library's number locale for one test and restores it afterwards. The setup
// script generates de_DE.UTF-8; without it the comma-decimal tests cannot say anything.
class NumericLocale {
public:
    explicit NumericLocale(const char* name) : m_previous(std::setlocale(LC_NUMERIC, nullptr)) {
        m_active = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }
    NumericLocale(const NumericLocale&) = delete;
    NumericLocale& operator=(const NumericLocale&) = delete;

    bool active() const { return m_active; }

private:
    std::string m_previous;
    bool m_active = false;
};

inline constexpr const char* kCommaLocale = "de_DE.UTF-8";
inline constexpr const char* kMissingCommaLocale =
    "locale de_DE.UTF-8 is not installed; run scripts/install-deps.sh to generate it";

}  // namespace testsupport
