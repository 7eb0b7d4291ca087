#include <gtest/gtest.h>

#include "DataMessages.h"

namespace {

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
