// A shipped netlib model whose row names hold blanks, beyond what the netlib tests compare with
// another reader (afiro's exact content is among the listings of MpsReaderTest).

#include <gtest/gtest.h>

#include <string>

#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

MatrixStore shipped(const std::string& name, MpsFormat format = MpsFormat::kAuto) {
    MatrixStore store;
    readMpsFile(NORVA_TEST_DATA_DIR "/netlib/" + name + ".mps.gz", format, store);
    return store;
}

TEST(MpsNetlibTest, ReadsForplanOnlyByColumns) {
    EXPECT_THROW(shipped("forplan", MpsFormat::kFree), CMF_Exception);  // "DEDO3 1R" has a blank
    const MatrixStore fixed = shipped("forplan", MpsFormat::kFixed);
    EXPECT_GE(fixed.rowNames.find("DEDO3 1R"), 0);
    const MatrixStore automatic = shipped("forplan");
    EXPECT_EQ(automatic.rowCount(), fixed.rowCount());
    EXPECT_EQ(automatic.elementCount(), fixed.elementCount());
}

}  // namespace
}  // namespace orbxmps
