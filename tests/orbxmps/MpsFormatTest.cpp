// Fixed columns and line ends; the automatic choice between free and fixed MPS, and
// the refusals of each, are in mps/rejected.txt.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MpsFields.h"
#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

using namespace mpstest;

TEST(MpsFormatTest, ReadsCrlfAndMissingLineEnds) {
    const std::string crlf =
        "NAME  CR\r\nROWS\r\n N  COST\r\n L  LIM1\r\nCOLUMNS\r\n"
        "    X1  COST  1  LIM1  2\r\nRHS\r\n    RHS  LIM1  3\r\nENDATA\r\n";
    std::string lf = crlf;
    std::erase(lf, '\r');
    const std::string expected = listing(readText(lf));
    for (const MpsFormat format : {MpsFormat::kFree, MpsFormat::kAuto}) {
        SCOPED_TRACE(static_cast<int>(format));
        EXPECT_EQ(listing(readText(crlf, format)), expected);
    }
    EXPECT_EQ(readText("ROWS\r\n N  COST\r\nENDATA", MpsFormat::kFixed).rowNames.name(0), "COST");
    EXPECT_EQ(readText("ROWS\n N  COST\nENDATA").rowCount(), 1u);  // no line end at the end
}

// The fields that line splits into.
std::vector<std::string> split(std::string_view line, MpsFormat format, MpsFields& fields,
                               bool hasCodeField = false) {
    splitMpsFields(line, format, hasCodeField, fields);
    return std::vector<std::string>(fields.field, fields.field + fields.count);
}
using Fields = std::vector<std::string>;

TEST(MpsFieldsTest, SplitsFixedFieldsByColumn) {
    MpsFields fields;
    EXPECT_EQ(split(" UP BND 1     COL A             12.5", MpsFormat::kFixed, fields, true),
              (Fields{"UP", "BND 1", "COL A", "12.5"}));
    EXPECT_FALSE(fields.strayText);
    // A blank set name keeps its place.
    EXPECT_EQ(split("              ROW1           4", MpsFormat::kFixed, fields),
              (Fields{"", "ROW1", "4"}));
    const std::string stray = "    X1        COST               1.5   ROW2    ";
    splitMpsFields(stray + "x", MpsFormat::kFixed, false, fields);
    EXPECT_TRUE(fields.strayText);  // column 48 belongs to no field
    EXPECT_EQ(split(stray, MpsFormat::kFixed, fields).size(), 4u);
    EXPECT_FALSE(fields.strayText);
}

TEST(MpsFieldsTest, SplitsFreeFieldsOnBlanksAndTabs) {
    MpsFields fields;
    for (const std::string& line : {std::string("  a\tbb  c \t"), std::string(70, ' ') + "a bb\tc"})
        EXPECT_EQ(split(line, MpsFormat::kFree, fields), (Fields{"a", "bb", "c"})) << line;
    splitMpsFields(" 1 2 3 4 5 6 7", MpsFormat::kFree, false, fields);
    EXPECT_TRUE(fields.tooMany);
}

}  // namespace
}  // namespace orbxmps
