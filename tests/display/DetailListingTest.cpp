#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "DetailEntries.h"
#include "ListingEntry.h"
#include "DetailListing.h"

namespace {

constexpr double kUnknown = CNorvaRow::kUnknown;

constexpr auto entry = listingEntry;

DetailContent shownRow() {
    DetailContent content;
    content.headers = detailHeaders(true);
    content.L1 = "Row Type: LE";
    content.L2 = "RHS Value: 5.00000";
    content.L3 = "Range Value: 2.50000";
    content.R1 = "Row Status: Basic";
    content.R2 = "Row Activity: 3.50000";
    content.R3 = "Row Activity Sum: 3.50000";
    content.R4 = "Row Pi Value: 0.00000";
    content.entries = {entry("W", 0.5, -1.0, -0.5), entry("X", 1.0, 2.0, 2.0),
                       entry("Y", 4.0, 0.5, 2.0)};
    return content;
}

// Names of at most 12 characters give n = 12: "Coefficients" from column 14, the first value
// column ending in column 25, blanks in the underline at 12, 13, 28, 29, 44 and 45.
TEST(DetailListingTest, AlignsValueLinesAndTheTableForShortNames) {
    const std::string expected =
        "/m/run.mps\n"
        "\n"
        "Row: POSRHS\n"
        "\n"
        "Row Type:     LE\n"
        "RHS Value:    5.00000\n"
        "Range Value:  2.50000\n"
        "Row Status:   Basic\n"
        "Row Activity: 3.50000\n"
        "Row Pi Value: 0.00000\n"
        "\n"
        "Column Names  Coefficients    Activity        Calculated Values\n"
        "------------  --------------  --------------  -----------------\n"
        "W                  0.50000          -1.00000           -0.50000\n"
        "X                  1.00000           2.00000            2.00000\n"
        "Y                  4.00000           0.50000            2.00000\n";
    EXPECT_EQ(DetailListingText("/m/run.mps", true, "POSRHS", shownRow()), expected);
}

TEST(DetailListingTest, EndsWithTheWarningWithoutLineEnd) {
    DetailContent content = shownRow();
    content.warning = "Warning: Row has no NEGATIVE entries.";
    const std::string body = DetailListingBody(true, "POSRHS", content);
    const std::string tail =
        "Y                  4.00000           0.50000            2.00000\n"
        "\n"
        "Warning: Row has no NEGATIVE entries.";
    ASSERT_GE(body.size(), tail.size());
    EXPECT_EQ(body.substr(body.size() - tail.size()), tail);
    EXPECT_EQ(body.rfind("Row: POSRHS\n\n", 0), 0u);
}

TEST(DetailListingTest, WidensTheTableForLongNamesAndWritesLinesWithoutColon) {
    DetailContent content;
    content.L1 = "Free text";
    content.L2 = "Fixed Bound: 1.50000";
    content.R2 = "Column Activity: ";
    content.rowDisplay = false;
    content.entries = {entry("A_TWENTY_CHAR_NAME_1", -123456.7, kUnknown, kUnknown)};
    const std::string expected =
        "Column: Z\n"
        "\n"
        "                Free text\n"
        "Fixed Bound:     1.50000\n"
        "Column Activity: \n"
        "\n"
        "Row Names             Coefficients    Pi Values       Calculated Values\n"
        "--------------------  --------------  --------------  -----------------\n"
        "A_TWENTY_CHAR_NAME_1  -1.23457e+05                                     \n";
    EXPECT_EQ(DetailListingBody(false, "Z", content), expected);
}

TEST(DetailListingTest, AnEmptyListStillHasItsHeader) {
    DetailContent content;
    content.L1 = "Row Type: ";
    const std::string expected =
        "Row: \n"
        "\n"
        "Row Type: \n"
        "\n"
        "Column Names  Coefficients    Activity        Calculated Values\n"
        "------------  --------------  --------------  -----------------\n";
    EXPECT_EQ(DetailListingBody(true, "", content), expected);
}

}  // namespace
