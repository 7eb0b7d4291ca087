// Our MPS reader against CoinUtils' on the netlib models: the bundled copies always, the full
// shared set when it is there. Every format loads every file and agrees with CoinUtils, but
// for free reading of forplan, which must say why through CMF_Exception and leave the store empty.

#include <cstdlib>
#include <iostream>
#include <utility>

#include "MatrixStore.h"
#include "MpsReader.h"
#include "NetlibSupport.h"
#include "OrbExceptions.h"
#include "TempFolder.h"
#include "orbxmps.h"

namespace netlib {
namespace {

using orbxmps::MpsFormat;

// Reads path in one format and checks the outcome; returns a word for the summary line.
std::string checkFormat(const std::string& path, MpsFormat format, const char* name,
                        const ComparableModel& expected) {
    SCOPED_TRACE(std::string("format ") + name);
    orbxmps::MatrixStore store;
    try {
        orbxmps::readMpsFile(path, format, store);
    } catch (const orbxmps::CMF_ExcpFileError& error) {
        ADD_FAILURE() << "file error on a readable file: " << error.what();
        return " file error;";
    } catch (const orbxmps::CMF_Exception& error) {
        const std::string message = error.what();
        EXPECT_TRUE(message.starts_with(path + ":")) << "not naming the path: " << message;
        EXPECT_EQ(store.rowCount() + store.columnCount() + store.elementCount(), 0u)
            << "store not left empty";
        // Only forplan's row names with blanks need fixed columns.
        if (format != MpsFormat::kFree || path.find("forplan") == std::string::npos)
            ADD_FAILURE() << name << " format rejects: " << message;
        return std::string(" ") + name + " rejects (" + message + ");";
    }
    std::string found;
    for (const std::string& line : differences(expected, fromStore(store), 20))
        found += "\n  " + line;
    EXPECT_EQ(found, "") << "differs from CoinUtils";
    return std::string(" ") + name + (found.empty() ? " loads;" : " loads, differs;");
}

// Reads the case's file in every format and prints which formats load it.
void expectAgreement(const NetlibCase& testCase) {
    const ComparableModel expected = readWithCoinUtils(testCase.path);
    testsupport::TempFolder folder;
    std::string path = testCase.path;
    if (testCase.gunzipFirst) {  // by the system's gzip, independent of our reader's
        path = folder / std::filesystem::path(testCase.path).stem();
        ASSERT_EQ(std::system(("gzip -dc '" + testCase.path + "' > '" + path + "'").c_str()), 0);
    }
    std::string summary = caseName(testCase) + ":";
    for (const auto& [format, name] : {std::pair{MpsFormat::kAuto, "auto"},
                                       {MpsFormat::kFree, "free"},
                                       {MpsFormat::kFixed, "fixed"}})
        summary += checkFormat(path, format, name, expected);
    std::cout << "[ FORMATS  ] " << summary << std::endl;
    testing::Test::RecordProperty("formats", summary);
}

std::string nameOf(const testing::TestParamInfo<NetlibCase>& info) { return caseName(info.param); }

class NetlibModels : public testing::TestWithParam<NetlibCase> {};

// The bundled copies must be there: a missing folder would otherwise pass unnoticed.
TEST_P(NetlibModels, AgreeWithCoinUtils) {
    if (GetParam().path.empty()) {
        const std::string suite =
            testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
        ASSERT_TRUE(suite.starts_with("Shared/")) << GetParam().absentReason;
        GTEST_SKIP() << GetParam().absentReason;
    }
    expectAgreement(GetParam());
}

// The environment may point elsewhere (the check that ctest reports missing data hides it).
std::string sharedModelFolder() {
    const char* folder = std::getenv("NORVA_SHARED_DATA_DIR");
    return std::string(folder != nullptr ? folder : NORVA_SHARED_DATA_DIR) + "/netlib";
}

INSTANTIATE_TEST_SUITE_P(Bundled, NetlibModels,
                         testing::ValuesIn(netlibCases(NORVA_TEST_DATA_DIR "/netlib")), nameOf);
INSTANTIATE_TEST_SUITE_P(Shared, NetlibModels, testing::ValuesIn(netlibCases(sharedModelFolder())),
                         nameOf);

}  // namespace
}  // namespace netlib
