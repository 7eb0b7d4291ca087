#include <gtest/gtest.h>

#include <string>

#include "DetailEntries.h"
#include "ListingEntry.h"
#include "DetailListing.h"

namespace {

constexpr double kUnknown = CNorvaRow::kUnknown;

constexpr auto entry = listingEntry;

// Short names, a value line without colon and the closing warning are in the print tests'
// hand-written listings; these are the layouts those do not reach.
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
