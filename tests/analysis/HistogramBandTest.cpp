#include <gtest/gtest.h>

#include "AnalysisTestSupport.h"
#include "Decade.h"
#include "MagnitudeHistogram.h"
#include "SubmatrixViewLogic.h"

namespace {

std::size_t coefficientCount(const Submatrix& submatrix) {
    std::size_t count = 0;
    for (std::size_t c = 0; c < submatrix.columnCount(); ++c)
        count += submatrix.column(c).entries.size();
    return count;
}

// A bar of the histogram, put through the filter's path, gives exactly its coefficients.
TEST(HistogramBandTest, EachDecadeFillsTheSubmatrixWithItsCount) {
    for (const char* name : {"analysis/blocks.mps", "netlib/kb2.mps.gz"}) {
        SCOPED_TRACE(name);
        analysistest::LoadedModel loaded(name);
        SubmatrixViewLogic view(loaded.doc);
        const MagnitudeHistogram histogram = computeHistogram(loaded.model());
        ASSERT_FALSE(histogram.coefficients.empty());
        for (const DecadeCount& bar : histogram.coefficients) {
            SCOPED_TRACE(bar.decade);
            ASSERT_TRUE(
                view.FilterMagnitudeBand(decadeFloat(bar.decade), decadeFloat(bar.decade + 1)));
            EXPECT_EQ(coefficientCount(view.submatrix()), bar.count);
        }
    }
}

}  // namespace
