#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

#include "JsonText.h"
#include "NumberText.h"

namespace {

TEST(ReportTextTest, NamesAreEscapedAndNumbersWrittenAsTheirFloat) {
    std::string json;
    appendJsonString(json, std::string("a\"b\\c\n\x01", 7));
    EXPECT_EQ(json, "\"a\\\"b\\\\c\\n\\u0001\"");

    const std::pair<double, const char*> numbers[] = {
        {0.1f, "0.1"}, {299.799988, "299.8"}, {1e-9, "1e-09"},
        {-0.0, "-0"},  {1e300, "1e+300"},     {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& [value, text] : numbers) {
        SCOPED_TRACE(text);
        EXPECT_EQ(numberText(value), text);
    }
    std::string infinite;
    appendJsonNumber(infinite, -std::numeric_limits<double>::infinity());
    EXPECT_EQ(infinite, "\"-inf\"");
}

}  // namespace
