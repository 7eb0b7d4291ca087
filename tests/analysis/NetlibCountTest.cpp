#include <CoinMpsIO.hpp>
#include <CoinPackedMatrix.hpp>
#include <cmath>
#include <map>
#include <tuple>

#include "AnalysisTestSupport.h"
#include "Decade.h"
#include "MagnitudeHistogram.h"
#include "NameStem.h"
#include "ScalingReport.h"
#include "SubmatrixViewLogic.h"

namespace {

struct Extremes {
    std::size_t count = 0;
    float min = 0.0f;
    float max = 0.0f;
    void add(double value) {
        const float magnitude = std::fabs(static_cast<float>(value));
        if (magnitude == 0.0f) return;
        min = count == 0 ? magnitude : std::min(min, magnitude);
        max = count == 0 ? magnitude : std::max(max, magnitude);
        ++count;
    }
};

// The same model read by CoinUtils' MPS reader, counted without any of the analysis code but
// the stem rule: its objective is a row like any other here.
struct IndependentCount {
    std::map<std::string, Extremes> rows, columns, stems;
    std::map<int, std::size_t> decades;
    Extremes matrix;

    explicit IndependentCount(const std::string& mpsPath) {
        CoinMpsIO reader;
        reader.messageHandler()->setLogLevel(0);
        if (reader.readMps(mpsPath.c_str(), "") != 0) throw std::runtime_error("CoinUtils failed");
        const CoinPackedMatrix& matrix = *reader.getMatrixByCol();
        for (int j = 0; j < reader.getNumCols(); ++j) {
            add(reader.getObjectiveName(), reader.columnName(j), reader.getObjCoefficients()[j]);
            const CoinBigIndex begin = matrix.getVectorStarts()[j];
            for (CoinBigIndex k = begin; k < begin + matrix.getVectorLengths()[j]; ++k)
                add(reader.rowName(matrix.getIndices()[k]), reader.columnName(j),
                    matrix.getElements()[k]);
        }
    }

    void add(const std::string& row, const std::string& column, double value) {
        if (value == 0.0) return;
        rows[row].add(value);
        columns[column].add(value);
        stems[std::string(nameStem(row))].add(value);
        matrix.add(value);
        ++decades[static_cast<int>(std::floor(std::log10(std::fabs(value)) + 1e-9))];
    }
};

void expectSameSpans(const std::vector<MagnitudeSpan>& ranked,
                     const std::map<std::string, Extremes>& counted) {
    std::size_t nonEmpty = 0;
    for (const auto& [name, extremes] : counted) nonEmpty += extremes.count != 0 ? 1 : 0;
    ASSERT_EQ(ranked.size(), nonEmpty);
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const MagnitudeSpan& span = ranked[i];
        SCOPED_TRACE(std::string(span.name));
        const auto found = counted.find(std::string(span.name));
        ASSERT_NE(found, counted.end());
        EXPECT_EQ(std::tie(span.count, span.min, span.max),
                  std::tie(found->second.count, found->second.min, found->second.max));
        if (i == 0) continue;
        const MagnitudeSpan& before = ranked[i - 1];
        EXPECT_TRUE(before.ratio() > span.ratio() ||
                    (before.ratio() == span.ratio() && before.name < span.name));
    }
}

class NetlibCountTest : public testing::TestWithParam<const char*> {};

TEST_P(NetlibCountTest, ReportAndHistogramAgreeWithAnIndependentCount) {
    const std::string name = std::string("netlib/") + GetParam() + ".mps.gz";
    const IndependentCount counted(analysistest::dataFile(name));
    analysistest::LoadedModel loaded(name);
    const ScalingReport report = computeScalingReport(loaded.model());
    expectSameSpans(report.rows, counted.rows);
    expectSameSpans(report.columns, counted.columns);
    expectSameSpans(report.stems, counted.stems);
    EXPECT_EQ(std::tie(report.matrix.count, report.matrix.min, report.matrix.max),
              std::tie(counted.matrix.count, counted.matrix.min, counted.matrix.max));
    EXPECT_LE(report.ratioAfterScaling, report.matrix.ratio());

    // Each bar of the histogram, put through the filter's path, gives exactly its coefficients.
    std::map<int, std::size_t> decades;
    SubmatrixViewLogic view(loaded.doc);
    for (const DecadeCount& count : computeHistogram(loaded.model()).coefficients) {
        decades[count.decade] = count.count;
        ASSERT_TRUE(
            view.FilterMagnitudeBand(decadeFloat(count.decade), decadeFloat(count.decade + 1)));
        std::size_t shown = 0;
        for (std::size_t c = 0; c < view.submatrix().columnCount(); ++c)
            shown += view.submatrix().column(c).entries.size();
        EXPECT_EQ(shown, count.count) << "decade " << count.decade;
    }
    EXPECT_EQ(decades, counted.decades);
}

INSTANTIATE_TEST_SUITE_P(Netlib, NetlibCountTest,
                         testing::Values("afiro", "adlittle", "kb2", "boeing1"));

}  // namespace
