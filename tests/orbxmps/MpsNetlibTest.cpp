// A shipped netlib model whose row names hold blanks, beyond what the netlib tests compare with
// another reader (afiro's exact content is among the listings of MpsReaderTest).

#include <gtest/gtest.h>

#include <string>

#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

TEST(MpsNetlibTest, ReadsForplanOnlyByColumns) {
    const std::string forplan = NORVA_TEST_DATA_DIR "/netlib/forplan.mps.gz";
    EXPECT_THROW(mpstest::readFile(forplan, MpsFormat::kFree), CMF_Exception);  // a blank in a name
    const MatrixStore fixed = mpstest::readFile(forplan, MpsFormat::kFixed);
    EXPECT_GE(fixed.rowNames.find("DEDO3 1R"), 0);
    EXPECT_EQ(mpstest::listing(mpstest::readFile(forplan)), mpstest::listing(fixed));
}

}  // namespace
}  // namespace orbxmps
