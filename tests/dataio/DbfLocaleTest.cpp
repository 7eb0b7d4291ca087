#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "DbfFieldDecoding.h"
#include "DbfNumberFormat.h"
#include "DbfTableFixture.h"

namespace {

using testsupport::DbfFileBuilder;

constexpr const char* kCommaLocale = "de_DE.UTF-8";

// Puts the process under a locale whose decimal separator is a comma, and back afterwards.
class CommaLocale {
public:
    CommaLocale() : m_saved(std::setlocale(LC_ALL, nullptr)) {
        m_active = std::setlocale(LC_ALL, kCommaLocale) != nullptr;
    }
    ~CommaLocale() { std::setlocale(LC_ALL, m_saved.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return m_active; }

private:
    std::string m_saved;
    bool m_active = false;
};

class DbfLocaleTest : public testsupport::DbfTableFixture {};

TEST_F(DbfLocaleTest, ReadsAPointDecimalUnderACommaLocale) {
    CommaLocale locale;
    ASSERT_TRUE(locale.active()) << "the locale " << kCommaLocale
                                 << " is not installed; the setup script generates it";
    // The C library now stops at the point: the reader must not rely on it.
    ASSERT_EQ(std::strtod("-12.50", nullptr), -12.0);

    ASSERT_TRUE(openBuilt(DbfFileBuilder()
                              .field("PRICE", 'N', 10, 2)
                              .field("RATE", 'F', 12, 4)
                              .field("DAY", 'D', 8)
                              .record({"    -12.50", "      0.0625", "20240229"})));
    ASSERT_TRUE(read("", "", "*")) << messages();
    ASSERT_EQ(m_rows.size(), 1u);
    EXPECT_DOUBLE_EQ(value(0, 0).GetDouble(), -12.5);
    EXPECT_DOUBLE_EQ(value(0, 1).GetDouble(), 0.0625);
    EXPECT_EQ(value(0, 2).AsString(), "2024-02-29");
}

TEST_F(DbfLocaleTest, WritesAPointDecimalUnderACommaLocale) {
    CommaLocale locale;
    ASSERT_TRUE(locale.active()) << "the locale " << kCommaLocale
                                 << " is not installed; the setup script generates it";
    EXPECT_EQ(formatDbfNumber(-12.5, 8, 2), "  -12.50");
    EXPECT_DOUBLE_EQ(parseDbfNumber(formatDbfNumber(1234.5678, 10, 3)), 1234.568);
}

}  // namespace
