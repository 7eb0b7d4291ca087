#include <gtest/gtest.h>

#include "DataMessages.h"

namespace {

TEST(DataMessages, TextsStandAsTheProgramShowsThem) {
    EXPECT_STREQ(datamsg::text(datamsg::kKeyFieldNotFound), "[%1] KeyField not Found. ");
    EXPECT_STREQ(datamsg::text(datamsg::kDbfUnknownType),
                 "Unkown or unsupported data type for column  [%1]");
    EXPECT_STREQ(datamsg::text(datamsg::kDbfShortRecord),
                 "An error occurred while trying to read the next record.\n\nMake sure the file "
                 "has not been corrupted.");
    EXPECT_STREQ(datamsg::text(datamsg::kTooManyDecimals),
                 "To many decimal places specified  in column %1.");
    EXPECT_STREQ(datamsg::text(99999), "");
}

TEST(DataMessages, FormatFillsEveryPlaceholder) {
    EXPECT_EQ(datamsg::format(datamsg::kExtractColumnNotFound, "Slack"),
              "Can Not Find Extract Column [Slack].");
    EXPECT_EQ(datamsg::format(datamsg::kEmptyKeyRowSkipped, "17"),
              "Row 17 with all empty key values skipped.");
    // An argument holding the placeholder is not expanded again.
    EXPECT_EQ(datamsg::format(datamsg::kUnableToOpenTable, "%1%1"), "Unable to open table [%1%1]");
    EXPECT_EQ(datamsg::format(datamsg::kNoKeyValues, "x"), "No Key Values Specified.");
}

}  // namespace
