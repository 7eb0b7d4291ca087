// Our MPS reader against CoinUtils' on the netlib models: the bundled copies always, the full
// shared set when it is there. Every format that loads a file must agree with CoinUtils; a
// format that cannot load it must say why through CMF_Exception and leave the store empty.

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "CoinUtilsModel.h"
#include "GunzippedCopy.h"
#include "MatrixStore.h"
#include "MpsReader.h"
#include "NetlibCases.h"
#include "OrbExceptions.h"
#include "StoreModel.h"
#include "orbxmps.h"

namespace netlib {
namespace {

using orbxmps::MpsFormat;

constexpr std::size_t kReportedDifferences = 20;

const char* formatName(MpsFormat format) {
    switch (format) {
        case MpsFormat::kAuto:
            return "auto";
        case MpsFormat::kFree:
            return "free";
        case MpsFormat::kFixed:
            return "fixed";
    }
    return "?";
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "\n  " + line;
    return text;
}

// Reads path in one format and checks the outcome; returns a word for the summary line.
std::string checkFormat(const std::string& path, MpsFormat format,
                        const ComparableModel& expected) {
    SCOPED_TRACE(std::string("format ") + formatName(format));
    orbxmps::MatrixStore store;
    try {
        orbxmps::readMpsFile(path, format, store);
    } catch (const orbxmps::CMF_ExcpFileError& error) {
        ADD_FAILURE() << "file error on a readable file: " << error.what();
        return "file error";
    } catch (const orbxmps::CMF_Exception& error) {
        const std::string message = error.what();
        const bool namesPath = message.starts_with(path + ":");
        EXPECT_TRUE(namesPath) << "message does not start with the path: " << message;
        EXPECT_EQ(store.rowCount() + store.columnCount() + store.elementCount(), 0u)
            << "store not left empty";
        if (format == MpsFormat::kAuto) ADD_FAILURE() << "auto format rejects: " << message;
        return "rejects (" + (namesPath ? message.substr(path.size() + 1) : message) + ")";
    } catch (const std::exception& error) {
        ADD_FAILURE() << "not a CMF_Exception: " << error.what();
        return "wrong exception";
    }
    const std::vector<std::string> found =
        differences(expected, fromStore(store), kReportedDifferences);
    EXPECT_TRUE(found.empty()) << "differs from CoinUtils:" << joined(found);
    return found.empty() ? "loads" : "loads, differs";
}

// Reads the case's file in every format and prints which formats load it.
void expectAgreement(const NetlibCase& testCase) {
    const ComparableModel expected = readWithCoinUtils(testCase.path);
    std::optional<GunzippedCopy> copy;
    if (testCase.gunzipFirst) copy.emplace(testCase.path);
    const std::string& path = copy ? copy->path() : testCase.path;

    std::string summary = caseName(testCase) + ":";
    for (MpsFormat format : {MpsFormat::kAuto, MpsFormat::kFree, MpsFormat::kFixed}) {
        summary +=
            std::string(" ") + formatName(format) + " " + checkFormat(path, format, expected) + ";";
    }
    std::cout << "[ FORMATS  ] " << summary << std::endl;
    testing::Test::RecordProperty("formats", summary);
}

std::string nameOf(const testing::TestParamInfo<NetlibCase>& info) { return caseName(info.param); }

class BundledModels : public testing::TestWithParam<NetlibCase> {};

// The bundled copies must be there: a missing folder would otherwise pass unnoticed.
TEST_P(BundledModels, AgreeWithCoinUtils) {
    ASSERT_FALSE(GetParam().path.empty()) << GetParam().absentReason;
    expectAgreement(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Netlib, BundledModels,
                         testing::ValuesIn(netlibCases(NORVA_TEST_DATA_DIR "/netlib")), nameOf);

class SharedModels : public testing::TestWithParam<NetlibCase> {};

TEST_P(SharedModels, AgreeWithCoinUtils) {
    if (GetParam().path.empty()) GTEST_SKIP() << GetParam().absentReason;
    expectAgreement(GetParam());
}

// The environment may point elsewhere (the check that ctest reports missing data hides it).
std::string sharedModelFolder() {
    const char* folder = std::getenv("NORVA_SHARED_DATA_DIR");
    return std::string(folder != nullptr ? folder : NORVA_SHARED_DATA_DIR) + "/netlib";
}

INSTANTIATE_TEST_SUITE_P(Netlib, SharedModels, testing::ValuesIn(netlibCases(sharedModelFolder())),
                         nameOf);

}  // namespace
}  // namespace netlib
