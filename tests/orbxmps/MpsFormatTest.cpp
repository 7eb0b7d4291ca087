// Fixed columns and line ends; the automatic choice between free and fixed MPS, and
// the refusals of each, are in mps/rejected.txt.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MpsFields.h"
#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

using mpstest::readText;

// A fixed-MPS data line: code in columns 2-3, names in 5-12, 15-22 and 40-47, numbers
// right-aligned in 25-36 and 50-61.
std::string fixedLine(std::string code, std::string name1, std::string name2 = "",
                      std::string number1 = "", std::string name3 = "", std::string number2 = "") {
    std::string line(61, ' ');
    auto put = [&line](std::size_t column, const std::string& text) {
        line.replace(column - 1, text.size(), text);
    };
    put(2, code);
    put(5, name1);
    put(15, name2);
    put(37 - number1.size(), number1);
    put(40, name3);
    put(62 - number2.size(), number2);
    line.erase(line.find_last_not_of(' ') + 1);
    return line + "\n";
}

TEST(MpsFormatTest, ReadsCrlfAndMissingLineEnds) {
    std::string text =
        "NAME  CR\r\nROWS\r\n N  COST\r\n L  LIM1\r\nCOLUMNS\r\n"
        "    X1  COST  1  LIM1  2\r\nRHS\r\n    RHS  LIM1  3\r\nENDATA\r\n";
    for (const MpsFormat format : {MpsFormat::kFree, MpsFormat::kAuto}) {
        SCOPED_TRACE(static_cast<int>(format));
        const MatrixStore store = readText(text, format);
        EXPECT_EQ(store.problemName, "CR");
        EXPECT_EQ(store.rowNames.find("LIM1"), 1);
        EXPECT_EQ(store.rhs[1], 3.0);
    }
    const std::string fixed = "ROWS\r\n" + fixedLine("N", "COST").insert(8, "\r") + "ENDATA";
    EXPECT_EQ(readText(fixed, MpsFormat::kFixed).rowNames.name(0), "COST");
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
    const std::string bound = fixedLine("UP", "BND 1", "COL A", "12.5");
    EXPECT_EQ(split(bound.substr(0, bound.size() - 1), MpsFormat::kFixed, fields, true),
              (Fields{"UP", "BND 1", "COL A", "12.5"}));
    EXPECT_FALSE(fields.strayText);
    // A blank set name keeps its place.
    EXPECT_EQ(split("              ROW1           4", MpsFormat::kFixed, fields),
              (Fields{"", "ROW1", "4"}));
    std::string stray = fixedLine("", "X1", "COST", "1.5", "ROW2");
    stray.resize(47, ' ');
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
