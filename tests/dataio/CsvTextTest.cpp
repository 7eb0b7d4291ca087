#include <gtest/gtest.h>

#include <string>

#include "CsvText.h"

namespace {

// The records as "line:field|field;" for short comparisons.
std::string shape(const std::vector<CsvRecord>& records) {
    std::string out;
    for (const CsvRecord& record : records) {
        out += std::to_string(record.line) + ":";
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            out += (i ? "|" : "") + record.fields[i];
        }
        out += ";";
    }
    return out;
}

TEST(CsvTextTest, ReadsPlainAndQuotedFields) {
    std::vector<CsvRecord> records;
    const CsvProblem problem =
        parseCsv("\xEF\xBB\xBFNAME,NOTE\r\nA,\"x, \"\"y\"\"\"\r\n\nB,\"two\nlines\"\n,\n", records);
    EXPECT_EQ(problem.line, 0) << problem.text;
    EXPECT_EQ(shape(records), "1:NAME|NOTE;2:A|x, \"y\";4:B|two\nlines;6:|;");
}

TEST(CsvTextTest, KeepsQuotesInsideAnUnquotedField) {
    std::vector<CsvRecord> records;
    EXPECT_EQ(parseCsv("5\" pipe,2", records).line, 0);
    EXPECT_EQ(shape(records), "1:5\" pipe|2;");
}

TEST(CsvTextTest, RejectsAQuotedFieldLeftOpen) {
    std::vector<CsvRecord> records;
    const CsvProblem problem = parseCsv("A,B\n1,2\n3,\"open\n4,5\n", records);
    EXPECT_EQ(problem.line, 3);
    EXPECT_EQ(problem.text, "a quoted field is not closed");
    EXPECT_EQ(shape(records), "1:A|B;2:1|2;");
}

TEST(CsvTextTest, RejectsTextAfterAClosingQuote) {
    std::vector<CsvRecord> records;
    const CsvProblem problem = parseCsv("A,B\n\"a\nb\"c,2\n", records);
    EXPECT_EQ(problem.line, 3);
    EXPECT_NE(problem.text.find("follows the closing quote"), std::string::npos);
}

}  // namespace
