#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "MpsReader.h"
#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

using namespace mpstest;

// Each model against its expected listing under tests/data/orbxmps, whose '#' lines note what
// each model exercises.
TEST(MpsReaderTest, ReadsEachModelAsItsListing) {
    constexpr MpsFormat kAuto = MpsFormat::kAuto;
    const std::pair<const char*, MpsFormat> models[] = {// clang-format off
        {"small.mps", MpsFormat::kFree}, {"values.mps", kAuto}, {"bounds.mps", kAuto},
        {"no_set_names.mps", kAuto}, {"quadratic.mps", kAuto}, {"objective.mps", kAuto},
        {"sets.mps", kAuto}, {"conic.mps", kAuto}, {"repeats.mps", kAuto},
        {"other_sections.mps", kAuto}, {"blanks.mps", MpsFormat::kFixed}, {"blanks.mps", kAuto},
        {"../netlib/afiro.mps.gz", kAuto}};
    // clang-format on
    for (const auto& [file, format] : models) {
        SCOPED_TRACE(file);
        const std::string name = std::filesystem::path(file).filename().string();
        std::istringstream text(
            ::testsupport::testData("orbxmps/" + name.substr(0, name.find('.')) + ".txt"));
        std::string expected;
        for (std::string line; std::getline(text, line);)
            if (!line.starts_with('#')) expected += line + "\n";
        const std::string actual = listing(readFile(file, format));
        EXPECT_EQ(actual, expected);
    }
}

TEST(MpsReaderTest, RejectsBadInputAtItsLine) {
    const std::vector<TextCase> cases = textCases("mps/rejected.txt");
    ASSERT_EQ(cases.size(), 43u) << "tests/data/mps/rejected.txt missing or cut";
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_REJECTED_AT(c.text, c.line, c.phrase, c.format);
    }
    EXPECT_REJECTED_AT("ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\nRHS", 5, "without ENDATA");
    const std::string head = "ROWS\n N  COST\nCOLUMNS\n    X1  COST  ";
    for (const char* bad :
         {"nan", "NaN",   "inf",  "-inf", "-infinity", "Infinity", "1.0x",    "--1", "+-1",
          "-+1", "1,5",   "0x10", "1e",   "1e+",       "1E-",      "-",       "+",   ".",
          "-.",  "1.2.3", "1dd5", "12a",  "e5",        "1e5.0",    "1e00001x"}) {
        SCOPED_TRACE(bad);
        EXPECT_REJECTED_AT(head + bad + "\nENDATA\n", 4, "value is not a number");
    }
}

TEST(MpsReaderTest, ReadsBlankAndCommentLinesAfterEndataAndSameRowInEachColumn) {
    EXPECT_EQ(readText("ROWS\n N  COST\nENDATA\n\n* done\n   \n").rowCount(), 1u);
    // The per-row stamp must not confuse a later column with an earlier one.
    MatrixStore store = readText(
        "ROWS\n N  COST\nCOLUMNS\n    X1  COST  1\n    X2  COST  2\n    X3  COST  3\nENDATA\n");
    EXPECT_EQ(store.elementCount(), 3u);
    store.ensureRowOrder();
    EXPECT_EQ(store.rowStart[1], 3u);
}

TEST(MpsReaderTest, ReadsObjectiveSenseForms) {
    const std::string rest = "ROWS\n N  COST\nENDATA\n";
    for (const char* form :
         {"OBJSENSE MAX\n", "OBJSENSE    MAXIMIZE\n", "OBJSENSE\n    MAX\n",
          "OBJSENSE\n\tMAXIMIZE\n", "OBJSENSE MIN\n", "OBJSENSE\n    MINIMIZE\n", ""}) {
        for (const MpsFormat format : {MpsFormat::kFree, MpsFormat::kFixed}) {
            SCOPED_TRACE(form);
            EXPECT_EQ(readText(std::string("NAME  S\n") + form + rest, format).maximise,
                      std::string(form).find("MAX") != std::string::npos);
        }
    }
}

TEST(MpsReaderTest, RejectsTextAfterEndataInACompressedStream) {
    ::testsupport::TempFolder folder;
    const std::string message =
        fileRejection(writeGzip(folder, "junk.mps.gz",
                                "ROWS\n N  COST\nENDATA\n" + std::string(1000, ' ') + "\nJUNK\n" +
                                    std::string(1 << 22, 'x')));
    EXPECT_NE(message.find("junk.mps.gz:5: text after ENDATA"), std::string::npos) << message;
}

}  // namespace
}  // namespace orbxmps
